"""check_server.py DELAY_MS: the link checker's benchmark server. Listens on
one free port on each of 127.0.0.1 to 127.0.0.16 and answers every request
with 200 after DELAY_MS milliseconds, keeping connections open. Prints the
port, then serves until killed."""

import http.server
import socket
import sys
import threading
import time

DELAY = int(sys.argv[1]) / 1000 if len(sys.argv) > 1 else 0.05
ADDRESSES = ["127.0.0.%d" % i for i in range(1, 17)]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_HEAD(self):
        time.sleep(DELAY)
        self.send_response(200)
        self.send_header("Content-Length", "0")
        self.end_headers()

    do_GET = do_HEAD


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 128


def main():
    # The first address picks a free port; the others take the same one.
    servers = [Server((ADDRESSES[0], 0), Handler)]
    port = servers[0].server_address[1]
    for address in ADDRESSES[1:]:
        servers.append(Server((address, port), Handler))
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    print(port, flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    main()
