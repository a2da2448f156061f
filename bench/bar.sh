#!/bin/sh
# bar.sh [short]: the speed bar, in one command. RUNS=5 takes medians of
# five runs instead of three; BIG=0 leaves out the 10^7 tree.
#
# On the benchmark tree of 10^6 nodes (bench_make_trees; "short": the same
# shape with about 62 bytes of text and href a node instead of 95), one run
# after another, each timed by /usr/bin/time (CPU time: user + system):
#
#   hnb          the peer outliner: ASCII import + HTML export
#   load+page    load, quit: the page is written
#   load         load, quit in a folder without templates: no page
#   load+save    the same with a save (so a save is load+save less load)
#
# then load+page on the tree of 10^7 nodes of the same kind. The bar:
#
#   load+page at 10^6: at most 0.05 of hnb's CPU time in the same run
#   load+page at 10^7: at most 11 times the CPU time at 10^6 (linear), and
#                      peak memory at most the tree's text and href bytes
#                      + 40 bytes a node + 16 MiB
#
# The figures for which only a quiet machine speaks (load+page at most
# 0.22 s and load and save at most 0.12 s at 10^6, load+page at most 2.5 s
# at 10^7, on the short tree) are printed beside the bar, not judged. Every
# run is checked to have done its work (every node in the page, the save
# equal to the file). Exit status 0 when the bar is met, 1 when not.
# Needs hnb (installed with apt-get when missing) and about 3 GB in /tmp.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
shape=${1:-}
runs=${RUNS:-3}
big=${BIG:-1}

. "$here/bench/common.sh"
need_hnb
build_bench RelWithDebInfo ravelink bench_make_trees
bin=$here/build-bench/ravelink
maker=$here/build-bench/bench_make_trees

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-bar.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
  echo "bar.sh: $*" >&2
  exit 2
}

# cpu NAME STATUS INPUT COMMAND...: runs COMMAND $runs times in the current
# folder with INPUT on standard input, expecting exit status STATUS; sets
# $cpu to the median CPU seconds and $kib to the median peak memory (KiB).
cpu() {
  name=$1 want=$2 input=$3
  shift 3
  : > "$work/samples"
  i=0
  while [ $i -lt "$runs" ]; do
    rm -f page.html o.html out.tree
    sync
    status=0
    /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" < "$input" > "$work/stdout" 2>&1 ||
      status=$?
    [ "$status" = "$want" ] || fail "$name: exit status $status, expected $want"
    tail -n 1 "$work/time" | awk '{ printf "%.2f %d\n", $1 + $2, $3 }' >> "$work/samples"
    i=$((i + 1))
  done
  middle=$(((runs + 1) / 2))
  cpu=$(cut -d' ' -f1 "$work/samples" | sort -n | sed -n "${middle}p")
  kib=$(cut -d' ' -f2 "$work/samples" | sort -n | sed -n "${middle}p")
  echo "  $name: $(cut -d' ' -f1 "$work/samples" | tr '\n' ' ')s CPU; median $cpu s, $kib KiB" >&2
}

spans() { grep -c '<span id=paragraph' "$1" || true; }

# make_tree NODES: the tree in $work/NODES/, its text and href bytes in $bytes.
make_tree() {
  dir=$work/$1
  mkdir -p "$dir/nopage"
  cp "$here"/templates/*.tem "$dir"
  "$maker" "$1" "$dir/tree" $shape > "$dir/shape.txt"
  rm -f "$dir/tree.vcl"
  bytes=$(sed -n 's/.*text and href bytes //p' "$dir/shape.txt")
  printf 'load\ny\ntree.tree\nquit\n' > "$dir/load.in"
  printf 'load\ny\n../tree.tree\nquit\n' > "$dir/nopage/load.in"
  printf 'load\ny\n../tree.tree\nsave\nout.tree\nquit\n' > "$dir/nopage/save.in"
}

echo "10^6 nodes" >&2
make_tree 1000000
cd "$work/1000000"
size6=$(wc -c < tree.tree)
cpu hnb 0 /dev/null hnb tree.hnb -a -rc /dev/null -e 'go root' 'export_html o.html'
hnb=$cpu
[ "$(grep -c '<LI>' o.html)" = 1000000 ] || fail "hnb's export lacks nodes"
cpu load+page 0 load.in "$bin" page.html
page6=$cpu page6kib=$kib
[ "$(spans page.html)" = 999999 ] || fail "the page lacks nodes"
cd nopage
cpu load 1 load.in "$bin" page.html
load6=$cpu
cpu load+save 1 save.in "$bin" page.html
save6=$cpu
cmp -s out.tree ../tree.tree || fail "the save did not give back the tree file"
cd "$here"
rm -rf "$work/1000000"

if [ "$big" = 1 ]; then
  echo "10^7 nodes" >&2
  make_tree 10000000
  rm -f "$work/10000000/tree.hnb"
  cd "$work/10000000"
  size7=$(wc -c < tree.tree)
  cpu load+page 0 load.in "$bin" page.html
  page7=$cpu page7kib=$kib
  [ "$(spans page.html)" = 9999999 ] || fail "the page of 10^7 nodes lacks nodes"
  limit7=$(awk -v b="$bytes" 'BEGIN { printf "%d", (b + 40 * 10000000 + 16 * 1048576) / 1024 }')
  cd "$here"
  rm -rf "$work/10000000"
fi

cpuname=$(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -n 1)
echo "Machine: $(nproc) cores, $cpuname; $(uptime | sed 's/.*load/load/')"
echo "Tree: bench_make_trees ${shape:-(default)}; 10^6 nodes: $size6 bytes${size7:+; 10^7 nodes: $size7 bytes}"
echo "CPU seconds (user + system), medians of $runs runs; peak memory in MiB"
echo
met=0
judge() {  # judge TEXT CONDITION(awk)
  if awk "BEGIN { exit !($2) }"; then
    echo "| $1 | met |"
  else
    echo "| $1 | NOT met |"
    met=1
  fi
}
echo "| figure | value | bar |"
echo "|---|---:|---|"
awk -v h="$hnb" -v p="$page6" -v l="$load6" -v s="$save6" -v k="$page6kib" 'BEGIN {
  printf "| hnb, 10^6 | %.2f s | |\n", h
  printf "| load+page, 10^6 | %.2f s, %.1f MiB | (0.22 s on a quiet machine, short tree) |\n", p, k / 1024
  printf "| load, 10^6 | %.2f s | (0.12 s) |\n", l
  printf "| save (load+save less load), 10^6 | %.2f s | (0.12 s) |\n", s - l
}'
if [ "$big" = 1 ]; then
  awk -v p="$page7" -v k="$page7kib" -v m="$limit7" 'BEGIN {
    printf "| load+page, 10^7 | %.2f s, %.1f MiB | (2.5 s on a quiet machine, short tree) |\n", p, k / 1024
    printf "| memory allowed at 10^7 | %.1f MiB | |\n", m / 1024 }'
fi
echo
echo "| bar | |"
echo "|---|---|"
judge "load+page / hnb at 10^6 = $(awk -v p="$page6" -v h="$hnb" 'BEGIN { printf "%.3f", p / h }') <= 0.05" "$page6 <= 0.05 * $hnb"
if [ "$big" = 1 ]; then
  judge "load+page 10^7 / 10^6 = $(awk -v a="$page7" -v b="$page6" 'BEGIN { printf "%.1f", a / b }') <= 11" "$page7 <= 11 * $page6"
  judge "peak memory at 10^7 = $((page7kib / 1024)) MiB <= $((limit7 / 1024)) MiB" "$page7kib <= $limit7"
fi
exit $met
