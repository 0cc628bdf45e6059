# SPDX-License-Identifier: MIT
# Sourced by test.sh: a throw-away PostgreSQL server on 127.0.0.1 for the tests.
# Exports ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE for them.
postgres_start() {
  local bin=/usr/lib/postgresql/15/bin
  if [ ! -x "$bin/initdb" ]; then
    echo "PostgreSQL 15 is not installed; its tests will skip." >&2
    return 0
  fi
  ZEL_PG_DIR=$(mktemp -d /tmp/zelpg.XXXXXX)
  export ZEL_PG_PORT=${ZEL_PG_PORT:-55432} ZEL_PG_HOST=127.0.0.1 ZEL_PG_USER=zel ZEL_PG_DATABASE=zeltest
  local run=()
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres "$ZEL_PG_DIR"
    run=(runuser -u postgres --)
  fi
  "${run[@]}" "$bin/initdb" -D "$ZEL_PG_DIR/data" -A trust -U "$ZEL_PG_USER" >/dev/null
  "${run[@]}" "$bin/pg_ctl" -D "$ZEL_PG_DIR/data" -l "$ZEL_PG_DIR/log" -w \
    -o "-c listen_addresses=127.0.0.1 -p $ZEL_PG_PORT -k $ZEL_PG_DIR" start >/dev/null
  "${run[@]}" "$bin/createdb" -h 127.0.0.1 -p "$ZEL_PG_PORT" -U "$ZEL_PG_USER" "$ZEL_PG_DATABASE"
  export ZEL_PG_RUN="${run[*]}"
}

postgres_stop() {
  [ -n "${ZEL_PG_DIR:-}" ] || return 0
  local run=()
  [ "$(id -u)" -eq 0 ] && run=(runuser -u postgres --)
  "${run[@]}" /usr/lib/postgresql/15/bin/pg_ctl -D "$ZEL_PG_DIR/data" -m fast stop >/dev/null || true
  rm -rf "$ZEL_PG_DIR"
}
