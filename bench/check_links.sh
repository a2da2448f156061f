#!/bin/sh
# check_links.sh [LINKS]: times the check command on a tree of LINKS links
# (default 10000) spread evenly over 16 loopback addresses, 127.0.0.1 to
# 127.0.0.16, each answered after 50 ms by one local server listening on
# them all (check_server.py). A benchmark, not a test: it prints figures.
#
# Two runs of the same tree, each timed with /usr/bin/time -v:
#   load        load the tree, quit (the page is written)
#   load+check  load the tree, check, quit
# The wall time of the check is the difference of the two; its memory is the
# peak of load+check over that of load (the tree's own). The script also
# checks the summary line: every link fine.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
links=${1:-10000}
build=$here/build-bench

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target ravelink >/dev/null

tmp=$(mktemp -d)
python3 "$here/bench/check_server.py" 50 > "$tmp/port" &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$tmp"' EXIT
for i in 1 2 3 4 5 6 7 8 9 10; do
  [ -s "$tmp/port" ] && break
  sleep 0.5
done
port=$(cat "$tmp/port")
[ -n "$port" ] || { echo "the server did not start" >&2; exit 1; }

# The tree in the marker format: a root and LINKS children.
awk -v n="$links" -v port="$port" 'BEGIN {
  printf "Benchmark links\n\nc\n"
  for (i = 0; i < n; i++) {
    if (i > 0) printf "n\n"
    printf "Link %d\nhttp://127.0.0.%d:%d/page/%d\n", i, i % 16 + 1, port, i
  }
  printf "p\n"
}' > "$tmp/links.tree"

cp "$here"/templates/*.tem "$tmp/"
cd "$tmp"
measure() {  # measure NAME SCRIPT: prints "NAME SECONDS PEAK_KIB"
  printf '%b' "$2" > script
  start=$(date +%s.%N)
  /usr/bin/time -v -o timing "$build/ravelink" out.html < script > out
  end=$(date +%s.%N)
  peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' timing)
  echo "$1 $(echo "$end - $start" | bc) $peak"
}
measure load 'load\ny\nlinks.tree\nquit\n' > figures
measure load+check 'load\ny\nlinks.tree\ncheck\nquit\n' >> figures
want="Checked $links links: $links fine, 0 moved, 0 dead, 0 errors."
grep -qF "$want" out || { echo "the check did not find every link fine:" >&2; tail -3 out >&2; exit 1; }

awk -v links="$links" '
  { name[NR] = $1; secs[NR] = $2; kib[NR] = $3 }
  END {
    printf "| run | wall time | peak memory |\n|---|---|---|\n"
    for (i = 1; i <= NR; i++) printf "| %s | %.2f s | %.1f MiB |\n", name[i], secs[i], kib[i] / 1024
    printf "\n%d links: the check took %.2f s and %.1f MiB over the tree (%.0f links a second).\n",
           links, secs[2] - secs[1], (kib[2] - kib[1]) / 1024, links / (secs[2] - secs[1])
  }' figures
