#!/usr/bin/env bash
# Runs every fuzz target for a while from its seed corpus, with its
# dictionary where it has one, and prints the inputs run and the edges
# covered per target. New inputs go to a scratch folder, so the committed
# corpus stays as it is; a failing target's log is kept as fuzz-<target>.log.
#     scripts/fuzz-smoke.sh [seconds per target, default 60] [target...]
# Naming targets (such as transfer_scan) runs only those.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
shift || true
only=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
failed=0
printf '%-20s %10s %7s  %s\n' target runs edges result
for exe in "$root"/build-fuzz/fuzz/fuzz_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  name=${exe##*/fuzz_}
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " == *" $name "* ]]; then
    continue
  fi
  args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/$name-")
  [ -f "$root/fuzz/dict/$name.dict" ] && args+=(-dict="$root/fuzz/dict/$name.dict")
  mkdir -p "$work/$name"
  corpora=("$work/$name")
  [ -d "$root/fuzz/corpus/$name" ] && corpora+=("$root/fuzz/corpus/$name")
  log=$work/$name.log
  result=ok
  # Window targets write their preview pages into the current folder.
  if ! (cd "$work" && "$exe" "${args[@]}" "${corpora[@]}") >"$log" 2>&1; then
    result="FAILED, log in fuzz-$name.log"
    cp "$log" "$root/fuzz-$name.log"
    failed=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1 || true)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
  printf '%-20s %10s %7s  %s\n' "$name" "${runs:-?}" "${edges:-?}" "$result"
done
exit $failed
