#!/bin/sh
# export_read_by_clients.sh BINARY TEMPLATES: builds a tree with the real
# binary, exports it, and has other programs read the files: buku imports
# the bookmark file (every link with its title, each tagged with its
# folder), pandoc and hnb read the OPML file (every text, every url pandoc
# keeps, the nesting). A client that is not installed is skipped; the test
# then ends with 77 (skipped) unless a client present failed.
bin=$1 templates=$2
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
cp "$templates"/*.tem . || exit 1
# Each client keeps its state here, never in the user's home.
mkdir home && HOME=$tmp/home XDG_DATA_HOME=$tmp/home/data && export HOME XDG_DATA_HOME

# A root href, a folder with an href, "&", quotes, "<", non-ASCII text and
# hrefs, an empty folder and five levels of nesting.
"$bin" out.html > console.txt <<'EOF' || { echo "ravelink failed"; exit 1; }
settext
Clients & "Co"
sethref
https://root.example/?a=1&b=2
aac
Café & Crème
https://ex.org/search?q=a&lang=fr
aac
日本語
https://ja.example/パス
aac
Empty folder

bfc
aac
It's "x" < 'y'
https://q.example/?x=1&y="z"&w=<v>
aac
Nested folder

bfc
bnn
aac
Deep 3

bfc
aac
Deep 4

bfc
aac
Bottom ü
https://deep.example/5
export
tree.html
export
tree.opml
quit
EOF
grep -q Error console.txt && { cat console.txt; exit 1; }

missing= failed=
check() {  # check NAME EXPECTED-FILE ACTUAL-FILE
  if cmp -s "$2" "$3"; then
    echo "$1: as expected"
  else
    echo "$1: differs"; diff -u "$2" "$3"; failed="$failed $1"
    return 1
  fi
}

# buku: title, URL and tags of every bookmark, in import order.
cat > buku.want <<'EOF'
Clients & "Co" | https://root.example/?a=1&b=2 | 
Café & Crème | https://ex.org/search?q=a&lang=fr | café & crème
It's "x" < 'y' | https://q.example/?x=1&y="z"&w=<v> | café & crème
Bottom ü | https://deep.example/5 | deep 4
日本語 | https://ja.example/パス | 
EOF
if command -v buku > /dev/null; then
  buku --nostdin --np --tacit -i tree.html < /dev/null > buku.log 2>&1
  buku --nostdin --np -p -j < /dev/null 2>> buku.log | python3 -c '
import json, sys
for mark in json.load(sys.stdin):
    print("%s | %s | %s" % (mark["title"], mark["uri"], mark["tags"]))' > buku.got
  check buku buku.want buku.got || cat buku.log
else
  missing="$missing buku"
fi

# pandoc: each outline is a heading of its depth; a link keeps its url.
cat > pandoc.want <<'EOF'
1 Clients & "Co" -> https://root.example/?a=1&b=2
1 Café & Crème -> https://ex.org/search?q=a&lang=fr
2 It's "x" < 'y' -> https://q.example/?x=1&y="z"&w=<v>
2 Nested folder
3 Deep 3
4 Deep 4
5 Bottom ü -> https://deep.example/5
1 日本語 -> https://ja.example/パス
1 Empty folder
EOF
if command -v pandoc > /dev/null; then
  pandoc -f opml-smart -t json tree.opml | python3 -c '
import json, sys
def text(inlines):
    out = ""
    for item in inlines:
        kind, content = item["t"], item.get("c")
        if kind == "Str": out += content
        elif kind in ("Space", "SoftBreak"): out += " "
        elif kind == "Link": out += text(content[1]) + " -> " + content[2][0]
        else: out += "<" + kind + ">"
    return out
for block in json.load(sys.stdin)["blocks"]:
    if block["t"] == "Header":
        print(block["c"][0], text(block["c"][2]))
    else:
        print("unexpected", block["t"])' > pandoc.got
  check pandoc pandoc.want pandoc.got
else
  missing="$missing pandoc"
fi

# hnb: imports the OPML and writes its outline as text, a tab per level.
printf '%s\n' 'Clients & "Co"' 'Café & Crème' "	It's \"x\" < 'y'" '	Nested folder' \
  '		Deep 3' '			Deep 4' '				Bottom ü' '日本語' 'Empty folder' > hnb.want
if command -v hnb > /dev/null; then
  cp tree.opml hnb.opml
  hnb hnb.opml -o -rc /dev/null -ui cli -e 'go root' "export_ascii $tmp/hnb.got" \
    < /dev/null > hnb.log 2>&1
  check hnb hnb.want hnb.got || cat hnb.log
else
  missing="$missing hnb"
fi

[ -z "$failed" ] || { echo "failed:$failed"; exit 1; }
[ -z "$missing" ] || { echo "skipped, not installed:$missing"; exit 77; }
exit 0
