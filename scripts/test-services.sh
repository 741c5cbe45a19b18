#!/usr/bin/env bash
# Services the database tests need, for scripts/run-tests.sh to source:
#   start_test_services  registers the ODBC drivers (psqlODBC, SQLite ODBC),
#                        starts a PostgreSQL 15 cluster of its own in a
#                        temporary folder on a loopback port and exports
#                        TARVELO_PG_CONNECTION and TARVELO_PG_* for the tests;
#   stop_test_services   stops the cluster and removes its folder.
# Nothing is installed here: scripts/install-deps.sh --test brings the packages.

_tarvelo_pg_bin() {
  local dir
  for dir in /usr/lib/postgresql/15/bin /usr/lib/postgresql/*/bin; do
    if [[ -x "$dir/pg_ctl" ]]; then echo "$dir"; return 0; fi
  done
  return 1
}

# Runs a command as the cluster's owner: PostgreSQL refuses to run as root.
_tarvelo_as_pg_owner() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

_tarvelo_register_odbc_drivers() {
  if ! odbcinst -q -d -n "PostgreSQL Unicode" >/dev/null 2>&1; then
    odbcinst -i -d -f /usr/share/psqlodbc/odbcinst.ini.template >/dev/null
  fi
  if ! odbcinst -q -d -n "SQLite3" >/dev/null 2>&1; then
    odbcinst -i -d -f /usr/share/sqliteodbc/unixodbc.ini >/dev/null
  fi
}

start_test_services() {
  _tarvelo_register_odbc_drivers || { echo "test-services: cannot register the ODBC drivers" >&2; return 1; }

  local bin port dir
  bin=$(_tarvelo_pg_bin) || { echo "test-services: PostgreSQL server not installed" >&2; return 1; }
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  dir=$(mktemp -d /tmp/tarvelo-pg.XXXXXX)
  chmod 755 "$dir"
  [[ $(id -u) -eq 0 ]] && chown postgres: "$dir"
  TARVELO_PG_DIR=$dir

  if ! _tarvelo_as_pg_owner "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 \
      --locale=C.UTF-8 --no-sync >"$dir/initdb.log" 2>&1; then
    cat "$dir/initdb.log" >&2
    echo "test-services: initdb failed" >&2
    return 1
  fi
  # Test data only: durability is not needed, speed is.
  if ! _tarvelo_as_pg_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=50" \
      start >/dev/null; then
    cat "$dir/server.log" >&2
    echo "test-services: PostgreSQL did not start" >&2
    return 1
  fi
  if ! psql -h 127.0.0.1 -p "$port" -U postgres -d postgres -qAtc "CREATE DATABASE tarvelo_test" >/dev/null; then
    echo "test-services: cannot create the test database" >&2
    return 1
  fi

  export TARVELO_PG_HOST=127.0.0.1
  export TARVELO_PG_PORT=$port
  export TARVELO_PG_USER=postgres
  export TARVELO_PG_DATABASE=tarvelo_test
  export TARVELO_PG_CONNECTION="Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=$port;Database=tarvelo_test;Uid=postgres;Pwd=;CommLog=0;Debug=0"
  echo "test-services: PostgreSQL on 127.0.0.1:$port (folder $dir)"
}

stop_test_services() {
  local bin
  if [[ -n "${TARVELO_PG_DIR:-}" && -d "$TARVELO_PG_DIR/data" ]]; then
    bin=$(_tarvelo_pg_bin) && _tarvelo_as_pg_owner "$bin/pg_ctl" -D "$TARVELO_PG_DIR/data" -m fast -w stop >/dev/null 2>&1
  fi
  if [[ -n "${TARVELO_PG_DIR:-}" ]]; then rm -rf "$TARVELO_PG_DIR"; fi
  unset TARVELO_PG_DIR TARVELO_PG_HOST TARVELO_PG_PORT TARVELO_PG_USER TARVELO_PG_DATABASE TARVELO_PG_CONNECTION
  return 0
}
