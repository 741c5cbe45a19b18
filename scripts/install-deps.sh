#!/usr/bin/env bash
# Installs the Debian 12 packages Tarvelo needs to build, and with --test
# also what its test suite needs (databases, ODBC drivers, XML and PNG checkers,
# a headless browser). Safe to run again: apt-get skips what is installed.
set -euo pipefail
build_pkgs=(build-essential cmake pkg-config
  libsqlite3-dev unixodbc-dev libcairo2-dev libssl-dev libmount-dev libblkid-dev
  libgtest-dev libgmock-dev libbenchmark-dev)
test_pkgs=(python3 libxml2-utils pngcheck
  postgresql odbc-postgresql libsqliteodbc unixodbc sqlite3
  chromium man-db groff-base)
want=("${build_pkgs[@]}")
if [[ "${1:-}" == "--test" ]]; then want+=("${test_pkgs[@]}"); fi
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
