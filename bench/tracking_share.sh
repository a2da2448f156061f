#!/bin/sh
# tracking_share.sh [BINARY [LINKS]]: how many of the hrefs over 127 bytes an
# import keeps by removing their tracking parameters. Writes the corpus of
# make_link_corpus.py (default 5000 links), imports it with BINARY (default
# build/ravelink) in a scratch folder without templates (no page) and reads
# the two report lines: links shortened, and links skipped as too long.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build/ravelink}
bin=$(cd "$(dirname "$bin")" && pwd)/$(basename "$bin")
links=${2:-5000}
work=$(mktemp -d "${TMPDIR:-/tmp}/ravelink-tracking.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 "$here/bench/make_link_corpus.py" "$links" > "$work/corpus.html"
cd "$work"
printf 'import\ncorpus.html\nquit\n' | "$bin" page.html > report 2>/dev/null || true
shortened=$(sed -n 's/.*Links shortened by removing tracking parameters: //p' report)
skipped=$(sed -n 's/.*Links skipped, href longer than 127 bytes (listed below): //p' report)
shortened=${shortened:-0} skipped=${skipped:-0}
long=$((shortened + skipped))
[ "$long" -gt 0 ] || { echo "tracking_share.sh: no report from $bin" >&2; cat report >&2; exit 1; }
echo "links: $links, over 127 bytes: $long, kept without tracking parameters: $shortened" \
  "($((shortened * 1000 / long / 10)).$((shortened * 1000 / long % 10)) %), still skipped: $skipped"
