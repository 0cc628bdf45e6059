# SPDX-License-Identifier: MIT
# Sourced by test.sh (under set -e: a server that cannot start only makes its tests skip): a throw-away MariaDB server on 127.0.0.1 for the tests.
# Exports ZEL_MY_HOST, ZEL_MY_PORT, ZEL_MY_USER, ZEL_MY_PASSWORD and ZEL_MY_DATABASE for them.
mariadb_start() {
  if ! command -v mariadbd >/dev/null || ! command -v mariadb-install-db >/dev/null; then
    echo "MariaDB is not installed; its tests will skip." >&2
    return 0
  fi
  ZEL_MY_DIR=$(mktemp -d /tmp/zelmy.XXXXXX)
  export ZEL_MY_PORT=${ZEL_MY_PORT:-53306} ZEL_MY_HOST=127.0.0.1 ZEL_MY_USER=zel \
    ZEL_MY_PASSWORD=zel ZEL_MY_DATABASE=zeltest
  local user=mysql
  [ "$(id -u)" -eq 0 ] || user=$(id -un)
  mkdir -p "$ZEL_MY_DIR/data"
  [ "$(id -u)" -eq 0 ] && chown -R mysql:mysql "$ZEL_MY_DIR"
  if ! mariadb-install-db --no-defaults --user="$user" --datadir="$ZEL_MY_DIR/data" \
    --auth-root-authentication-method=normal --skip-test-db >"$ZEL_MY_DIR/install.log" 2>&1; then
    echo "MariaDB's data folder could not be made; its tests will skip." >&2
    unset ZEL_MY_HOST
    return 0
  fi
  mariadbd --no-defaults --user="$user" --datadir="$ZEL_MY_DIR/data" --bind-address=127.0.0.1 \
    --port="$ZEL_MY_PORT" --socket="$ZEL_MY_DIR/mysqld.sock" --pid-file="$ZEL_MY_DIR/mariadbd.pid" \
    --log-error="$ZEL_MY_DIR/error.log" --character-set-server=utf8mb4 \
    --collation-server=utf8mb4_general_ci --skip-name-resolve --innodb-buffer-pool-size=64M \
    >"$ZEL_MY_DIR/server.log" 2>&1 &
  local tries=0
  until mariadb-admin --no-defaults -uroot --socket="$ZEL_MY_DIR/mysqld.sock" ping >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 300 ]; then
      echo "MariaDB did not start; its tests will skip:" >&2
      tail -5 "$ZEL_MY_DIR/error.log" >&2
      unset ZEL_MY_HOST
      return 0
    fi
    sleep 0.1
  done
  # root has no password on the socket: the tests' database and user are made there.
  mariadb --no-defaults -uroot --socket="$ZEL_MY_DIR/mysqld.sock" <<SQL || unset ZEL_MY_HOST
CREATE DATABASE $ZEL_MY_DATABASE;
CREATE USER '$ZEL_MY_USER'@'127.0.0.1' IDENTIFIED BY '$ZEL_MY_PASSWORD';
GRANT ALL ON *.* TO '$ZEL_MY_USER'@'127.0.0.1' WITH GRANT OPTION;
SQL
}

mariadb_stop() {
  [ -n "${ZEL_MY_DIR:-}" ] || return 0
  local pid
  pid=$(cat "$ZEL_MY_DIR/mariadbd.pid" 2>/dev/null || true)
  if [ -n "$pid" ]; then
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -rf "$ZEL_MY_DIR"
}
