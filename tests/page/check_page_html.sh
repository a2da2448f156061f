#!/bin/sh
# check_page_html.sh BINARY TEMPLATES: builds a small tree of a few levels
# with the real binary on the shipped templates, then parses the page and
# the frameset page with html5lib in strict mode (every parse error fails)
# and checks what a parser alone does not: the base element stands in the
# head, ids are unique, and the texts and links read back as typed.
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") templates=$(cd "$2" && pwd) || exit 1
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import html5lib' 2>/dev/null; then python=$candidate; break; fi
done
[ -n "$python" ] || { echo "needs python3 with html5lib (Debian: python3-html5lib)"; exit 1; }

tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" && cp "$templates"/*.tem . || exit 1

"$bin" page.html frames.html 'start page.html' > transcript <<'EOF' || { cat transcript; exit 1; }
settext
Links & <more> "für" alle
aac
Search & find
find.html?a=1&b='2'
aac
Tools
tools.html
bfc
aac
<New> it's
new.html
aac
Bare & <b>text</b> 'quoted'

bfc
bnn
aac
Deep
deep.html
bfc
aac
Deeper é
deeper.html
quit
EOF
"$bin" empty.html > /dev/null <<'EOF' || exit 1
quit
EOF

"$python" - page.html frames.html empty.html <<'PY'
import sys
import html5lib

def parse(name):
    parser = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False)
    try:
        with open(name, 'rb') as f:
            return parser.parse(f)
    except html5lib.html5parser.ParseError as error:
        position, code, data = parser.errors[-1]
        sys.exit('%s:%d:%d: %s (%s)' % (name, position[0], position[1], error, code))

failures = []
def check(condition, what):
    if not condition:
        failures.append(what)

def text_of(element):
    return ''.join(element.itertext())

page_name, frames_name, empty_name = sys.argv[1:]
for name in (page_name, empty_name):
    page = parse(name)
    check(page.find('head/base') is not None, name + ': base element outside the head')
    check(page.find('head/meta[@charset]') is not None, name + ': no charset declaration')
    ids = [e.get('id') for e in page.iter() if e.get('id')]
    check(len(ids) == len(set(ids)), name + ': ids repeat: %r' % ids)

page = parse(page_name)
spans = {e.get('id'): e for e in page.iter('span')}
expected = {
    'paragraph1': ('Search & find', "find.html?a=1&b='2'"),
    'paragraph1-1': ("<New> it's", 'new.html'),
    'paragraph1-2': ("Bare & <b>text</b> 'quoted'", None),
    'paragraph1-2-1': ('Deep', 'deep.html'),
    'paragraph1-2-1-1': ('Deeper \u00e9', 'deeper.html'),
    'paragraph2': ('Tools', 'tools.html'),
}
check(sorted(spans) == sorted(expected), 'span ids: %r' % sorted(spans))
for key, (text, href) in expected.items():
    span = spans.get(key)
    if span is None:
        continue
    check(text_of(span) == text, '%s reads %r' % (key, text_of(span)))
    link = span.find('a')
    check((link.get('href') if link is not None else None) == href, key + ': wrong link')
check(text_of(page.find('head/title')) == 'Links & <more> "f\u00fcr" alle', 'page title')
base = page.find('head/base')
check(base is not None and base.get('target') == 'frame2', 'base target')

frames = parse(frames_name)
check(text_of(frames.find('head/title')) == 'Links & <more> "f\u00fcr" alle', 'frameset title')
sources = [f.get('src') for f in frames.iter('frame')]
check(sources == ['page.html', 'start%20page.html'], 'frame sources: %r' % sources)

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
PY
