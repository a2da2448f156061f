#!/bin/sh
# command_scale.sh [NODES ...]: what each kind of command costs as the tree
# grows (default 10000 100000 1000000 nodes), in a markdown table for
# bench/README.md.
#
# For each size it generates one tree (bench_make_trees, fixed seed), then
# runs the binary on scripts that load the tree, walk to the last node in
# tree order (a leaf at the bottom of the last family) and repeat one
# command kind REPS times (default 200000). The cost of a command is the
# time of that script less the time of the same script without the
# repetitions, divided by REPS. Whole-tree operations (list, save, load,
# page) are timed once each. Times are CPU seconds (user + system, from
# /usr/bin/time), the median of RUNS runs (default 3), so a busy machine
# disturbs them less than wall time would.
#
# Single-node commands should stay flat (at most 2x from the smallest to the
# largest tree); whole-tree ones linear (10x the nodes, at most 12x the time).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
sizes=${*:-10000 100000 1000000}
runs=${RUNS:-3}
reps=${REPS:-200000}

. "$here/bench/common.sh"
build_bench Release ravelink bench_make_trees
bin=$here/build-bench/ravelink
maker=$here/build-bench/bench_make_trees

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-scale.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# CPU seconds of one run of the binary on script $1; $2 says whether the
# templates are there (the page is written at quit).
cpu_once() {
  rm -f page.html
  if [ "$2" = page ]; then cp "$here"/templates/*.tem .; else rm -f ./*.tem; fi
  # Without templates the page fails and the run exits 1; that is no error here.
  RAVELINK_INSTALLED_TEMPLATES= XDG_CONFIG_HOME="$work" \
    /usr/bin/time -f "%U %S" -o t.txt "$bin" page.html < "$1" > out.txt || true
  if grep -v "^Error of generateOutput" out.txt | grep -q "^Error of"; then
    grep "^Error of" out.txt | sort | uniq -c | head -3 >&2
  fi
  tail -n 1 t.txt | awk '{ printf "%.4f\n", $1 + $2 }'
}


cpu() {
  i=0
  while [ $i -lt "$runs" ]; do cpu_once "$1" "$2"; i=$((i + 1)); done | median
}

# The walk from the root to the last node in tree order: at each level the
# last child, reached with bfc and as many bnn as it has elder siblings.
path_to_last() {
  awk 'NR % 2 == 1 {
         d = 0; while (substr($0, d + 1, 1) == "\t") d++
         count[d]++
         for (k = d + 1; k in count; k++) delete count[k]
         deepest = d
       }
       END {
         for (d = 1; d <= deepest; d++) {
           print "bfc"
           for (i = 1; i < count[d]; i++) print "bnn"
         }
       }' tree.vcl
}

# Prints REPS copies of the lines given.
repeat() { awk -v n="$reps" -v body="$1" 'BEGIN { for (i = 0; i < n; i++) print body }'; }

{
  echo "| nodes | command | CPU per command (us) |"
  echo "|---:|---|---:|"
} > single.md
{
  echo "| nodes | operation | CPU seconds |"
  echo "|---:|---|---:|"
} > whole.md

for size in $sizes; do
  "$maker" "$size" tree > shape.txt
  printf 'load\ny\ntree.tree\n' > load.in
  { cat load.in; path_to_last; } > base.in
  { cat base.in; echo quit; } > base-quit.in

  base=$(cpu base-quit.in none)
  for kind in aac aann del browse push/pop copy+paste setwp/gotowp move12 undo redo; do
    case $kind in
      aac) body='aac\nAdded\nhttp://example.com/added' ;;
      aann) body='aann\nAdded\nhttp://example.com/added' ;;
      del) body='aann\nDoomed\n\ndel' ;;  # an add and a delete, counted as one
      browse) body='bparn\nbfc\nbnn\nbpn' ;;
      push/pop) body='push\npop' ;;
      copy+paste) body='copy\npasaft' ;;
      setwp/gotowp) body='setwp1\ngotowp1' ;;
      move12) body='setwp1\nsetwp2\nmove12' ;;
      undo) body='aac\nAdded\nhttp://example.com/added\nundo' ;;  # an add and its undo
      redo) body='aac\nAdded\nhttp://example.com/added\nundo\nredo' ;;  # add, undo, redo
    esac
    # browse starts one level up so that bfc/bnn/bpn have somewhere to go.
    { cat base.in; [ "$kind" != browse ] || echo bparn; repeat "$body"; echo quit; } > run.in
    t=$(cpu run.in none)
    awk -v n="$size" -v k="$kind" -v t="$t" -v b="$base" -v r="$reps" \
      'BEGIN { printf "| %d | %s | %.2f |\n", n, k, (t - b) / r * 1e6 }' >> single.md
  done

  load=$(cpu base-quit.in none)
  { cat load.in; echo quit; } > plain.in
  loadonly=$(cpu plain.in none)
  { cat load.in; echo save; echo copy.tree; echo quit; } > save.in
  save=$(cpu save.in none)
  { cat load.in; echo list; awk -v n="$size" 'BEGIN { for (i = 0; i < n / 24 + 2; i++) print "" }'
    echo quit; } > list.in
  list=$(cpu list.in none)
  page=$(cpu plain.in page)
  awk -v n="$size" -v l="$loadonly" -v s="$save" -v li="$list" -v p="$page" 'BEGIN {
    printf "| %d | load | %.3f |\n", n, l
    printf "| %d | save (after load) | %.3f |\n", n, s - l
    printf "| %d | list (after load) | %.3f |\n", n, li - l
    printf "| %d | page at quit (after load) | %.3f |\n", n, p - l
  }' >> whole.md
  echo "$size nodes done" >&2
done

cat single.md
echo
cat whole.md
