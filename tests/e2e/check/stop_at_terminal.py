"""stop_at_terminal.py BINARY TEMPLATES: runs the real binary in a tmux pane
(a real terminal) on a tree of two quick links (one moved, one dead) and forty
that answer only after 20 s. While the check runs, the status line must show
the progress; Ctrl-C must then stop the check with a report of the two links
done, blank the status line, and leave the session at the prompt without
offering to change the moved link. Exits 77 (skipped) without tmux."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import link_server


def wait_for_end(pid_file, seconds=30):
    """Waits until the process named in pid_file has exited (a zombie has:
    its files are closed)."""
    try:
        with open(pid_file) as f:
            pid = int(f.read())
    except (OSError, ValueError):
        return  # the program never started
    end = time.time() + seconds
    while time.time() < end:
        try:
            with open("/proc/%d/stat" % pid) as f:
                if f.read().rsplit(")", 1)[1].split()[0] == "Z":
                    return
        except OSError:
            return
        time.sleep(0.05)
    print("FAIL: the program %d did not end" % pid)


def main():
    binary, templates = os.path.abspath(sys.argv[1]), sys.argv[2]
    if shutil.which("tmux") is None:
        print("SKIP: tmux is not installed; terminal sessions need it")
        return 77
    folder = tempfile.mkdtemp()
    socket_name = "ravelink-check-%d" % os.getpid()
    # The slow links must still be under way when Ctrl-C comes.
    env = dict(os.environ, TERM=os.environ.get("TERM", "xterm"), HOME=folder,
               RAVELINK_CHECK_TIMEOUT_MS="60000")
    env.pop("TMUX", None)

    def tmux(*args):
        return subprocess.run(["tmux", "-L", socket_name, "-f", os.devnull] + list(args),
                              env=env, stdout=subprocess.PIPE, check=True).stdout.decode()

    def screen():
        return [line.rstrip() for line in tmux("capture-pane", "-p", "-t", "s").splitlines()
                if line.strip()]

    def wait_for(want, seconds=10):
        end = time.time() + seconds
        while time.time() < end:
            if want in screen():
                return True
            time.sleep(0.1)
        print("FAIL: never saw %r; the screen:" % want)
        print("\n".join(screen()))
        return False

    try:
        for name in os.listdir(templates):
            shutil.copy(os.path.join(templates, name), folder)
        server = link_server.start()
        base = "http://127.0.0.1:%d" % server.server_address[1]
        lines = ["Root", "", "c", "Moved", base + "/old", "n", "Missing", base + "/missing"]
        for i in range(40):
            lines += ["n", "Slow %d" % i, "%s/very-slow/%d" % (base, i)]
        lines.append("p")
        with open(os.path.join(folder, "links.tree"), "w") as f:
            f.write("\n".join(lines) + "\n")

        # The program runs as the process whose number the pid file holds, so
        # that the end can wait for it.
        tmux("new-session", "-d", "-s", "s", "-x", "120", "-y", "40", "-c", folder,
             "sh -c 'echo $$ > ravelink.pid; exec \"$0\" out.html' '%s'; sleep 30" % binary)
        if not wait_for('The filename for output is "out.html".'):
            return 1
        for answer in ["load", "y", "links.tree"]:
            tmux("send-keys", "-t", "s", "-l", answer)
            tmux("send-keys", "-t", "s", "Enter")
            time.sleep(0.3)
        tmux("send-keys", "-t", "s", "-l", "check")
        tmux("send-keys", "-t", "s", "Enter")
        if not wait_for("Checking links: 2/42 checked, 1 dead"):
            return 1
        tmux("send-keys", "-t", "s", "C-c")
        # A stopped check does not offer to change the moved link.
        report = ["Root > Moved | %s/old | moved permanently to %s/new" % (base, base),
                  "Root > Missing | %s/missing | 404 Not Found" % base,
                  "Stopped with 40 of 42 links not checked.",
                  "Checked 2 links: 0 fine, 1 moved, 1 dead, 0 errors.",
                  "-"]
        if not wait_for(report[-2], 5):
            return 1
        shown = screen()
        if shown[-len(report):] != report or any("Checking links" in l for l in shown):
            print("FAIL: the report after Ctrl-C; the screen:")
            print("\n".join(shown))
            return 1
        # The session goes on.
        tmux("send-keys", "-t", "s", "-l", "getinfo")
        tmux("send-keys", "-t", "s", "Enter")
        return 0 if wait_for("href=''") else 1
    finally:
        subprocess.run(["tmux", "-L", socket_name, "kill-server"], env=env,
                       stderr=subprocess.DEVNULL)
        # The hangup of kill-server makes the program save its tree into the
        # folder; the folder goes only when the program has ended.
        wait_for_end(os.path.join(folder, "ravelink.pid"))
        shutil.rmtree(folder)


if __name__ == "__main__":
    sys.exit(main())
