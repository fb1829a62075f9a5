#!/usr/bin/env bash
# Timed command-line runs of the export of a city with many budget units.
#
# For the demo installation with UNITS budget units (default 400) it prints, for each export
# (per-report files of the city itself, per-report files of all its budget units, and the
# budget units' whole package in one file):
#   - the export's wall time and peak RSS,
#   - the floor: every row of every table read once by the sqlite3 command line, plus the
#     export's bytes written again as the same files (copied into a fresh folder),
#   - their ratio;
# then the time of `list` with every budget unit, the same budget-unit export from the demo on
# the Firebird server (when WERTALO_FB_HOST is set: eval "$(scripts/firebird-test-server)")
# with its ratio to SQLite and whether its files are byte-identical, and the time per report
# of the budget-unit export at 100, 200, 400 and 800 units.
#
# Usage: bench/demo-units.sh [BUILD_DIR] [UNITS] [GROWTH_UNITS...]
set -euo pipefail
build=${1:-build}
units=${2:-400}
shift $(( $# > 2 ? 2 : $# ))
growth=("$@")
[ ${#growth[@]} -gt 0 ] || growth=(100 200 400 800)
cli="$(cd "$build" && pwd)/src/cli/wertalo-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WERTALO_CONFIG_DIR="$work/config"

# measure NAME COMMAND...: runs the command, keeps its seconds and peak RSS (MB) in
# secs[NAME] and rss[NAME]; its output goes to $work/NAME.log.
declare -A secs rss
measure() {
  local name=$1
  shift
  if ! /usr/bin/time -f '%e %M' -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1; then
    echo "$name failed:" >&2
    cat "$work/$name.log" >&2
    exit 1
  fi
  read -r s k <"$work/$name.time"
  secs[$name]=$s
  rss[$name]=$((k / 1024))
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
sum() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a + b }'; }

make_demo() {  # make_demo DIR UNITS [demo options...]
  local dir=$1 n=$2
  shift 2
  "$cli" demo "$dir" --units "$n" "$@" >/dev/null
}

jb_list() { seq -s, 1 "$1"; }

# The floor's read: every row of every table of the database, once, by the sqlite3 command line.
read_all_rows='for t in $(sqlite3 "$1" "select name from sqlite_master where type='"'"'table'"'"'"); do
  echo "select * from \"$t\";"; done | sqlite3 "$1" >"$2"'

demo="$work/demo"
make_demo "$demo" "$units"
database=$(find "$demo" -name '*.sqlite' | head -n 1)
win="$demo/win.ini"
all=$(jb_list "$units")

measure read_rows bash -c "$read_all_rows" read_all_rows "$database" "$work/rows.txt"
measure city "$cli" export --win-ini "$win" --all-statuses --out "$work/city"
measure units "$cli" export --win-ini "$win" --all-statuses --jb "$all" --out "$work/units"
mkdir -p "$work/single"
measure single "$cli" export --win-ini "$win" --all-statuses --jb "$all" --single-file "$work/single/Sprawozdania.xml"
measure list "$cli" list --win-ini "$win" --all-statuses --jb "$all"

# The floor's write: the export's bytes as the same files, into a fresh folder.
measure city_copy cp -r "$work/city" "$work/city-copy"
measure units_copy cp -r "$work/units" "$work/units-copy"
measure single_copy cp -r "$work/single" "$work/single-copy"

echo "demo --units $units: $(du -sh "$database" | cut -f1) database, machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %8s %8s %7s %9s\n' "export" "time s" "floor s" "ratio" "peak MB"
for name in city units single; do
  floor=$(sum "${secs[read_rows]}" "${secs[${name}_copy]}")
  files=$(find "$work/$name" -type f | wc -l)
  bytes=$(du -sb "$work/$name" | cut -f1)
  printf '%-34s %8s %8s %7s %9s\n' "$name ($files files, $((bytes / 1024)) KB)" "${secs[$name]}" "$floor" \
    "$(ratio "${secs[$name]}" "$floor")" "${rss[$name]}"
done
echo "list of $units budget units: ${secs[list]} s"

if [ -n "${WERTALO_FB_HOST:-}" ] && [ -n "${WERTALO_FB_DIR:-}" ]; then
  fbdb="${WERTALO_FB_DIR}/bench-$$-$RANDOM.fdb"
  make_demo "$work/fbdemo" "$units" --firebird "$WERTALO_FB_HOST:$fbdb" --user "$WERTALO_FB_USER" \
    --password "$WERTALO_FB_PASSWORD"
  measure firebird "$cli" export --win-ini "$work/fbdemo/win.ini" --all-statuses --jb "$all" --out "$work/fb-units"
  same=identical
  diff -r "$work/units" "$work/fb-units" >/dev/null || same=DIFFERENT
  echo "firebird, all budget units per report: ${secs[firebird]} s, $(ratio "${secs[firebird]}" "${secs[units]}")x SQLite, peak ${rss[firebird]} MB, files $same"
  isql-fb -user "$WERTALO_FB_USER" -password "$WERTALO_FB_PASSWORD" "$WERTALO_FB_HOST:$fbdb" \
    <<<"drop database;" >/dev/null 2>&1 || true
else
  echo "firebird: skipped (no server; eval \"\$(scripts/firebird-test-server)\" first)"
fi

echo "growth: all budget units' reports, one file each"
printf '%8s %8s %8s %14s\n' "units" "files" "time s" "ms per report"
# Each size gets folders of its own, removed only at the end: on ext4 without a journal, files
# created right after many were deleted pay for a search past the deleted ones, which would be
# measured as the export's time.
for n in "${growth[@]}"; do
  make_demo "$work/g$n" "$n"
  measure "g$n" "$cli" export --win-ini "$work/g$n/win.ini" --all-statuses --jb "$(jb_list "$n")" --out "$work/g$n-out"
  files=$(find "$work/g$n-out" -type f | wc -l)
  printf '%8s %8s %8s %14s\n' "$n" "$files" "${secs[g$n]}" "$(awk -v s="${secs[g$n]}" -v f="$files" 'BEGIN { printf "%.2f", 1000 * s / f }')"
done
