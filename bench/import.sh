#!/bin/sh
# import.sh [LINKS FOLDERS]: the import benchmark. Generates a bookmark file
# in Chromium's layout (bench_make_bookmarks; default 400000 links in 20000
# folders, about 100 MB) and times, RUNS times each (default 3), taking the
# median of the wall time and of the peak memory from /usr/bin/time -v:
#
#   cat       cat FILE > copy: reading the bytes, the floor
#   sax       bench_sax_only FILE: libxml2's HTML parser alone, callbacks
#             that only count, reading the file as import does
#   sax-push  bench_sax_only FILE push: the same through libxml2's push parser
#   import    import, quit in a folder without templates: no page
#   import-twice  the same file imported twice: the second import merges
#             and adds nothing; the difference from "import" is its time
#
# and checks that the import read every link and folder. Prints a markdown
# table, with the CPU time (user + system) beside the wall time: on a
# machine that other work shares, the CPU time says more. Needs about
# 200 MB in /tmp.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
links=${1:-400000}
folders=${2:-20000}
runs=${RUNS:-3}

. "$here/bench/common.sh"
build_bench RelWithDebInfo ravelink bench_make_bookmarks bench_sax_only
bin=$here/build-bench

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-import-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
file=$work/bookmarks.html
"$bin/bench_make_bookmarks" "$links" "$folders" "$file"
mkdir "$work/run"
printf 'import\n%s\nquit\n' "$file" > "$work/commands"
printf 'import\n%s\nimport\n%s\nquit\n' "$file" "$file" > "$work/commands-twice"

now() { date +%s%N; }

# run NAME COMMAND...: one timed run; appends "NAME SECONDS KB" to results.
run() {
  name=$1
  shift
  rm -f "$work/copy"
  sync
  start=$(now)
  /usr/bin/time -v -o "$work/time" "$@" > "$work/out" 2>&1 || true
  end=$(now)
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%d", s * 1000 }' "$work/time")
  echo "$name $(( (end - start) / 1000000 )) $kb $cpu" >> "$work/results"
}

: > "$work/results"
load=$(cut -d' ' -f1-3 /proc/loadavg)
i=0
while [ "$i" -lt "$runs" ]; do
  run cat sh -c "cat '$file' > '$work/copy'"
  run sax "$bin/bench_sax_only" "$file"
  run sax-push "$bin/bench_sax_only" "$file" push
  (cd "$work/run" && run import "$bin/ravelink" page.html < "$work/commands")
  grep -q "^-File name: Imported $links links and $folders folders\.$" "$work/out" ||
    { cat "$work/out" >&2; echo "import.sh: the import did not read every link" >&2; exit 1; }
  (cd "$work/run" && run import-twice "$bin/ravelink" page.html < "$work/commands-twice")
  grep -q "^-File name: Imported 0 links and 0 folders\.$" "$work/out" ||
    { cat "$work/out" >&2; echo "import.sh: the second import added something" >&2; exit 1; }
  i=$((i + 1))
done

size=$(wc -c < "$file")
nodes=$((links + folders + 1))
echo "File: $size bytes, $links links in $folders folders; the tree: $nodes nodes," \
     "$((nodes * 232 / 1048576)) MiB of nodes (232 bytes each)."
echo
echo "Load average before the runs: $load."
echo
echo "| run | wall (median of $runs) | CPU, user + system | peak memory |"
echo "|---|---|---|---|"
for name in cat sax sax-push import import-twice; do
  ms=$(awk -v n="$name" '$1 == n { print $2 }' "$work/results" | median)
  kb=$(awk -v n="$name" '$1 == n { print $3 }' "$work/results" | median)
  cpu=$(awk -v n="$name" '$1 == n { print $4 }' "$work/results" | median)
  printf '| %s | %d.%03d s | %d.%03d s | %d MiB |\n' "$name" $((ms / 1000)) $((ms % 1000)) \
    $((cpu / 1000)) $((cpu % 1000)) $((kb / 1024))
done
