"""A local HTTP server with one path for every kind of link the check
command must tell apart. Used by check_links.py; run alone it serves on a
free port of 127.0.0.1 and prints the port."""

import http.server
import threading
import time

SLOW_SECONDS = 3  # longer than the timeout the test gives the checker
VERY_SLOW_SECONDS = 20


class LinkHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    heads_refused = set()  # paths where HEAD was answered with 405

    def log_message(self, *args):
        pass

    def answer(self, status, reason=None, location=None, body=b""):
        self.send_response(status, reason)
        if location is not None:
            self.send_header("Location", location)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def route(self):
        path = self.path
        page = b"<html><body>a page</body></html>\n" * 200
        if path in ("/ok", "/new", "/base/relative.html", "/end"):
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
            time.sleep(SLOW_SECONDS)
            return self.answer(200)
        if path.startswith("/very-slow/"):  # for a check to be stopped halfway
            time.sleep(VERY_SLOW_SECONDS)
            return self.answer(200)
        if path == "/to-mailto":
            return self.answer(302, location="mailto:someone@example.org")
        return self.answer(404)

    def do_HEAD(self):
        self.route()

    def do_GET(self):
        self.route()


def start():
    """Starts the server in a thread; returns it (server_address has the port)."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), LinkHandler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


if __name__ == "__main__":
    s = start()
    print(s.server_address[1], flush=True)
    threading.Event().wait()
