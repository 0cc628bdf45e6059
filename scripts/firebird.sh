# SPDX-License-Identifier: MIT
# Sourced by test.sh (under set -e: a server that cannot start only makes its tests skip): a throw-away Firebird 3 server on 127.0.0.1 for the tests, with its own
# configuration, security database and lock folder; nothing in /etc is used.
# Exports ZEL_FB_HOST, ZEL_FB_PORT, ZEL_FB_USER, ZEL_FB_PASSWORD and ZEL_FB_DATABASE for them.
firebird_start() {
  local lib=/usr/lib/x86_64-linux-gnu/firebird/3.0
  if [ ! -x /usr/sbin/firebird ] || ! command -v isql-fb >/dev/null; then
    echo "Firebird 3 is not installed; its tests will skip." >&2
    return 0
  fi
  ZEL_FB_DIR=$(mktemp -d /tmp/zelfb.XXXXXX)
  export ZEL_FB_PORT=${ZEL_FB_PORT:-53050} ZEL_FB_HOST=127.0.0.1 ZEL_FB_USER=ZEL \
    ZEL_FB_PASSWORD=zel ZEL_FB_DATABASE=$ZEL_FB_DIR/zeltest.fdb
  local F=$ZEL_FB_DIR sysdba=zelsysdba
  mkdir -p "$F/conf" "$F/lock"
  cat >"$F/conf/firebird.conf" <<CONF
RemoteServicePort = $ZEL_FB_PORT
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $F/security3.fdb
ServerMode = Super
CONF
  : >"$F/conf/databases.conf"
  cp /etc/firebird/3.0/plugins.conf "$F/conf/"
  ln -s "$lib/intl" "$F/conf/intl"
  local env=(FIREBIRD="$F/conf" FIREBIRD_LOCK="$F/lock" FIREBIRD_MSG="$lib")
  {
    echo "CREATE DATABASE '$F/security3.fdb' USER 'SYSDBA';"
    cat /usr/share/firebird/3.0/security.sql
    echo "CREATE USER SYSDBA PASSWORD '$sysdba' USING PLUGIN Srp;"
    echo "CREATE USER $ZEL_FB_USER PASSWORD '$ZEL_FB_PASSWORD' USING PLUGIN Srp;"
    echo "COMMIT;"
  } | env "${env[@]}" isql-fb -q >"$F/security.log" 2>&1 || true
  # The tests' user owns the database, so that it may make and drop tables there.
  echo "CREATE DATABASE '$ZEL_FB_DATABASE' USER '$ZEL_FB_USER' DEFAULT CHARACTER SET UTF8;" |
    env "${env[@]}" isql-fb -q >>"$F/security.log" 2>&1 || true
  local run=()
  if [ "$(id -u)" -eq 0 ]; then
    chown -R firebird:firebird "$F"
    run=(setpriv --reuid=firebird --regid=firebird --init-groups)
  fi
  env "${env[@]}" "${run[@]}" /usr/sbin/firebird >"$F/server.log" 2>&1 &
  ZEL_FB_PID=$!
  local tries=0
  until echo 'SELECT 1 FROM RDB$DATABASE;' | isql-fb -q -user SYSDBA -password "$sysdba" \
    "127.0.0.1/$ZEL_FB_PORT:$ZEL_FB_DATABASE" >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
      echo "Firebird did not start; its tests will skip." >&2
      unset ZEL_FB_HOST
      return 0
    fi
    sleep 0.1
  done
  # The tests' user owns nothing yet: it may make and drop its own tables.
  echo "GRANT RDB\$ADMIN TO $ZEL_FB_USER; COMMIT;" | isql-fb -q -user SYSDBA -password "$sysdba" \
    "127.0.0.1/$ZEL_FB_PORT:$ZEL_FB_DATABASE" >/dev/null 2>&1 || true
  ZEL_FB_SYSDBA=$sysdba
}

# Firebird 3.0 sometimes ignores SIGTERM after a start: the database is shut first, so that
# the SIGKILL that may follow loses nothing.
firebird_stop() {
  [ -n "${ZEL_FB_DIR:-}" ] || return 0
  if [ -n "${ZEL_FB_PID:-}" ]; then
    gfix -user SYSDBA -password "$ZEL_FB_SYSDBA" -shut full -force 0 \
      "127.0.0.1/$ZEL_FB_PORT:$ZEL_FB_DATABASE" >/dev/null 2>&1 || true
    kill -TERM "$ZEL_FB_PID" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$ZEL_FB_PID" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$ZEL_FB_PID" 2>/dev/null || true
  fi
  rm -rf "$ZEL_FB_DIR"
}
