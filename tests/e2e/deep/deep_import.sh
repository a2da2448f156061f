#!/bin/sh
# deep_import.sh BINARY TEMPLATES: imports a bookmark file of 10,000 folders,
# each inside the one before and each holding a link. Folders below level
# 1000 are not made: their links go into the folder at level 1000, the
# report says how many folders were flattened, and the page that quit writes
# stays under 50 MB (with every level made it was 200 MB). The OPML export of
# that tree is refused (no OPML reader takes 1000 levels back); the bookmark
# file export is written.
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") templates=$(cd "$2" && pwd) || exit 1
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" && cp "$templates"/*.tem . || exit 1

awk 'BEGIN {
  n = 10000
  print "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Deep</TITLE>\n<H1>Deep</H1>\n<DL><p>"
  for (i = 1; i <= n; i++)
    printf "<DT><H3>F%d</H3>\n<DL><p>\n<DT><A HREF=\"https://deep.example/%d\">L%d</A>\n", i, i, i
  for (i = 1; i <= n; i++) print "</DL><p>"
  print "<DT><A HREF=\"https://deep.example/after\">After</A>\n</DL><p>"
}' > deep.html
printf 'import\ndeep.html\nexport\ndeep.opml\nexport\ndeep-out.html\nquit\n' > script
"$bin" page.html < script > out 2> err
status=$?

fail=0
[ "$status" = 0 ] || { echo "exit status $status"; fail=1; }
[ ! -s err ] || { echo "standard error:"; cat err; fail=1; }
printf '%s\n' 'The filename for output is "page.html".' \
  '-File name: Imported 10001 links and 1000 folders.' \
  'Folders deeper than 1000 levels, flattened: 9000' \
  '-File name: Error of export: too deep for OPML' \
  '-File name: -' | head -c -1 | cmp -s - out || { echo "standard output:"; cat out; fail=1; }
[ ! -e deep.opml ] || { echo "deep.opml was written"; fail=1; }
[ "$(grep -c '<H3>' deep-out.html)" = 1000 ] || { echo "deep-out.html: not 1000 folders"; fail=1; }
size=$(wc -c < page.html)
[ "$size" -lt 50000000 ] || { echo "page.html is $size bytes"; fail=1; }
exit "$fail"
