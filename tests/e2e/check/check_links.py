"""check_links.py BINARY LINK_CHECK: runs the real binary on a tree of links
to the local test server (link_server.py) and compares its output with
check-links.out, byte for byte, @PORT@ standing for the server's port and
@CLOSED@ for a port where nothing listens. With LINK_CHECK other than ON,
the binary was built without libcurl and must say so instead."""

import os
import shutil
import socket
import subprocess
import sys
import tempfile

import link_server

HERE = os.path.dirname(os.path.abspath(__file__))
TEMPLATES = os.path.join(HERE, "..", "..", "..", "templates")


def closed_port():
    """A port of 127.0.0.1 where nothing listens (it was free a moment ago)."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def read(name):
    with open(os.path.join(HERE, name), "rb") as f:
        return f.read()


def run(binary, folder, script, timeout_ms):
    env = dict(os.environ, RAVELINK_CHECK_TIMEOUT_MS=str(timeout_ms))
    done = subprocess.run([binary, "out.html"], input=script, cwd=folder, env=env,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=40)
    return done.stdout, done.stderr, done.returncode


def compare(name, want, got):
    if want == got:
        return True
    sys.stdout.writelines(
        __import__("difflib").unified_diff(
            want.decode("latin-1").splitlines(True), got.decode("latin-1").splitlines(True),
            "expected " + name, "actual"))
    return False


def main():
    binary, link_check = os.path.abspath(sys.argv[1]), sys.argv[2]
    folder = tempfile.mkdtemp()
    try:
        for name in os.listdir(TEMPLATES):
            shutil.copy(os.path.join(TEMPLATES, name), folder)
        if link_check != "ON":
            out, err, status = run(binary, folder, b"check\nquit\n", 1000)
            return 0 if compare("(no libcurl)", read("no-checker.out"), out) else 1
        server = link_server.start()
        subst = [(b"@PORT@", str(server.server_address[1]).encode()),
                 (b"@CLOSED@", str(closed_port()).encode())]

        def fill(text):
            for key, value in subst:
                text = text.replace(key, value)
            return text

        with open(os.path.join(folder, "links.tree"), "wb") as f:
            f.write(fill(read("links.tree")))
        out, err, status = run(binary, folder, fill(read("check-links.in")), 1000)
        ok = compare("check-links.out", fill(read("check-links.out")), out)
        ok = compare("stderr", b"", err) and ok
        if status != 0:
            print("exit status", status)
            ok = False
        return 0 if ok else 1
    finally:
        shutil.rmtree(folder)


if __name__ == "__main__":
    sys.exit(main())
