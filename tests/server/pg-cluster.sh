# SPDX-License-Identifier: MIT
# Sourced by scripts/server-tests and bench/server/run-load: starts a throwaway PostgreSQL
# cluster on 127.0.0.1 in a temporary folder and points unixODBC at it through psqlodbc.
#
#   pg_cluster_start   sets WR_PG_DIR, WR_PG_PORT, WR_TEST_ODBC, WR_TEST_ODBC_WORKSTATION,
#                      ODBCSYSINI, ODBCINI, WR_TEST_PG_STOP, WR_TEST_PG_START; returns 1 when
#                      PostgreSQL cannot start
#
# WR_TEST_ODBC logs in as the administrator (postgres), who creates and owns the test
# databases and runs the scripts; WR_TEST_ODBC_WORKSTATION logs in as wr_ws, a member of the
# role wr_workstation and nothing more, whose rights db/postgresql/grants.sql gives in each
# database, as db/sqlserver/grants.sql gives them on SQL Server. The code under test connects
# as wr_ws.
#   pg_cluster_stop    stops the cluster and removes its folder (safe to call twice)
#
# The cluster runs as the `postgres` user when started by root (initdb refuses root).

pg_cluster_bindir() {
  local d
  for d in /usr/lib/postgresql/15/bin /usr/lib/postgresql/*/bin; do
    [ -x "$d/initdb" ] && [ -x "$d/pg_ctl" ] && { echo "$d"; return 0; }
  done
  command -v initdb >/dev/null 2>&1 && { dirname "$(command -v initdb)"; return 0; }
  return 1
}

# Runs a command as the cluster's owner.
pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

pg_free_port() {
  python3 - <<'EOF' 2>/dev/null || echo $(( 20000 + RANDOM % 20000 ))
import socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()
EOF
}

pg_cluster_start() {
  local bindir
  bindir=$(pg_cluster_bindir) || { echo "PostgreSQL server binaries not found" >&2; return 1; }
  if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
    echo "No 'postgres' user to run the server as" >&2
    return 1
  fi
  local driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so
  [ -f "$driver" ] || driver=$(find /usr/lib -name psqlodbcw.so 2>/dev/null | head -n1)
  [ -n "$driver" ] && [ -f "$driver" ] || { echo "psqlodbc (psqlodbcw.so) not installed" >&2; return 1; }

  WR_PG_DIR=$(mktemp -d /tmp/wr-pg.XXXXXX)
  chmod 755 "$WR_PG_DIR"
  mkdir -p "$WR_PG_DIR/data" "$WR_PG_DIR/run" "$WR_PG_DIR/odbc"
  [ "$(id -u)" -eq 0 ] && chown -R postgres: "$WR_PG_DIR/data" "$WR_PG_DIR/run"
  WR_PG_PORT=$(pg_free_port)

  if ! pg_as_owner "$bindir/initdb" -D "$WR_PG_DIR/data" -U postgres -A trust -E UTF8 \
        --locale=C.UTF-8 >"$WR_PG_DIR/initdb.log" 2>&1; then
    echo "initdb failed:" >&2; tail -n 20 "$WR_PG_DIR/initdb.log" >&2
    return 1
  fi
  cat >>"$WR_PG_DIR/data/postgresql.conf" <<EOF
listen_addresses = '127.0.0.1'
port = $WR_PG_PORT
unix_socket_directories = '$WR_PG_DIR/run'
max_connections = 100
# The fault tests kill the server (immediate stop) under live clients: a commit must reach
# the operating system before it is acknowledged (synchronous_commit), while flushing to
# the disk itself (fsync) is not needed, since the machine keeps running.
fsync = off
synchronous_commit = on
full_page_writes = off
EOF
  touch "$WR_PG_DIR/server.log"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$WR_PG_DIR/server.log"

  # Stop and start commands for the fault tests (they stop the server under a live client).
  cat >"$WR_PG_DIR/pg-stop" <<EOF
#!/usr/bin/env bash
$(declare -f pg_as_owner)
pg_as_owner "$bindir/pg_ctl" -D "$WR_PG_DIR/data" -m immediate -w stop >>"$WR_PG_DIR/ctl.log" 2>&1
EOF
  cat >"$WR_PG_DIR/pg-start" <<EOF
#!/usr/bin/env bash
$(declare -f pg_as_owner)
pg_as_owner "$bindir/pg_ctl" -D "$WR_PG_DIR/data" -l "$WR_PG_DIR/server.log" -w -t 60 start >>"$WR_PG_DIR/ctl.log" 2>&1
EOF
  chmod +x "$WR_PG_DIR/pg-stop" "$WR_PG_DIR/pg-start"
  WR_TEST_PG_STOP="$WR_PG_DIR/pg-stop"
  WR_TEST_PG_START="$WR_PG_DIR/pg-start"

  if ! "$WR_TEST_PG_START"; then
    echo "PostgreSQL did not start:" >&2; tail -n 20 "$WR_PG_DIR/server.log" >&2
    return 1
  fi

  # unixODBC reads its driver list and DSNs from these two files only.
  cat >"$WR_PG_DIR/odbc/odbcinst.ini" <<EOF
[PostgreSQL Unicode]
Description = PostgreSQL ODBC driver (Unicode)
Driver = $driver
UsageCount = 1
EOF
  cat >"$WR_PG_DIR/odbc/odbc.ini" <<EOF
[wr_test]
Driver = PostgreSQL Unicode
Servername = 127.0.0.1
Port = $WR_PG_PORT
Database = postgres
Username = postgres
EOF
  ODBCSYSINI="$WR_PG_DIR/odbc"
  ODBCINI="$WR_PG_DIR/odbc/odbc.ini"
  # psqlodbc settings: server-side prepare for typed parameters, text as unbounded long
  # varchar so 5-million-character findings come back whole, real booleans.
  WR_TEST_ODBC="Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=$WR_PG_PORT;Database=postgres;Uid=postgres;Pwd=;UseServerSidePrepare=1;TextAsLongVarchar=1;MaxLongVarcharSize=-4;BoolsAsChar=0"
  WR_TEST_ODBC_WORKSTATION="${WR_TEST_ODBC/Uid=postgres/Uid=wr_ws}"
  # The workstations' login: no superuser, no CREATEDB, no rights of its own beyond its role.
  if ! psql -h 127.0.0.1 -p "$WR_PG_PORT" -U postgres -d postgres -v ON_ERROR_STOP=1 -q \
        -c "CREATE ROLE wr_workstation NOLOGIN" \
        -c "CREATE ROLE wr_ws LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE IN ROLE wr_workstation" \
        >"$WR_PG_DIR/roles.log" 2>&1; then
    echo "Could not create the workstation login:" >&2; cat "$WR_PG_DIR/roles.log" >&2
    return 1
  fi
  export WR_PG_DIR WR_PG_PORT WR_TEST_ODBC WR_TEST_ODBC_WORKSTATION ODBCSYSINI ODBCINI WR_TEST_PG_STOP WR_TEST_PG_START
  echo "PostgreSQL $("$bindir/postgres" --version | awk '{print $3}') running on 127.0.0.1:$WR_PG_PORT ($WR_PG_DIR)"
}

pg_cluster_stop() {
  [ -n "${WR_PG_DIR:-}" ] && [ -d "$WR_PG_DIR" ] || return 0
  local bindir
  bindir=$(pg_cluster_bindir) || true
  if [ -n "$bindir" ] && [ -f "$WR_PG_DIR/data/postmaster.pid" ]; then
    pg_as_owner "$bindir/pg_ctl" -D "$WR_PG_DIR/data" -m fast -w -t 30 stop >/dev/null 2>&1 ||
      pg_as_owner "$bindir/pg_ctl" -D "$WR_PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$WR_PG_DIR"
  WR_PG_DIR=
}
