#!/bin/sh
# stop_signals.sh BINARY TEMPLATES: the signals that end a run, sent to the
# real binary reading its commands from a pipe. A tree of a million nodes is
# loaded; then
# - SIGTERM at a waiting prompt, and SIGTERM in the middle of a save of that
#   tree, each end the run with status 143, the tree saved beside the page as
#   PAGE.rescue.tree (equal to a normal save of it, and loaded back equal),
#   one line on standard error, no page and no temporary file left;
# - SIGINT and SIGHUP from a pipe do the same with 130 and 129;
# - a second stopped run takes the next free rescue name, and a page whose
#   folder cannot be written is rescued in the state folder or in $TMPDIR;
# - output into a pipe nobody reads any more (| head -1) is dropped and the
#   run goes on to write its page.
bin=$1 templates=$2
tmp=$(mktemp -d) || exit 1
pid=
cleanup() {
  [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" RAVELINK_INSTALLED_TEMPLATES="$tmp/installed"
mkdir "$tmp/run" && cd "$tmp/run" && cp "$templates"/*.tem . || exit 1

fail() {
  echo "FAIL: $*"
  [ ! -f err ] || { echo "--- standard error ---"; cat err; }
  exit 1
}

# A million nodes: 1000 under the root, 999 under each of them.
awk 'BEGIN {
  printf "A million nodes\r\nhttps://example.org/\r\n"
  for (i = 1; i <= 1000; i++) {
    printf "%s\r\nnode %d\r\nhttps://example.org/%d.html\r\n", (i == 1 ? "c" : "n"), i, i
    for (j = 1; j <= 999; j++) {
      printf "%s\r\nnode %d.%d\r\nhttps://example.org/%d/%d.html\r\n", (j == 1 ? "c" : "n"), i, j, i, j
    }
    printf "p\r\n"
  }
  printf "p\r\n"
}' > big.tree
# The tree as the program saves it, to compare every rescue with.
printf 'load\ny\nbig.tree\nsave\nref.tree\nquit\n' | "$bin" ref.html > /dev/null ||
  fail "the reference save failed"
rm -f ref.html

# start PAGE: starts the binary on PAGE with its input from a pipe that
# stays open on descriptor 3 (send writes to it); the process is $pid. The
# shell starts a background job with SIGINT ignored, which the program
# leaves so (as it leaves an ignored SIGHUP under nohup); env gives the
# program SIGINT back.
start() {
  rm -f in out err
  mkfifo in || exit 1
  env --default-signal=INT "$bin" "$1" < in > out 2> err &
  pid=$!
  exec 3> in
}
send() { printf "$@" >&3; }

# wait_prompt: waits until the program is at a prompt: its output ends with
# one, which it flushes only right before it waits for input.
wait_prompt() {
  i=0
  while :; do
    case $(tail -c 2 out) in *-) return 0 ;; esac
    [ $i -lt 1200 ] || fail "no prompt after a minute"
    sleep 0.05
    i=$((i + 1))
  done
}

# finish STATUS SIGNAL PAGE: closes the input, waits for the end and checks
# it: the exit status, the line on standard error, the rescue file equal to
# ref.tree, no page, no temporary file.
finish() {
  exec 3>&-
  wait "$pid"
  status=$?
  pid=
  [ "$status" = "$1" ] || fail "exit status $status after $2, expected $1"
  echo "ravelink: stopped by $2; the tree is saved in \"$3.rescue.tree\"" > want.err
  diff -u want.err err || fail "standard error after $2"
  cmp -s ref.tree "$3.rescue.tree" || fail "$3.rescue.tree differs from a save of the tree"
  [ ! -e "$3" ] || fail "$3 was written after $2"
  leftover=$(ls -A | grep '^\.ravelink-')
  [ -z "$leftover" ] || fail "temporary files left after $2: $leftover"
}

# SIGTERM at a waiting prompt acts at once.
start term.html
send 'load\ny\nbig.tree\n'
wait_prompt
kill -TERM "$pid"
finish 143 SIGTERM term.html

# The rescue file loads back equal.
printf 'load\ny\nterm.html.rescue.tree\nsave\nreloaded.tree\nquit\n' | "$bin" reload.html > /dev/null
cmp -s ref.tree reloaded.tree || fail "the rescue file did not load back equal"

# SIGTERM during a save. The run is stopped (SIGSTOP) while the save's
# temporary file exists, so the signal surely comes in the middle of it;
# a save that ended before the stop is tried again under another name.
start save.html
send 'load\ny\nbig.tree\n'
wait_prompt
caught=
for try in 1 2 3 4 5 6 7 8 9 10; do
  send 'save\ncopy%s.tree\n' "$try"
  i=0
  while [ $i -lt 20000 ]; do
    if ls -A | grep -q '^\.ravelink-'; then
      kill -STOP "$pid"
      if ls -A | grep -q '^\.ravelink-' && [ ! -e "copy$try.tree" ]; then caught=$try; fi
      break
    fi
    i=$((i + 1))
  done
  [ -n "$caught" ] && break
  kill -CONT "$pid"
  wait_prompt
done
[ -n "$caught" ] || fail "no save was caught in the middle in ten tries"
kill -TERM "$pid"
kill -CONT "$pid"
finish 143 SIGTERM save.html
[ ! -e "copy$caught.tree" ] || fail "the save cut short by SIGTERM was finished"

# SIGINT and SIGHUP from a pipe: the same, with their own numbers.
for signal in INT:130 HUP:129; do
  start "${signal%:*}.html"
  send 'load\ny\nbig.tree\n'
  wait_prompt
  kill "-${signal%:*}" "$pid"
  finish "${signal#*:}" "SIG${signal%:*}" "${signal%:*}.html"
done

# stopped_run PAGE TEXT: a run on PAGE that adds a node TEXT and is ended
# by SIGTERM at the next prompt; standard error is in err.
stopped_run() {
  start "$1"
  send 'aac\n%s\n\n' "$2"
  wait_prompt
  kill -TERM "$pid"
  exec 3>&-
  wait "$pid"
  status=$?
  pid=
  [ "$status" = 143 ] || fail "exit status $status after SIGTERM on $1"
}

# A second stopped run on a page never replaces the first one's rescue
# file: it takes the next free name, and says which.
cp term.html.rescue.tree first.kept
stopped_run term.html "second run"
echo 'ravelink: stopped by SIGTERM; the tree is saved in "term.html.rescue.2.tree"' > want.err
diff -u want.err err || fail "standard error of the second stopped run"
cmp -s first.kept term.html.rescue.tree || fail "the first rescue file was replaced"
grep -q '^second run' term.html.rescue.2.tree || fail "the second rescue file lacks its node"

# When the page's folder cannot take it, the rescue file goes to the state
# folder (made with mode 0700), named after the page file; when that cannot
# be had either, to $TMPDIR, readable by its owner only.
export XDG_STATE_HOME="$tmp/state"
stopped_run missing/folder/lost.html "lost"
echo "ravelink: stopped by SIGTERM; the tree is saved in \"$tmp/state/ravelink/lost.html.rescue.tree\"" > want.err
diff -u want.err err || fail "standard error of the run with a missing page folder"
grep -q '^lost' "$tmp/state/ravelink/lost.html.rescue.tree" || fail "no rescue in the state folder"
[ "$(stat -c %a "$tmp/state/ravelink")" = 700 ] || fail "the state folder is not private"
touch "$tmp/blocked"
mkdir "$tmp/temp"
export XDG_STATE_HOME="$tmp/blocked/state" HOME="$tmp/blocked" TMPDIR="$tmp/temp"
stopped_run missing/folder/lost.html "lost again"
echo "ravelink: stopped by SIGTERM; the tree is saved in \"$tmp/temp/lost.html.rescue.tree\"" > want.err
diff -u want.err err || fail "standard error of the run without a state folder"
[ "$(stat -c %a "$tmp/temp/lost.html.rescue.tree")" = 600 ] || fail "the rescue in TMPDIR is not private"
export HOME="$tmp/home" TMPDIR="$tmp/blocked"
stopped_run missing/folder/lost.html "nowhere"
echo 'ravelink: stopped by SIGTERM; the tree could not be saved in "missing/folder/lost.html.rescue.tree"' > want.err
diff -u want.err err || fail "standard error when no place takes the rescue"
unset XDG_STATE_HOME TMPDIR

# Output nobody reads: after "head -1" has gone, the rest of the console
# output is dropped, and the page is still written.
{
  printf 'settext\nPiped\n'
  i=0
  while [ $i -lt 5000 ]; do echo getinfo; i=$((i + 1)); done
  echo quit
} > script
{ "$bin" piped.html < script 2> err; echo $? > status; } | head -n 1 > first
[ "$(cat status)" = 0 ] || fail "exit status $(cat status) when the output pipe closed"
[ "$(cat first)" = 'The filename for output is "piped.html".' ] || fail "first line: $(cat first)"
[ ! -s err ] || fail "standard error when the output pipe closed: $(cat err)"
grep -q '^<title>Piped</title>$' piped.html 2>/dev/null || fail "piped.html was not written"
echo "PASS: stop signals (save caught at try $caught)"
