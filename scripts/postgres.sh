# SPDX-License-Identifier: MIT
# Sourced by test.sh: throw-away PostgreSQL servers on 127.0.0.1 for the tests. The first
# exports ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE; a second one, for the
# tests whose data lives on two servers, ZEL_PG2_HOST and ZEL_PG2_PORT (same user and database).
postgres_run() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# postgres_instance DIR PORT: a server with its data in DIR.
postgres_instance() {
  local bin=/usr/lib/postgresql/15/bin dir=$1 port=$2
  [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
  postgres_run "$bin/initdb" -D "$dir/data" -A trust -U "$ZEL_PG_USER" >/dev/null &&
    postgres_run "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir" start >/dev/null &&
    postgres_run "$bin/createdb" -h 127.0.0.1 -p "$port" -U "$ZEL_PG_USER" "$ZEL_PG_DATABASE"
}

postgres_start() {
  if [ ! -x /usr/lib/postgresql/15/bin/initdb ]; then
    echo "PostgreSQL 15 is not installed; its tests will skip." >&2
    return 0
  fi
  ZEL_PG_DIR=$(mktemp -d /tmp/zelpg.XXXXXX)
  export ZEL_PG_PORT=${ZEL_PG_PORT:-55432} ZEL_PG_HOST=127.0.0.1 ZEL_PG_USER=zel ZEL_PG_DATABASE=zeltest
  postgres_instance "$ZEL_PG_DIR" "$ZEL_PG_PORT"
  local run=()
  [ "$(id -u)" -eq 0 ] && run=(runuser -u postgres --)
  export ZEL_PG_RUN="${run[*]}"
}

# After postgres_start: a second server with the same user and database.
postgres_second_start() {
  [ -n "${ZEL_PG_HOST:-}" ] || return 0
  ZEL_PG2_DIR=$(mktemp -d /tmp/zelpg2.XXXXXX)
  export ZEL_PG2_PORT=${ZEL_PG2_PORT:-55433} ZEL_PG2_HOST=127.0.0.1
  postgres_instance "$ZEL_PG2_DIR" "$ZEL_PG2_PORT" || unset ZEL_PG2_HOST
}

postgres_instance_stop() {
  [ -n "$1" ] || return 0
  postgres_run /usr/lib/postgresql/15/bin/pg_ctl -D "$1/data" -m fast stop >/dev/null || true
  rm -rf "$1"
}

postgres_stop() {
  postgres_instance_stop "${ZEL_PG2_DIR:-}"
  postgres_instance_stop "${ZEL_PG_DIR:-}"
}
