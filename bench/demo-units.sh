#!/usr/bin/env bash
# Timed command-line run: the demo installation with 400 budget units, then the export of
# every report of all of them. Usage: bench/demo-units.sh [BUILD_DIR] [UNITS]
set -euo pipefail
build=${1:-build}
units=${2:-400}
cli="$build/src/cli/wertalo-cli"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export WERTALO_CONFIG_DIR="$dir/config"
list=$(seq -s, 1 "$units")
time "$cli" demo "$dir/demo" --units "$units" >/dev/null
time "$cli" export --win-ini "$dir/demo/win.ini" --jb "$list" --out "$dir/out" --all-statuses >/dev/null 2>&1
echo "files written: $(ls "$dir/out" | wc -l)"
