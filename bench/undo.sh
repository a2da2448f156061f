#!/bin/sh
# undo.sh: what undo and redo cost, in CPU seconds (user + system, from
# /usr/bin/time, the median of RUNS runs, default 3), as a markdown table
# for bench/README.md:
# - from an empty tree, 100,000 aac, then 100,000 undo, then 100,000 redo
#   (the undos and the redos together: the time of the whole script less
#   the time of the adds alone);
# - del of a subtree of 100,000 nodes, and its undo;
# - zap of a tree of 1,000,000 nodes, and its undo.
# Each figure is the time of a script less the time of the same script
# without the commands measured.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-3}

. "$here/bench/common.sh"
build_bench Release ravelink
bin=$here/build-bench/ravelink

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-undo.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

cpu_once() {
  RAVELINK_INSTALLED_TEMPLATES= XDG_CONFIG_HOME="$work" \
    /usr/bin/time -f "%U %S %M" -o t.txt "$bin" page.html < "$1" > out.txt || true
  if grep -v "^Error of generateOutput" out.txt | grep -q "^Error of"; then
    grep "^Error of" out.txt | sort | uniq -c | head -3 >&2
  fi
  tail -n 1 t.txt | awk '{ printf "%.4f %d\n", $1 + $2, $3 }'
}
median() { sort -n | awk '{ v[NR] = $1; m[NR] = $2 } END { i = int((NR + 1) / 2); print v[i], m[i] }'; }
cpu() {
  i=0
  while [ $i -lt "$runs" ]; do cpu_once "$1"; i=$((i + 1)); done | median
}
repeat() { awk -v n="$2" -v body="$1" 'BEGIN { for (i = 0; i < n; i++) print body }'; }

# 100,000 adds, their undos, their redos.
repeat 'aac\nAdded\nhttp://example.com/added' 100000 > adds.in
{ cat adds.in; echo quit; } > a.in
{ cat adds.in; repeat undo 100000; echo quit; } > au.in
{ cat adds.in; repeat undo 100000; repeat redo 100000; echo quit; } > aur.in
set -- $(cpu a.in); adds=$1
set -- $(cpu au.in); undos=$1
set -- $(cpu aur.in); redos=$1 peak=$2
# Check that every undo and redo was done: the last redo leaves 100,000 nodes.
{ cat adds.in; repeat undo 100000; repeat redo 100000; echo save; echo after.tree; echo quit; } > check.in
"$bin" page.html < check.in > out.txt 2>/dev/null || true
nodes=$(grep -c '^Added' after.tree || true)
fails=$(grep -c 'nothing to' out.txt || true)

# A tree of one node above 100,000 (for del) and of 1,000,000 (for zap).
awk -v n=100000 'BEGIN { printf "Root\r\n\r\nc\r\nTop\r\n\r\nc\r\n";
  for (i = 1; i <= n; i++) printf "%sNode %d\r\nhttp://example.com/%d\r\n", (i == 1 ? "" : "n\r\n"), i, i
  printf "p\r\np\r\n" }' > sub.tree
awk -v n=1000000 'BEGIN { printf "Root\r\n\r\nc\r\n";
  for (i = 1; i <= n; i++) printf "%sNode %d\r\nhttp://example.com/%d\r\n", (i == 1 ? "" : "n\r\n"), i, i
  printf "p\r\n" }' > big.tree
printf 'load\ny\nsub.tree\nbfc\nquit\n' > s.in
printf 'load\ny\nsub.tree\nbfc\ndel\nquit\n' > sd.in
printf 'load\ny\nsub.tree\nbfc\ndel\nundo\nquit\n' > sdu.in
set -- $(cpu s.in); s=$1
set -- $(cpu sd.in); sd=$1
set -- $(cpu sdu.in); sdu=$1
printf 'load\ny\nbig.tree\nquit\n' > b.in
printf 'load\ny\nbig.tree\nzap\ny\nquit\n' > bz.in
printf 'load\ny\nbig.tree\nzap\ny\nundo\nquit\n' > bzu.in
set -- $(cpu b.in); b=$1
set -- $(cpu bz.in); bz=$1
set -- $(cpu bzu.in); bzu=$1 zpeak=$2

echo "| what | CPU seconds |"
echo "|---|---:|"
awk -v a="$adds" -v u="$undos" -v r="$redos" -v s="$s" -v sd="$sd" -v sdu="$sdu" \
    -v b="$b" -v bz="$bz" -v bzu="$bzu" 'BEGIN {
  printf "| 100,000 aac | %.3f |\n", a
  printf "| their 100,000 undo | %.3f |\n", u - a
  printf "| their 100,000 redo | %.3f |\n", r - u
  printf "| the undos and redos together | %.3f |\n", r - a
  printf "| del of a subtree of 100,001 nodes | %.3f |\n", sd - s
  printf "| its undo | %.3f |\n", sdu - sd
  printf "| zap of 1,000,001 nodes | %.3f |\n", bz - b
  printf "| its undo | %.3f |\n", bzu - bz
}'
echo
echo "After the 100,000 redos the tree holds $nodes added nodes; $fails undo or redo refused."
echo "Peak memory: $((peak / 1024)) MiB after adds, undos and redos; $((zpeak / 1024)) MiB for the zap and its undo."
