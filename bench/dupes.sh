#!/bin/sh
# dupes.sh [NODES]: the CPU seconds of dupes on a tree of NODES nodes
# (default 1,000,000) under the root, whose hrefs repeat: node i links to
# http://example.com/(i mod 0.7 NODES), so 30 % of the links are held twice
# and 60 % of the nodes are listed. The figure is the time of load, dupes
# (answered no) and quit less that of load and quit, median of RUNS runs
# (default 3); dupes writes every path to standard output (to /dev/null here).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
nodes=${1:-1000000}
runs=${RUNS:-3}
. "$here/bench/common.sh"
build_bench Release ravelink
bin=$here/build-bench/ravelink
work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-dupes.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
awk -v n="$nodes" 'BEGIN { printf "Root\r\n\r\nc\r\n"
  for (i = 1; i <= n; i++) printf "%sNode %d\r\nhttp://example.com/%d\r\n", (i == 1 ? "" : "n\r\n"), i, i % int(n * 0.7)
  printf "p\r\n" }' > tree.tree
printf 'load\ny\ntree.tree\nquit\n' > load.in
printf 'load\ny\ntree.tree\ndupes\nn\nquit\n' > dupes.in
cpu() {
  i=0
  while [ $i -lt "$runs" ]; do
    RAVELINK_INSTALLED_TEMPLATES= XDG_CONFIG_HOME="$work" \
      /usr/bin/time -f "%U %S" -o t.txt "$bin" page.html < "$1" > out.txt 2>/dev/null || true
    tail -n 1 t.txt | awk '{ printf "%.3f\n", $1 + $2 }'
    i=$((i + 1))
  done | median
}
load=$(cpu load.in)
dupes=$(cpu dupes.in)
grep -o '[0-9]* links are filed more than once ([0-9]* nodes)' out.txt
awk -v n="$nodes" -v l="$load" -v d="$dupes" \
  'BEGIN { printf "| %d | dupes (after load) | %.3f |\n", n, d - l }'
