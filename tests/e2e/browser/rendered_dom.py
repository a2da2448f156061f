"""rendered_dom.py CHROMIUM SITE SCRATCH: checks what headless Chromium makes
of the pages that page_in_browser.sh had ravelink write into SITE.

The page (links.html) is read back with --dump-dom: the DOM after parsing,
not the bytes on disk. The frameset page (index.html) is opened through the
DevTools protocol over a pipe, because --dump-dom leaves out what frames
hold: the frame tree tells which documents the two frames loaded, and the
document taken with its frames shows what the first frame rendered.

Standard library only. Every browser run is limited in time and its whole
process group is ended afterwards. SCRATCH holds the browser profiles.
"""

import fcntl
import html.parser
import json
import os
import select
import signal
import subprocess
import sys
import time
import urllib.parse

ROOT_TEXT = 'Reading list & <notes>'
BASE_TARGET = 'frame2'
# (text, href or None when the node has none, children), as typed in
# page_in_browser.sh; "pages/" is the href prefix that was set for Last.
TREE = [
    ('Search & find', "https://search.example.org/?q=a&lang='en'", [
        ('Web <b>search</b>', 'web.html', []),
        ("Rock 'n' roll & <jazz>", None, [
            ('Grüße', 'gruesse.html', [
                ('深い', 'deep/深い.html', []),
            ]),
        ]),
        ('Last', 'pages/last.html', []),
    ]),
    ('Before tools', 'before-tools.html', []),
    ('Tools', 'tools.html', []),
]
DEFAULT_PAGE = "it's home #1.html"
TIME_LIMIT = 60  # seconds for one browser run

failures = []


def give_up(what):
    """Ends the run on a browser that failed, with what was found so far."""
    for failure in failures + [what]:
        print(failure)
    sys.exit(1)


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


# ---- A small element tree, filled from either source ----

class Element:
    def __init__(self, tag, attrs):
        self.tag = tag
        self.attrs = attrs
        self.children = []   # Elements and strings
        self.content = None  # the document a frame holds

    def elements(self):
        return [c for c in self.children if isinstance(c, Element)]

    def iter(self, tag):
        """Descendants with this tag, in document order; frames not entered."""
        stack = list(reversed(self.elements()))
        while stack:
            e = stack.pop()
            if e.tag == tag:
                yield e
            stack.extend(reversed(e.elements()))

    def find(self, tag):
        return next(self.iter(tag), None)

    def text(self):
        parts, stack = [], [self]
        while stack:
            e = stack.pop()
            if isinstance(e, str):
                parts.append(e)
            else:
                stack.extend(reversed(e.children))
        return ''.join(parts)

    def stray_text(self):
        return ''.join(c for c in self.children if isinstance(c, str)).strip()

    def describe(self):
        return '<%s%s>' % (self.tag, ''.join(' %s=%r' % kv for kv in self.attrs.items()))


VOID = {'area', 'base', 'br', 'col', 'embed', 'frame', 'hr', 'img', 'input',
        'link', 'meta', 'param', 'source', 'track', 'wbr'}


