#!/bin/sh
# sample-page.sh [BINARY]: remakes doc/sample-page.png, the README's picture
# of the sample tree's page, with headless Chromium. Run it from the top of
# the source tree after a build. The sample's Chinese texts need a CJK font
# (Debian: fonts-wqy-microhei); without one they show as empty boxes.
set -e
top=$(pwd)
bin=$(cd "$(dirname "${1:-build/ravelink}")" && pwd)/$(basename "${1:-build/ravelink}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp templates/*.tem "$tmp"
cd "$tmp"
printf 'sample\ny\nquit\n' | "$bin" links.html index.html > /dev/null
HOME=$tmp timeout 60 chromium --headless --no-sandbox --disable-gpu --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$tmp/profile" --hide-scrollbars --window-size=720,660 \
  --screenshot="$top/doc/sample-page.png" "file://$tmp/links.html" 2> /dev/null
