#!/bin/sh
# page_in_browser.sh BINARY TEMPLATES: builds a tree of a few levels with the
# real binary on the shipped templates, quits with three file names so that
# the page and the frameset page are written, then opens both in headless
# Chromium and checks what the browser made of them (rendered_dom.py holds
# the expected tree and the checks). Exits 77, skipped, when Chromium or
# python3 is missing. Needs no network; every browser run has a time limit.
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") templates=$(cd "$2" && pwd) || exit 1
here=$(cd "$(dirname "$0")" && pwd)
chromium=$(command -v chromium) || {
  echo "SKIP: chromium not found; install the Debian package chromium to run this test"
  exit 77
}
python=$(command -v python3) || { echo "SKIP: python3 not found"; exit 77; }

tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/site" && cd "$tmp/site" && cp "$templates"/*.tem . || exit 1

# The page the frameset shows first in its second frame. Its name holds an
# apostrophe, blanks and a "#", which the frameset's src must carry as a URL.
cat > "it's home #1.html" <<'EOF'
<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Home</title></head>
<body><h1>Start here</h1></body></html>
EOF

# Leaves the tree of rendered_dom.py: Search (Web, Rock (Grüße (深い)), Last),
# Before tools, Tools.
"$bin" links.html index.html "it's home #1.html" > transcript <<'EOF'
settext
Reading list & <notes>
aac
Search & find
https://search.example.org/?q=a&lang='en'
aac
Tools
tools.html
bfc
aac
Web <b>search</b>
web.html
setprefix
pages/
aac
Last
last.html
setprefix

bfc
aann
Rock 'n' roll & <jazz>

aac
Grüße
gruesse.html
bfc
aac
深い
deep/深い.html
bparn
bparn
bnn
aapn
Before tools
before-tools.html
setbt
frame2
quit
EOF
status=$?
if [ $status -ne 0 ] || grep -q 'Error of\|Bad command' transcript; then
  echo "the run that builds the tree went wrong (exit status $status):"
  cat transcript
  exit 1
fi

"$python" "$here/rendered_dom.py" "$chromium" "$tmp/site" "$tmp"