class DomBuilder(html.parser.HTMLParser):
    """Builds the tree from Chromium's serialisation, which closes every
    element that is not void."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.document = Element('#document', {})
        self.open = [self.document]

    def handle_starttag(self, tag, attrs):
        element = Element(tag, {k: v or '' for k, v in attrs})
        self.open[-1].children.append(element)
        if tag not in VOID:
            self.open.append(element)

    def handle_startendtag(self, tag, attrs):
        self.open[-1].children.append(Element(tag, {k: v or '' for k, v in attrs}))

    def handle_endtag(self, tag):
        for depth in range(len(self.open) - 1, 0, -1):
            if self.open[depth].tag == tag:
                del self.open[depth:]
                return

    def handle_data(self, data):
        self.open[-1].children.append(data)


def from_protocol(node):
    """Turns a DOM.getDocument node (pierced) into an Element tree."""
    kind = node['nodeType']
    if kind == 3:
        return node['nodeValue']
    tag = '#document' if kind == 9 else node['localName']
    flat = node.get('attributes', [])
    element = Element(tag, dict(zip(flat[0::2], flat[1::2])))
    for child in node.get('children', []):
        if child['nodeType'] in (1, 3):
            element.children.append(from_protocol(child))
    if 'contentDocument' in node:
        element.content = from_protocol(node['contentDocument'])
    return element


# ---- Checks ----

def check_page(document, name):
    """The tree page as rendered: title, base element, and every node of
    TREE in its block, in order, with the divisions nested as the tree is."""
    head = document.find('head')
    body = document.find('body')
    if not check(head is not None and body is not None, name + ': no head or no body'):
        return
    check(head.find('title') is not None and head.find('title').text() == ROOT_TEXT,
          name + ': title is not the root text')
    bases = list(document.iter('base'))
    check(len(bases) == 1 and bases[0] in head.elements(),
          name + ': not one base element in the head: %r' % [b.describe() for b in bases])
    if bases:
        check(bases[0].attrs == {'target': BASE_TARGET},
              name + ': base element is %s' % bases[0].describe())

    expected_links, walk = [], list(TREE)
    while walk:
        text, href, children = walk.pop()
        expected_links += [href] if href is not None else []
        walk += children
    pending = [(body, '', TREE)]
    while pending:
        container, prefix, nodes = pending.pop()
        where = '%s: in %s' % (name, container.describe())
        check(container.stray_text() == '', where + ': stray text %r' % container.stray_text())
        blocks = container.elements()
        wanted = []
        for number, (text, href, children) in enumerate(nodes, 1):
            node_id = prefix + str(number)
            wanted.append(('p', None))
            if children:
                wanted.append(('div', 'paragraph%ssub' % node_id))
        got = [(b.tag, b.attrs.get('id')) for b in blocks]
        if not check([w[0] for w in wanted] == [g[0] for g in got] and
                     all(w[1] in (None, g[1]) for w, g in zip(wanted, got)),
                     where + ': blocks %r, expected %r' % (got, wanted)):
            continue
        position = 0
        for number, (text, href, children) in enumerate(nodes, 1):
            node_id = prefix + str(number)
            check_block(blocks[position], node_id, text, href, name)
            position += 1
            if children:
                pending.append((blocks[position], node_id + '-', children))
                position += 1

    links = [a.attrs.get('href') for a in body.iter('a')]
    check(sorted(links) == sorted(expected_links),
          name + ': links %r, expected %r' % (sorted(links), sorted(expected_links)))
    check(body.find('b') is None, name + ': a text became markup')


def check_block(paragraph, node_id, text, href, name):
    where = '%s: paragraph%s' % (name, node_id)
    spans = paragraph.elements()
    if not check(len(spans) == 1 and spans[0].tag == 'span' and
                 spans[0].attrs.get('id') == 'paragraph' + node_id,
                 where + ': block holds %r' % [s.describe() for s in spans]):
        return
    span = spans[0]
    check(span.text() == text, where + ': reads %r, expected %r' % (span.text(), text))
    inner = span.elements()
    if href is None:
        check(inner == [], where + ': should be bare text, holds %r' % [e.describe() for e in inner])
    else:
        check(len(inner) == 1 and inner[0].tag == 'a' and inner[0].attrs == {'href': href},
              where + ': link is %r, expected href %r' % ([e.describe() for e in inner], href))


def check_frameset(frame_tree, document, site):
    """The frameset page: both frames loaded the right documents, the first
    one renders the tree page, the second the default page."""
    name = 'index.html'
    frames = frame_tree['frameTree'].get('childFrames', [])
    loaded = [(f['frame'].get('name'), urllib.parse.unquote(f['frame']['url'])) for f in frames]
    wanted = [('frame1', 'file://' + os.path.join(site, 'links.html')),
              ('frame2', 'file://' + os.path.join(site, DEFAULT_PAGE))]
    check(loaded == wanted, name + ': frames loaded %r, expected %r' % (loaded, wanted))

    title = document.find('title')
    check(title is not None and title.text() == ROOT_TEXT, name + ': title is not the root text')
    elements = list(document.iter('frame'))
    sources = [(e.attrs.get('name'), e.attrs.get('src')) for e in elements]
    # The file names are written as relative URLs.
    check(sources == [('frame1', 'links.html'), ('frame2', "it%27s%20home%20%231.html")],
          name + ': frame elements %r' % sources)
    if len(elements) != 2:
        return
    if check(elements[0].content is not None, name + ': frame1 holds no document'):
        check_page(elements[0].content, name + ' frame1')
    if check(elements[1].content is not None, name + ': frame2 holds no document'):
        heading = elements[1].content.find('h1')
        check(heading is not None and heading.text() == 'Start here',
              name + ': frame2 does not show the default page')


# ---- Chromium ----

def chromium_command(chromium, profile):
    return [chromium, '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
            '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--user-data-dir=' + profile]


def browser_environment(profile):
    environment = dict(os.environ, HOME=profile)
    environment.pop('DISPLAY', None)
    return environment


def end_process_group(process):
    """Ends the browser and every helper process it started."""
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


def dump_dom(chromium, profile, url):
    process = subprocess.Popen(chromium_command(chromium, profile) + ['--dump-dom', url],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               env=browser_environment(profile), start_new_session=True)
    try:
        out, err = process.communicate(timeout=TIME_LIMIT)
    except subprocess.TimeoutExpired:
        end_process_group(process)
        give_up('chromium --dump-dom %s did not finish within %d s' % (url, TIME_LIMIT))
    finally:
        end_process_group(process)
    if process.returncode != 0 or not out.strip():
        give_up('chromium --dump-dom %s failed (status %d):\n%s'
                 % (url, process.returncode, err.decode(errors='replace')[-2000:]))
    builder = DomBuilder()
    builder.feed(out.decode('utf-8'))
    builder.close()
    return builder.document


class DevTools:
    """The DevTools protocol over --remote-debugging-pipe: the browser reads
    commands on its descriptor 3 and writes answers and events on 4, each
    message JSON ended by a NUL byte."""

    def __init__(self, chromium, profile):
        to_browser, self.commands = os.pipe()
        self.answers, from_browser = os.pipe()
        # The browser's ends move clear of 3 and 4 before they are placed
        # there; the originals stay open until the start so that no other
        # descriptor of the start-up can take 3 or 4.
        read_end = fcntl.fcntl(to_browser, fcntl.F_DUPFD_CLOEXEC, 10)
        write_end = fcntl.fcntl(from_browser, fcntl.F_DUPFD_CLOEXEC, 10)

        def place_descriptors():
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        try:
            self.process = subprocess.Popen(
                chromium_command(chromium, profile) + ['--remote-debugging-pipe', 'about:blank'],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                env=browser_environment(profile), start_new_session=True,
                pass_fds=(3, 4), preexec_fn=place_descriptors)
        finally:
            for descriptor in (to_browser, from_browser, read_end, write_end):
                os.close(descriptor)
        self.deadline = time.monotonic() + TIME_LIMIT
        self.buffer = b''
        self.last_id = 0
        self.events = []

    def close(self):
        os.close(self.commands)
        os.close(self.answers)
        end_process_group(self.process)

    def receive(self):
        while b'\0' not in self.buffer:
            left = self.deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError('the browser did not answer within %d s' % TIME_LIMIT)
            ready, _, _ = select.select([self.answers], [], [], left)
            if ready:
                chunk = os.read(self.answers, 1 << 16)
                if not chunk:
                    raise EOFError('the browser closed its pipe')
                self.buffer += chunk
        message, self.buffer = self.buffer.split(b'\0', 1)
        return json.loads(message)

    def call(self, method, params=None, session=None):
        self.last_id += 1
        message = {'id': self.last_id, 'method': method, 'params': params or {}}
        if session:
            message['sessionId'] = session
        os.write(self.commands, json.dumps(message).encode() + b'\0')
        while True:
            answer = self.receive()
            if answer.get('id') != self.last_id:
                self.events.append(answer)
            elif 'error' in answer:
                raise RuntimeError('%s: %s' % (method, answer['error']))
            else:
                return answer['result']

    def wait_for(self, event):
        while not any(e.get('method') == event for e in self.events):
            self.events.append(self.receive())


def open_frameset(chromium, profile, url):
    """Loads the frameset page and returns its frame tree and its document
    with what the frames hold, once the page and its frames have loaded."""
    browser = DevTools(chromium, profile)
    try:
        target = browser.call('Target.createTarget', {'url': 'about:blank'})['targetId']
        session = browser.call('Target.attachToTarget',
                               {'targetId': target, 'flatten': True})['sessionId']
        browser.call('Page.enable', session=session)
        browser.events.clear()
        browser.call('Page.navigate', {'url': url}, session=session)
        browser.wait_for('Page.loadEventFired')  # fires after the frames' own load
        frame_tree = browser.call('Page.getFrameTree', session=session)
        document = browser.call('DOM.getDocument', {'depth': -1, 'pierce': True}, session=session)
        return frame_tree, from_protocol(document['root'])
    except (TimeoutError, EOFError, RuntimeError) as error:
        give_up('opening %s in chromium: %s' % (url, error))
    finally:
        browser.close()


def main():
    chromium, site, scratch = sys.argv[1:]
    site = os.path.realpath(site)
    page = dump_dom(chromium, os.path.join(scratch, 'profile1'),
                    'file://' + os.path.join(site, 'links.html'))
    check_page(page, 'links.html')
    frame_tree, frameset = open_frameset(chromium, os.path.join(scratch, 'profile2'),
                                         'file://' + os.path.join(site, 'index.html'))
    check_frameset(frame_tree, frameset, site)
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
