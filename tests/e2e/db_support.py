"""Helpers of the database tests: names the program gives its tables, the
history database read back with SQL, a private install whose custom.ini names
an ODBC data source, and fresh PostgreSQL databases on the test services'
cluster (scripts/test-services.sh)."""
import hashlib
import os
import socket
import sqlite3
import subprocess
import uuid

PG_CONNECTION = os.environ.get("TARVELO_PG_CONNECTION", "")
PG_SKIP_REASON = ("TARVELO_PG_CONNECTION is not set: run the tests through scripts/run-tests.sh, "
                  "or source scripts/test-services.sh and call start_test_services")


def path_key(path, upper=True):
    """The path key of an ASCII path: MD5 of the (upper-cased) path, upper-case hex."""
    text = path.upper() if upper else path
    data = "".join(c if ord(c) < 128 else "?" for c in text).encode("ascii")
    return hashlib.md5(data).hexdigest().upper()


def computer_name():
    return socket.gethostname().split(".")[0]


def history_database(run):
    return os.path.join(run.data_folder, "FolderHistory", "Database", "Quorvane.db")


def sqlite_rows(file, sql, args=()):
    con = sqlite3.connect(file)
    con.text_factory = lambda b: b.decode("utf-8", "replace")
    try:
        return con.execute(sql, args).fetchall()
    finally:
        con.close()


def sqlite_tables(file):
    return sorted(r[0] for r in sqlite_rows(file, "SELECT name FROM sqlite_master WHERE type='table'"))


def odbc_install(case, connection, data_folder=None, portable=False):
    """A private install whose custom.ini turns ODBC on with `connection`."""
    binary = case.private_install()
    lines = ["[Main]", "useodbc=1", "connectionstring=" + connection]
    if portable:
        lines.append("PortableMode=1")
    if data_folder:
        lines.append("DataPath=" + data_folder)
    with open(os.path.join(os.path.dirname(binary), "custom.ini"), "w") as f:
        f.write("\r\n".join(lines) + "\r\n")
    return binary


def psql(sql, database=None):
    """Rows of `sql` on the test cluster, each a list of texts."""
    out = subprocess.run(
        ["psql", "-h", os.environ["TARVELO_PG_HOST"], "-p", os.environ["TARVELO_PG_PORT"],
         "-U", os.environ["TARVELO_PG_USER"], "-d", database or os.environ["TARVELO_PG_DATABASE"],
         "-X", "-q", "-A", "-t", "-F", "\x1f", "-v", "ON_ERROR_STOP=1", "-c", sql],
        capture_output=True, check=True).stdout.decode("utf-8")
    return [line.split("\x1f") for line in out.splitlines() if line != ""]


def fresh_pg_database(case):
    """A new empty database for one test; its connection string. Dropped afterwards."""
    name = "t_" + uuid.uuid4().hex[:16]
    psql('CREATE DATABASE "%s"' % name, database="postgres")
    case.addCleanup(psql, 'DROP DATABASE IF EXISTS "%s" WITH (FORCE)' % name, "postgres")
    parts = [p for p in PG_CONNECTION.split(";") if p and not p.lower().startswith("database=")]
    return ";".join(parts + ["Database=" + name]), name


def pg_tables(database):
    return sorted(r[0] for r in psql(
        "SELECT table_name FROM information_schema.tables WHERE table_schema='public'", database))
