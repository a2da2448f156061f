#!/bin/sh
# browser_files.sh BINARY SOURCE: the browsers' own files, written by the
# real browsers and imported while the browser still runs.
#   Firefox: a new profile holding only bookmarks.html (the Firefox-layout
#   fixture) makes Firefox's importer fill places.sqlite on its first start;
#   imported while the headless Firefox holds the database locked, the tree
#   must be that of the bookmark file, the menu's items in a "Bookmarks
#   Menu" folder.
#   Chromium: an extension in a fresh profile adds bookmarks through the
#   bookmarks API, Chromium writes its Bookmarks file, and the import must
#   give the tree in chromium-bookmarks.md.
# Skipped (exit 77) when firefox-esr or chromium is not installed.
bin=$1 source=$2
here=$source/tests/e2e/clients
command -v firefox-esr >/dev/null 2>&1 || { echo "no firefox-esr"; exit 77; }
command -v chromium >/dev/null 2>&1 || { echo "no chromium"; exit 77; }
tmp=$(mktemp -d) || exit 1
pids=""
trap 'for p in $pids; do kill "$p" 2>/dev/null; done; sleep 1; rm -rf "$tmp"' EXIT
export HOME="$tmp/home"
mkdir -p "$HOME" "$tmp/run" "$tmp/firefox" "$tmp/chromium"

# export_md FILE OUT: imports FILE into an empty tree and writes it as
# Markdown; false when OUT was not written. (The run has no templates, so
# its page fails at quit; the export is what counts.)
export_md() {
  rm -f "$2"
  (cd "$tmp/run" && printf 'import\n%s\nexport\n%s\nquit\n' "$1" "$2" | "$bin" page.html) \
    > "$tmp/run/log" 2>&1
  [ -f "$2" ]
}

cp "$source/tests/interchange/fixtures/firefox.html" "$tmp/firefox/bookmarks.html"
firefox-esr --headless --no-remote --profile "$tmp/firefox" about:blank >/dev/null 2>&1 &
firefox=$!
pids="$firefox"
# The importer runs on the first start; wait until its links are there.
tries=0
until export_md "$tmp/firefox/places.sqlite" "$tmp/places.md" &&
      grep -q "Customize Firefox" "$tmp/places.md" 2>/dev/null &&
      grep -q "untitled.example.com" "$tmp/places.md"; do
  tries=$((tries + 1))
  [ "$tries" -lt 90 ] || { echo "Firefox made no places.sqlite"; cat "$tmp/run/log"; exit 1; }
  sleep 1
done
kill -0 "$firefox" 2>/dev/null || { echo "Firefox was no longer running"; exit 1; }
export_md "$tmp/firefox/places.sqlite" "$tmp/places.md" || exit 1
[ -f "$tmp/firefox/places.sqlite-wal" ] || echo "note: no write-ahead log beside the database"
export_md "$source/tests/interchange/fixtures/firefox.html" "$tmp/html.md" || exit 1
# The bookmark file's tree with the menu's items moved into their folder.
python3 - "$tmp/html.md" > "$tmp/expected.md" <<'PY' || exit 1
import sys
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
title = lines[0][2:]
menu, rest, inside = [], [], None
for line in lines[2:]:
    if not line.startswith(" "):
        inside = rest if line[2:] in ("Bookmarks Toolbar", "Other Bookmarks") else menu
    (inside.append(line) if inside is rest else menu.append("  " + line))
print("- " + title)
print("\n".join(menu + rest))
PY
diff -u "$tmp/expected.md" "$tmp/places.md" || exit 1

cp -R "$here/chromium-extension" "$tmp/extension"
chromium --headless=new --no-sandbox --disable-gpu --user-data-dir="$tmp/chromium" \
  --disable-background-networking --disable-component-update --disable-sync --no-first-run \
  --disable-extensions-except="$tmp/extension" --load-extension="$tmp/extension" \
  about:blank >/dev/null 2>&1 &
pids="$pids $!"
tries=0
until grep -q "example.net/long" "$tmp/chromium/Default/Bookmarks" 2>/dev/null; do
  tries=$((tries + 1))
  [ "$tries" -lt 90 ] || { echo "Chromium wrote no Bookmarks file"; exit 1; }
  sleep 1
done
export_md "$tmp/chromium/Default/Bookmarks" "$tmp/chromium.md" || exit 1
diff -u "$here/chromium-bookmarks.md" "$tmp/chromium.md" || exit 1
echo "both browsers' files imported as expected"
