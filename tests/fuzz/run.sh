#!/bin/sh
# run.sh OUT SECONDS [TARGET...]: runs each fuzz target built by build.sh in
# OUT for SECONDS, one after the other, on its checked-in corpus and
# dictionary (default: every target). New inputs go to OUT/corpus/TARGET, so
# the checked-in corpus is only read; a crashing input is written to
# OUT/crash-* and fails the run.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(cd "${1:?usage: run.sh OUT SECONDS [TARGET...]}" && pwd)
seconds=${2:?usage: run.sh OUT SECONDS [TARGET...]}
shift 2
targets=${*:-tree_file outline_file page program bookmark_import opml_import chromium_import places_import}
for target in $targets; do
  [ -x "$out/${target}_fuzz" ] || { echo "run.sh: no $out/${target}_fuzz: run build.sh" >&2; exit 1; }
  mkdir -p "$out/corpus/$target"
  echo "fuzzing $target for $seconds s"
  if ! "$out/${target}_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
      -print_final_stats=1 -dict="$root/tests/fuzz/$target.dict" \
      -artifact_prefix="$out/" "$out/corpus/$target" "$root/tests/fuzz/corpus/$target" \
      >"$out/$target.log" 2>&1; then
    tail -n 60 "$out/$target.log" >&2
    echo "run.sh: $target failed; the input is in $out (see $out/$target.log)" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$out/$target.log" || true
done
