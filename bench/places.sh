#!/bin/sh
# places.sh [BOOKMARKS]: the places.sqlite import benchmark. Writes a
# database in Firefox's layout (bench_make_places; default 100000
# bookmarks) and times, RUNS times (default 3), the import of it, quit in a
# folder without templates (no page), taking the median of the wall time,
# the CPU time and the peak memory from /usr/bin/time -v; checks that every
# bookmark was read. Prints a markdown row.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
bookmarks=${1:-100000}
runs=${RUNS:-3}

. "$here/bench/common.sh"
build_bench RelWithDebInfo ravelink bench_make_places
bin=$here/build-bench

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-places-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$bin/bench_make_places" "$bookmarks" "$work/places.sqlite"
mkdir "$work/run"
printf 'import\n%s\nquit\n' "$work/places.sqlite" > "$work/commands"
: > "$work/results"
i=0
while [ "$i" -lt "$runs" ]; do
  start=$(date +%s%N)
  (cd "$work/run" && /usr/bin/time -v -o "$work/time" "$bin/ravelink" page.html \
     < "$work/commands" > "$work/out" 2>&1 || true)
  end=$(date +%s%N)
  grep -q "^-File name: Imported $bookmarks links and " "$work/out" ||
    { cat "$work/out" >&2; echo "places.sh: the import did not read every bookmark" >&2; exit 1; }
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%d", s * 1000 }' "$work/time")
  echo "$(( (end - start) / 1000000 )) $cpu $kb" >> "$work/results"
  i=$((i + 1))
done
ms=$(cut -d' ' -f1 "$work/results" | median)
cpu=$(cut -d' ' -f2 "$work/results" | median)
kb=$(cut -d' ' -f3 "$work/results" | median)
echo "File: $(wc -c < "$work/places.sqlite") bytes, $bookmarks bookmarks. Load average: $(cut -d' ' -f1-3 /proc/loadavg)."
echo
echo "| run | wall (median of $runs) | CPU, user + system | peak memory |"
echo "|---|---|---|---|"
printf '| import places.sqlite | %d.%03d s | %d.%03d s | %d MiB |\n' $((ms / 1000)) $((ms % 1000)) \
  $((cpu / 1000)) $((cpu % 1000)) $((kb / 1024))
