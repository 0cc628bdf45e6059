# SPDX-License-Identifier: MIT
# Sourced by test.sh (under set -e: a server that cannot start only makes its tests skip):
# throw-away MariaDB servers on 127.0.0.1 for the tests. The first exports ZEL_MY_HOST,
# ZEL_MY_PORT, ZEL_MY_USER, ZEL_MY_PASSWORD and ZEL_MY_DATABASE; a second one, for the tests
# whose data lives on two servers, ZEL_MY2_HOST and ZEL_MY2_PORT (same user and database).

# mariadb_instance DIR PORT: a server with its data in DIR; fails when it cannot start.
mariadb_instance() {
  local dir=$1 port=$2 user=mysql
  [ "$(id -u)" -eq 0 ] || user=$(id -un)
  mkdir -p "$dir/data"
  [ "$(id -u)" -eq 0 ] && chown -R mysql:mysql "$dir"
  if ! mariadb-install-db --no-defaults --user="$user" --datadir="$dir/data" \
    --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1; then
    echo "MariaDB's data folder could not be made; its tests will skip." >&2
    return 1
  fi
  mariadbd --no-defaults --user="$user" --datadir="$dir/data" --bind-address=127.0.0.1 \
    --port="$port" --socket="$dir/mysqld.sock" --pid-file="$dir/mariadbd.pid" \
    --log-error="$dir/error.log" --character-set-server=utf8mb4 \
    --collation-server=utf8mb4_general_ci --skip-name-resolve --innodb-buffer-pool-size=64M \
    >"$dir/server.log" 2>&1 &
  local tries=0
  until mariadb-admin --no-defaults -uroot --socket="$dir/mysqld.sock" ping >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 300 ]; then
      echo "MariaDB did not start; its tests will skip:" >&2
      tail -5 "$dir/error.log" >&2
      return 1
    fi
    sleep 0.1
  done
  # root has no password on the socket: the tests' database and user are made there.
  mariadb --no-defaults -uroot --socket="$dir/mysqld.sock" <<SQL
CREATE DATABASE $ZEL_MY_DATABASE;
CREATE USER '$ZEL_MY_USER'@'127.0.0.1' IDENTIFIED BY '$ZEL_MY_PASSWORD';
GRANT ALL ON *.* TO '$ZEL_MY_USER'@'127.0.0.1' WITH GRANT OPTION;
SQL
}

mariadb_installed() {
  if ! command -v mariadbd >/dev/null || ! command -v mariadb-install-db >/dev/null; then
    echo "MariaDB is not installed; its tests will skip." >&2
    return 1
  fi
}

mariadb_start() {
  mariadb_installed || return 0
  ZEL_MY_DIR=$(mktemp -d /tmp/zelmy.XXXXXX)
  export ZEL_MY_PORT=${ZEL_MY_PORT:-53306} ZEL_MY_HOST=127.0.0.1 ZEL_MY_USER=zel \
    ZEL_MY_PASSWORD=zel ZEL_MY_DATABASE=zeltest
  mariadb_instance "$ZEL_MY_DIR" "$ZEL_MY_PORT" || unset ZEL_MY_HOST
}

# After mariadb_start: a second server with the same user and database.
mariadb_second_start() {
  [ -n "${ZEL_MY_HOST:-}" ] || return 0
  ZEL_MY2_DIR=$(mktemp -d /tmp/zelmy2.XXXXXX)
  export ZEL_MY2_PORT=${ZEL_MY2_PORT:-53307} ZEL_MY2_HOST=127.0.0.1
  mariadb_instance "$ZEL_MY2_DIR" "$ZEL_MY2_PORT" || unset ZEL_MY2_HOST
}

mariadb_instance_stop() {
  local dir=$1 pid
  [ -n "$dir" ] || return 0
  pid=$(cat "$dir/mariadbd.pid" 2>/dev/null || true)
  if [ -n "$pid" ]; then
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}

mariadb_stop() {
  mariadb_instance_stop "${ZEL_MY2_DIR:-}"
  mariadb_instance_stop "${ZEL_MY_DIR:-}"
}
