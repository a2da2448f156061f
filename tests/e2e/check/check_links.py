"""check_links.py BINARY LINK_CHECK: runs the real binary on a tree of links
to the local test server (link_server.py) and compares its output with
check-links.out, byte for byte, @PORT@ standing for the server's port,
@SILENT@ for the port of a server that never answers and @CLOSED@ for a port
where nothing listens; no host may have had more than 4 requests at once, and
the host of the "Busy" links must have had 4. The tree saved after the moved
links were changed must hold their new addresses, and the relative href and
the one whose new address is too long as they were. Then a piped run checking links
to the silent server gets SIGTERM: it must end within 3 s, with status 143
and the tree rescued. With LINK_CHECK other than ON, the binary was built
without libcurl and must say so instead."""

import os
import signal
import shutil
import socket
import subprocess
import sys
import tempfile
import time

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


def moved_links_changed(folder, port):
    """The "Moved" folder of the tree saved after "y": a fragment kept, a
    tracking parameter dropped to fit, a relative href and a new address
    too long left alone."""
    base = "http://127.0.0.1:%d" % port
    want = "\n".join([
        "Moved", "", "c",
        "Old", base + "/new", "n",
        "Old twice", base + "/new", "n",
        "Old section", base + "/new#section", "n",
        "Old again", base + "/new", "n",
        "Old, relative", "../old", "n",
        "Old section again", base + "/new#section", "n",
        "Tracked", base + "/new?id=7", "n",
        "Far", base + "/old-far", "p", ""])
    try:
        with open(os.path.join(folder, "moved.tree")) as f:
            saved = f.read()
    except OSError as error:
        print("FAIL: no tree saved after the change:", error)
        return False
    if want not in saved:
        print("FAIL: the moved links in the saved tree; want:\n%s\nsaved:\n%s" % (want, saved))
        return False
    return True


def stopped_by_sigterm(binary, folder, port, silent_port):
    """A check of a moved link and eight links to a server that never
    answers, from a pipe, gets SIGTERM 2 s in: the run ends within 3 s, as at
    a prompt, without offering to change the moved link."""
    moved = "http://127.0.0.1:%d/old" % port
    lines = ["Root", "", "c", "Moved", moved, "n"]
    for i in range(8):
        lines += ["Silent %d" % i, "http://127.0.0.1:%d/%d" % (silent_port, i), "n"]
    lines[-1] = "p"
    with open(os.path.join(folder, "silent.tree"), "w") as f:
        f.write("\n".join(lines) + "\n")
    env = dict(os.environ, RAVELINK_CHECK_TIMEOUT_MS="20000")
    run = subprocess.Popen([binary, "out.html"], cwd=folder, env=env, stdin=subprocess.PIPE,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    run.stdin.write(b"load\ny\nsilent.tree\ncheck\nquit\n")
    run.stdin.close()
    time.sleep(2)
    run.send_signal(signal.SIGTERM)
    sent = time.time()
    try:
        run.wait(3)
    except subprocess.TimeoutExpired:
        run.kill()
        run.wait()
        print("FAIL: the run went on for 3 s after SIGTERM")
        return False
    print("SIGTERM ended the check in %.2f s" % (time.time() - sent))
    out, err = run.stdout.read(), run.stderr.read()
    ok = True
    if run.returncode != 128 + signal.SIGTERM:
        print("FAIL: exit status %d after SIGTERM" % run.returncode)
        ok = False
    # What was checked is reported before the run ends, and nothing after it.
    report = ("Root > Moved | %s | moved permanently to http://127.0.0.1:%d/new\n"
              "Stopped with 8 of 9 links not checked.\n"
              "Checked 1 link: 0 fine, 1 moved, 0 dead, 0 errors.\n" % (moved, port)).encode()
    if not out.endswith(report):
        print("FAIL: the report before the stop; stdout:", out)
        ok = False
    if err != b'ravelink: stopped by SIGTERM; the tree is saved in "out.html.rescue.tree"\n':
        print("FAIL: stderr after SIGTERM:", err)
        ok = False
    rescue = os.path.join(folder, "out.html.rescue.tree")
    if not os.path.exists(rescue) or b"Silent 7" not in open(rescue, "rb").read():
        print("FAIL: no rescued tree with the links in", rescue)
        ok = False
    return ok


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
        port = server.server_address[1]
        silent_port = link_server.start_silent()
        subst = [(b"@PORT@", str(port).encode()),
                 (b"@SILENT@", str(silent_port).encode()),
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
        ok = moved_links_changed(folder, port) and ok
        if status != 0:
            print("exit status", status)
            ok = False
        most = link_server.most_at_once
        if most.get("busy.localhost:%d" % port) != 4 or max(most.values()) > 4:
            print("FAIL: the most requests at once to one host:", most)
            ok = False
        ok = stopped_by_sigterm(binary, folder, port, silent_port) and ok
        return 0 if ok else 1
    finally:
        shutil.rmtree(folder)


if __name__ == "__main__":
    sys.exit(main())
