#!/bin/sh
# run.sh [NODES ...]: the benchmark against a peer, in one command. RUNS=5
# takes the median of five runs instead of three.
#
# For each tree size (default 10000 100000 1000000 nodes) it generates one
# tree (bench_make_trees, fixed seed) in the marker format, the outline format
# and the peer's tab-indented outline, then times with /usr/bin/time -v, three
# times each, taking the median of the wall time and of the peak memory:
#
#   cat            cat FILE > copy: reading and writing the bytes, the floor
#   hnb            the peer outliner: ASCII import + HTML export
#   load           load, quit in a folder without templates: no page
#   load+page      load, quit: the page is written
#   loadvcl+page   loadvcl, quit
#   load+save      load, save, quit (page written)
#   load+savevcl   load, savevcl, quit (page written)
#   load+paste     load, copy the first top-level node (NODES/10 nodes),
#                  paste it after itself, quit (page written)
#   load+list      load, list answered "a" at the first paging prompt, quit
#   edit           NODES editing commands from edit_commands.sh on an empty
#                  tree, quit (page written)
#
# Wall time is taken by the script's clock around /usr/bin/time (whose own
# figure has 10 ms steps), peak memory from /usr/bin/time -v. The script also
# checks that every run did its work (pages hold every node, saves give
# back the generated files byte for byte, no error lines). It prints markdown
# tables: per size, each run's figures and its ratios to hnb and to cat; then
# how each run grows from size to size. Installs the peer (Debian package
# hnb) when it is missing. Needs about 1 GB in /tmp for 1,000,000 nodes.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
sizes=${*:-10000 100000 1000000}
runs=${RUNS:-3}

. "$here/bench/common.sh"
need_hnb
build_bench RelWithDebInfo ravelink bench_make_trees
bin=$here/build-bench/ravelink
maker=$here/build-bench/bench_make_trees

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
results=$work/results
: > "$results"
: > "$work/files"

fail() {
  echo "run.sh: $*" >&2
  exit 1
}

# Nanoseconds on the script's clock.
now() { date +%s%N; }

# measure NAME STATUS INPUT COMMAND...: runs COMMAND $runs times in the
# current folder with INPUT on standard input, expecting exit status STATUS;
# records the median wall time (s) and the median peak memory (KiB). Before
# each run the files that runs write are removed and written-back (sync,
# untimed), so no run waits for the previous one's writes.
measure() {
  name=$1 want=$2 input=$3
  shift 3
  : > "$work/samples"
  i=0
  while [ $i -lt $runs ]; do
    rm -f page.html o.html copy.tree out.tree out.vcl
    sync
    status=0
    start=$(now)
    /usr/bin/time -v -o "$work/time" "$@" < "$input" > "$work/stdout" 2> "$work/stderr" ||
      status=$?
    end=$(now)
    [ "$status" = "$want" ] || fail "$name: exit status $status, expected $want"
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
    echo "$(((end - start) / 1000)) $kb" >> "$work/samples"
    i=$((i + 1))
  done
  wall=$(cut -d' ' -f1 "$work/samples" | sort -n | sed -n "$(((runs + 1) / 2))p")
  kb=$(cut -d' ' -f2 "$work/samples" | sort -n | sed -n "$(((runs + 1) / 2))p")
  wall=$(awk -v us="$wall" 'BEGIN { printf "%.3f", us / 1e6 }')
  echo "$size $name $wall $kb" >> "$results"
  echo "  $name: $wall s, $kb KiB" >&2
}

spans() { grep -c '<span id=paragraph' "$1" || true; }

