#!/usr/bin/env bash
# Builds Tarvelo and runs every test: unit tests and the black-box tests that
# drive the built program against real trees, SQLite, PostgreSQL and ODBC.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/install-deps.sh --test
build=${TARVELO_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
# Services the database tests need live only as long as this script.
if [[ -x scripts/test-services.sh ]]; then
  source scripts/test-services.sh
  start_test_services
  trap stop_test_services EXIT
fi
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
