"""A local HTTP server with one path for every kind of link the check
command must tell apart, which records the most requests it had under way
at once for each Host header; and a silent server, which takes connections
and never answers. Used by check_links.py; run alone it serves on a free
port of 127.0.0.1 and prints the port."""

import http.server
import select
import socket
import sys
import threading
import time

SLOW_SECONDS = 3  # longer than the timeout the test gives the checker
VERY_SLOW_SECONDS = 20
PAUSE_SECONDS = 0.3  # well within the timeout, for requests to overlap
BIG_HEADER_BYTES = 10 * 1024 * 1024

_lock = threading.Lock()
_running = {}  # Host header: requests under way
most_at_once = {}  # Host header: the most requests under way at once


class LinkHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    heads_refused = set()  # paths where HEAD was answered with 405
    host = ""
    counted = False  # this request counts in _running

    def log_message(self, *args):
        pass

    def wait(self, seconds):
        """Waits, or less when the client hangs up (it gave up on the
        request), so that a request counts as under way only while the
        client waits for it."""
        if select.select([self.connection], [], [], seconds)[0]:
            self.close_connection = True
            return False
        return True

    def answer(self, status, reason=None, location=None, body=b""):
        self.done()  # before the answer: a client that has it may send the next request
        self.send_response(status, reason)
        if location is not None:
            self.send_header("Location", location)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def done(self):
        with _lock:
            if self.counted:
                _running[self.host] -= 1
                self.counted = False

    def route(self):
        path = self.path
        page = b"<html><body>a page</body></html>\n" * 200
        if path in ("/ok", "/base/relative.html", "/end") or path.startswith("/new"):
            return self.answer(200, body=page)
        if path == "/missing":
            return self.answer(404, body=b"not here\n")
        if path == "/gone":
            return self.answer(410, body=b"gone\n")
        if path == "/broken":
            return self.answer(500, body=b"broken\n")
        if path == "/odd-reason":
            # A reason phrase with an escape sequence and a bell in it.
            return self.answer(404, reason="Not\x1b[31m Here\x07")
        if path == "/old":
            return self.answer(301, location="/new")
        if path == "/old-308":
            return self.answer(308, location="/old")  # 308, then 301: both permanent
        if path == "/old-tracked":
            # A new address that fits an href once its tracking parameter goes.
            return self.answer(301, location="/new?utm_source=" + "x" * 120 + "&id=7")
        if path == "/old-far":  # a new address longer than an href holds
            return self.answer(301, location="/new/" + "far" * 45)
        if path == "/moved-then-gone":
            return self.answer(301, location="/gone")
        if path == "/temporary":
            return self.answer(302, location="/hop/1")
        if path.startswith("/hop/"):  # 302 chain: /hop/1 .. /hop/3, then /end
            n = int(path[5:])
            return self.answer(302, location="/end" if n >= 3 else "/hop/%d" % (n + 1))
        if path.startswith("/chain/"):  # one more hop than a checker follows
            n = int(path[7:])
            return self.answer(302, location="/end" if n >= 11 else "/chain/%d" % (n + 1))
        if path == "/loop-a":
            return self.answer(302, location="/loop-b")
        if path == "/loop-b":
            return self.answer(302, location="/loop-a")
        if path == "/ctl-location":
            # A Location holding control bytes: an escape sequence and a DEL.
            return self.answer(301, location="/n\x1b[2Jew\x7f")
        if path == "/no-head":
            if self.command == "HEAD":
                return self.answer(405)
            return self.answer(200, body=page)
        if path == "/slow":
            if self.wait(SLOW_SECONDS):
                self.answer(200)
            return None
        if path.startswith("/very-slow/"):  # for a check to be stopped halfway
            if self.wait(VERY_SLOW_SECONDS):
                self.answer(200)
            return None
        if path.startswith("/pause/"):
            if self.wait(PAUSE_SECONDS):
                self.answer(200)
            return None
        if path == "/head-hangs":  # only GET is answered
            if self.command == "HEAD":
                self.wait(VERY_SLOW_SECONDS)
                return None
            return self.answer(200, body=page)
        if path == "/c1-reason":
            # U+009B (C2 9B), the one-character CSI of a UTF-8 terminal.
            return self.answer(404, reason="Not\xc2\x9b7m Here")
        if path == "/c1-location":
            return self.answer(301, location="/n\x1b\xc2\x9b2Jew")
        if path == "/big-header":
            self.done()
            self.send_response(200)
            self.send_header("X-Big", "a" * BIG_HEADER_BYTES)
            self.close_connection = True
            try:
                self.end_headers()
            except OSError:
                pass  # the client gave up reading
            return None
        if path == "/cllie":
            # An answer to HEAD with 5 bytes of a body it must not have, then
            # silence on this connection: a client that sends its next
            # request on it waits in vain.
            self.done()
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            if self.command != "HEAD":
                self.wfile.write(b"x" * 100000)
                return None
            self.wfile.write(b"stray")
            self.wfile.flush()
            self.connection.settimeout(VERY_SLOW_SECONDS)
            try:
                while self.connection.recv(4096):
                    pass  # read and never answer, until the client hangs up
            except OSError:
                pass
            self.close_connection = True
            return None
        if path == "/body-after-head":
            # The same bytes, but the connection goes on serving: they come
            # before the next answer on it.
            self.answer(200, body=b"stray")
            if self.command == "HEAD":
                self.wfile.write(b"stray")
            return None
        if path == "/to-mailto":
            return self.answer(302, location="mailto:someone@example.org")
        return self.answer(404)

    def count_and_route(self):
        self.host = self.headers.get("Host", "")
        with _lock:
            _running[self.host] = _running.get(self.host, 0) + 1
            most_at_once[self.host] = max(most_at_once.get(self.host, 0), _running[self.host])
            self.counted = True
        try:
            self.route()
        finally:
            self.done()

    def do_HEAD(self):
        self.count_and_route()

    def do_GET(self):
        self.count_and_route()


class LinkServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A client that has what it wants hangs up before the body is sent.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def start():
    """Starts the server in a thread; returns it (server_address has the port)."""
    server = LinkServer(("127.0.0.1", 0), LinkHandler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_silent():
    """Starts a server that accepts connections, reads nothing and never
    answers; returns its port."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    held = []

    def serve():
        while True:
            held.append(listener.accept()[0])

    threading.Thread(target=serve, daemon=True).start()
    return listener.getsockname()[1]


if __name__ == "__main__":
    s = start()
    print(s.server_address[1], flush=True)
    threading.Event().wait()