for size in $sizes; do
  echo "$size nodes" >&2
  dir=$work/$size
  mkdir -p "$dir/nopage"
  cd "$dir"
  cp "$here"/templates/*.tem .
  "$maker" "$size" tree > shape.txt
  echo "$(cat shape.txt); files: marker $(wc -c < tree.tree), outline $(wc -c < tree.vcl), peer's $(wc -c < tree.hnb)" >> "$work/files"
  pasted=$((size / 10))
  [ "$pasted" -ge 1 ] || pasted=1

  printf 'load\ny\ntree.tree\nquit\n' > load.in
  printf 'load\ny\n../tree.tree\nquit\n' > nopage/load.in
  printf 'loadvcl\ny\ntree.vcl\nquit\n' > loadvcl.in
  printf 'load\ny\ntree.tree\nsave\nout.tree\nquit\n' > save.in
  printf 'load\ny\ntree.tree\nsavevcl\nout.vcl\nquit\n' > savevcl.in
  printf 'load\ny\ntree.tree\nbfc\ncopy\npasaft\nquit\n' > paste.in
  printf 'load\ny\ntree.tree\nlist\na\nquit\n' > list.in
  sh "$here/bench/edit_commands.sh" --script "$size" > edit.in

  measure cat 0 /dev/null sh -c 'cat tree.tree > copy.tree'
  measure hnb 0 /dev/null hnb tree.hnb -a -rc /dev/null -e 'go root' 'export_html o.html'
  [ "$(grep -c '<LI>' o.html)" = "$size" ] || fail "hnb's export lacks nodes"
  (cd nopage && measure load 1 load.in "$bin" page.html)
  [ ! -e nopage/page.html ] || fail "a page was written without templates"
  measure load+page 0 load.in "$bin" page.html
  [ "$(spans page.html)" = $((size - 1)) ] || fail "load: the page lacks nodes"
  measure loadvcl+page 0 loadvcl.in "$bin" page.html
  [ "$(spans page.html)" = $((size - 1)) ] || fail "loadvcl: the page lacks nodes"
  measure load+save 0 save.in "$bin" page.html
  cmp -s out.tree tree.tree || fail "save did not give back the tree file"
  measure load+savevcl 0 savevcl.in "$bin" page.html
  cmp -s out.vcl tree.vcl || fail "savevcl did not give back the outline file"
  measure load+paste 0 paste.in "$bin" page.html
  [ "$(spans page.html)" = $((size - 1 + pasted)) ] || fail "paste: the page lacks nodes"
  measure load+list 0 list.in "$bin" page.html
  grep -q -e '-- MORE --' "$work/stdout" || fail "list: no paging prompt"
  measure edit 0 edit.in "$bin" page.html
  ! grep -q 'Error of' "$work/stdout" || fail "edit: error lines"
  cd "$here"
  rm -rf "$dir"
done

# ---- Tables ----
cpu=$(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -n 1)
echo "Machine: $(nproc) cores, $cpu; $(uptime | sed 's/.*load/load/')"
echo "Runs: median of $runs; wall time in seconds, peak memory (maximum resident set) in MiB."
echo "Trees (nodes per depth from the root down; file sizes in bytes):"
sed 's/^/- /' "$work/files"
for size in $sizes; do
  echo
  echo "### $size nodes"
  echo
  echo "| run | wall s | peak MiB | time / hnb | time / cat | memory / hnb |"
  echo "|---|---:|---:|---:|---:|---:|"
  awk -v n="$size" '$1 == n { name[++k] = $2; wall[$2] = $3; kb[$2] = $4 }
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
    END { for (i = 1; i <= k; i++) { r = name[i]
            printf "| %s | %.3f | %.1f | %s | %s | %s |\n", r, wall[r], kb[r] / 1024,
                   ratio(wall[r], wall["hnb"]), ratio(wall[r], wall["cat"]),
                   ratio(kb[r], kb["hnb"]) } }' "$results"
done

set -- $sizes
if [ $# -ge 2 ]; then
  echo
  echo "### Growth: wall time (s) at each size, and its ratio from one size to the next"
  echo
  awk -v sizes="$sizes" 'BEGIN { m = split(sizes, s, " ") }
    { wall[$1, $2] = $3; if (!($2 in seen)) { seen[$2] = 1; order[++k] = $2 } }
    END {
      line = "| run |"; rule = "|---|"
      for (j = 1; j <= m; j++) { line = line " " s[j] " |"; rule = rule "---:|" }
      for (j = 2; j <= m; j++) { line = line " x" s[j] / s[j - 1] " |"; rule = rule "---:|" }
      print line; print rule
      for (i = 1; i <= k; i++) { r = order[i]; line = "| " r " |"
        for (j = 1; j <= m; j++) line = line sprintf(" %.3f |", wall[s[j], r])
        for (j = 2; j <= m; j++) {
          a = wall[s[j - 1], r]; b = wall[s[j], r]
          line = line (a > 0 ? sprintf(" %.1f |", b / a) : " - |") }
        print line }
    }' "$results"
fi
