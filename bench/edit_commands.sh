#!/bin/sh
# edit_commands.sh [BINARY] [COMMANDS]: pipes a script of COMMANDS editing
# commands (default 1,000,000: adds of children and siblings, browses and a
# few deletes) into BINARY (default build/ravelink) and reports the commands
# per second and the peak memory. The run ends with quit, so the page of the
# resulting tree (about half a million nodes) is written too.
#
# edit_commands.sh --script [COMMANDS]: prints the script and runs nothing
# (bench/run.sh times it itself).
set -e
if [ "$1" = --script ]; then script_only=1; shift; fi
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build/ravelink}
case $bin in /*) ;; *) bin=$PWD/$bin ;; esac
count=${2:-1000000}
[ -z "$script_only" ] || count=${1:-1000000}

# Each cycle of ten commands adds a top-level node, gives it three children,
# inserts two siblings among them, browses, deletes one and climbs back.
write_script() {
awk -v n="$count" 'BEGIN {
  print "aac"; print "Top 0"; print "http://example.com/top/0"; print "bfc"
  for (i = 2; i + 10 <= n; i += 10) {
    c = (i - 2) / 10 + 1
    print "aann"; print "Top " c; print "http://example.com/top/" c
    for (k = 1; k <= 3; k++) { print "aac"; print "Child " k " of " c; print "http://example.com/" c "/" k ".html" }
    print "bfc"
    print "aann"; print "After first " c; print "http://example.com/" c "/after.html"
    print "aapn"; print "Before " c; print "http://example.com/" c "/before.html"
    print "bnn"
    print "del"
    print "bparn"
  }
  print "quit"
}'
}
if [ -n "$script_only" ]; then write_script; exit 0; fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$here"/templates/*.tem "$tmp"/
write_script > "$tmp/script"

cd "$tmp"
/usr/bin/time -v "$bin" page.html < script > console.txt 2> time.txt
wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' time.txt)
peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' time.txt)
seconds=$(echo "$wall" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
errors=$(grep -c '^-*Error of' console.txt || true)
awk -v n="$count" -v s="$seconds" -v kb="$peak" -v e="$errors" 'BEGIN {
  printf "commands: %d  wall: %.2f s  commands/s: %.0f  peak memory: %.1f MB  error lines: %d\n",
         n, s, (s > 0 ? n / s : 0), kb / 1024, e }'
