#!/bin/sh
# run_session.sh BINARY TEMPLATES EDITING NAME [VIEWING]: runs one terminal session of
# BINARY in a tmux pane (a real terminal), in a scratch folder that holds the
# shipped templates, with the argument out.html. The session NAME (a function
# below) types keys with send-keys, waits for each prompt before it types on,
# and compares the screen read with capture-pane against what a user must
# see. EDITING is ON when the binary was built with line editing, VIEWING
# when it was built with the full-screen view (the view sessions need it).
# Exits 77 (skipped) without tmux or without line editing (or without the
# view, for a view session), 1 on a difference. With
# RAVELINK_SESSION_LOG set to a file name, the bytes the program wrote to
# the terminal are logged there.
bin=$1 templates=$2 editing=$3 name=$4 viewing=$5

if ! command -v tmux >/dev/null 2>&1; then
  echo "SKIP: tmux is not installed; terminal sessions need it"
  exit 77
fi
if [ "$editing" != ON ]; then
  echo "SKIP: built without libedit, so there is no line editing to test"
  exit 77
fi

tmp=$(mktemp -d) || exit 1
socket="ravelink-test-$$"
unset TMUX
# The tmux server will not start without TERM and HOME. The template
# folders outside the run folder are pinned inside $tmp and left empty, so
# what is installed on the machine never counts.
export TERM="${TERM:-xterm}" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
export RAVELINK_INSTALLED_TEMPLATES="$tmp/installed"
# The automatic copies go to the state folder: one of the test's own. So
# does $TMPDIR, where a program still running when the scratch folder goes
# at the end would put its rescue file, and where the start looks for them.
export XDG_STATE_HOME="$tmp/state" TMPDIR="$tmp/temp"
mkdir "$tmp/temp" || exit 1
unset RAVELINK_TEST_IDLE_MS
# The tmux session the helpers below act on; a session with two programs
# at once switches it.
target=s
mkdir "$tmp/home" || exit 1
tm() { tmux -L "$socket" -f "$tmp/tmux.conf" "$@"; }
trap 'tm kill-server 2>/dev/null; rm -rf "$tmp"' EXIT
mkdir "$tmp/run" && cp "$templates"/*.tem "$tmp/run/" || exit 1
cat > "$tmp/tmux.conf" <<'EOF'
set -g default-terminal screen
set -g remain-on-exit on
set -g status off
EOF

fail() {
  echo "FAIL: $*"
  echo "--- screen ---"
  tm capture-pane -p -S - -t "$target:"
  exit 1
}

# text TEXT: types TEXT literally. press KEY...: presses named keys.
text() { tm send-keys -t "$target:" -l "$1"; }
press() { tm send-keys -t "$target:" "$@"; }

# The line the cursor is on and the one above it, without trailing blanks.
cursor_lines() {
  y=$(tm display -p -t "$target:" '#{cursor_y}')
  tm capture-pane -p -t "$target:" -S $((y - 1)) -E "$y" | sed 's/ *$//'
}

# Whether the program is reading through the editor: the editor turns off
# the terminal's own line mode while it reads, and keys typed before that
# would be echoed by the terminal instead.
editor_reading() { stty -F "$tty" -a 2>/dev/null | grep -q -- '-icanon'; }

# wait_line TEXT [COLUMN [ABOVE]]: waits until the cursor's line reads TEXT
# (trailing blanks aside) with the cursor at COLUMN (default: at the end of
# TEXT), the line above reads ABOVE if given, and the editor is reading.
wait_line() {
  want=$(printf '%s' "$1" | sed 's/ *$//') column=${2:-${#1}}
  [ $# -lt 3 ] || want=$(printf '%s\n%s' "$3" "$want")
  i=0
  while [ $i -lt 200 ]; do
    lines=$(cursor_lines)
    [ $# -ge 3 ] || lines=$(printf '%s\n' "$lines" | tail -n 1)
    if [ "$lines" = "$want" ] &&
       [ "$(tm display -p -t "$target:" '#{cursor_x}')" = "$column" ] && editor_reading; then
      return 0
    fi
    sleep 0.05
    i=$((i + 1))
  done
  fail "no line \"$1\" with the cursor at column $column${3:+ below \"$3\"}"
}

# wait_exit [STATUS]: waits for the program's end with STATUS (default 0).
wait_exit() {
  i=0
  while [ ! -s "$tmp/status.$target" ]; do
    [ $i -lt 200 ] || fail "the program did not end"
    sleep 0.05
    i=$((i + 1))
  done
  status=$(cat "$tmp/status.$target")
  [ "$status" = "${1:-0}" ] || fail "exit status $status, expected ${1:-0}"
}

# expect_screen: compares the whole screen, history included, with standard
# input (trailing blanks and blank lines aside).
expect_screen() {
  sed 's/ *$//' > "$tmp/want"
  tm capture-pane -p -S - -t "$target:" | grep -v '^Pane is dead' | sed 's/ *$//' |
    sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' > "$tmp/got"
  diff -u "$tmp/want" "$tmp/got" || fail "the screen differs"
}

repeat() { printf "%$2s" '' | tr ' ' "$1"; }

# The question before quitting a tree with changes that are not saved.
unsaved="The tree has changes that are not saved. Quit anyway? [Y/N] "

# start [COLUMNS LINES]: starts the program in a window of that size
# (default 200 by 50), with $tmp/bin first on its PATH, as the tmux session
# $target. With $idle_ms set, the prompt writes the automatic copy after
# that many milliseconds instead of 5 seconds.
start() {
  # The exit status goes to a file: tmux does not always record it in time.
  # Ctrl-C reaches the shell waiting for the program too; its trap keeps it
  # waiting (and gives the program SIGINT's default, not an ignore).
  # A server killed just before may still be going away: its socket then
  # refuses the new session for a moment.
  i=0
  until tm new-session -d -c "$tmp/run" -x "${1:-200}" -y "${2:-50}" -s "$target" -- \
      env PATH="$tmp/bin:$PATH" ${idle_ms:+RAVELINK_TEST_IDLE_MS=$idle_ms} \
      sh -c 'trap : INT; "$0" out.html; echo $? > ../status.'"$target" "$bin"; do
    [ $i -lt 20 ] || exit 1
    sleep 0.1
    i=$((i + 1))
  done
  tty=$(tm display -p -t "$target:" '#{pane_tty}')
  [ -z "$RAVELINK_SESSION_LOG" ] || tm pipe-pane -t "$target:" -o "cat > $RAVELINK_SESSION_LOG"
  wait_line "-"
}

# ---- Sessions ----

# Do the arrow keys, home, end, delete, backspace, Ctrl-W and Ctrl-U edit
# an answer before it is taken?
typo_corrected_with_arrow_keys() {
  start
  text aac; press Enter; wait_line "Text: "
  text Hxllo; press Left Left Left BSpace; text e; wait_line "Text: Hello" 8
  press End; text " world"; wait_line "Text: Hello world"
  press Enter; wait_line "HRef: "
  text "wrong thing"; press C-w; wait_line "HRef: wrong "
  press C-u; wait_line "HRef: "
  text "hx.html"; press Home Right DC; wait_line "HRef: h.html" 7
  press End Enter; wait_line "-"
  text bfc; press Enter; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: Hello world
HRef: h.html
-bfc
-getinfo
Hello world
href='h.html'
-
EOF
}

# Do up and down walk the command lines typed so far, and only those: the
# answers given in between are not recalled?
command_recalled_with_up_arrow() {
  start
  text aac; press Enter; wait_line "Text: "
  text first; press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  text bfc; press Enter; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  press Up; wait_line "-getinfo"
  press Up; wait_line "-bfc"
  press Up Up Up; wait_line "-aac"
  press Down; wait_line "-bfc"
  press Down; wait_line "-getinfo"
  press Enter; wait_line "-"
  press Up Up; wait_line "-bfc"
  press Up; wait_line "-aac"
  press Enter; wait_line "Text: "
  # No command lines to recall at an answer.
  press Up; text second; wait_line "Text: second"
  press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  text bfc; press Enter; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: first
HRef:
-bfc
-getinfo
first
href=''
-getinfo
first
href=''
-aac
Text: second
HRef:
-bfc
-getinfo
second
href=''
-
EOF
}

# Does tab complete a command word, a help topic after "help" or "?", list
# the choices when they share no more letters, and text a tab in an answer?
command_completed_with_tab() {
  start
  text geti; press Tab; wait_line "-getinfo "
  press Enter; wait_line "-"
  text "  setw"; press Tab; wait_line "-  setwp"
  press Tab; wait_line "-  setwp"
  text 1; press Enter; wait_line "-"
  text "help bpa"; press Tab; wait_line "-help bparn "
  press C-u; text "? sav"; press Tab; wait_line "-? save"
  # "?" and "quit" are no topics; a third word completes nothing.
  press C-u; text "help ?"; press Tab; text x; wait_line "-help ?x"
  press C-u; text "help qu"; press Tab; text x; wait_line "-help qux"
  press C-u; text "aac ge"; press Tab; text x; wait_line "-aac gex"
  press C-u; text qu; press Tab; wait_line "-quit "
  press C-u; text aac; press Enter; wait_line "Text: "
  # The tab stands at column 7 of the screen, so it shows as one blank.
  text a; press Tab; text b; wait_line "Text: a b"
  press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  text bfc; press Enter; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-getinfo

href=''
-  setwp
setwp1  setwp2
-  setwp1
-aac
Text: a b
HRef:
-bfc
-getinfo
a       b
href=''
-
EOF
}

# Is a long answer cut to its field with a note, and the rest of its line
# dropped rather than read as the next answer or command?
long_answer_is_cut_with_a_note() {
  start
  x70=$(repeat x 70) h127=$(repeat h 127)
  text aac; press Enter; wait_line "Text: "
  text "$x70"; press Enter; wait_line "HRef: " 6 "Note: cut to 63 bytes."
  text "$h127 zap"; press Enter; wait_line "-" 1 "Note: cut to 127 bytes."
  text bfc; press Enter; wait_line "-"
  text "getinfo$(repeat ' ' 120)bparn"; press Enter; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: $x70
Note: cut to 63 bytes.
HRef: $h127 zap
Note: cut to 127 bytes.
-bfc
-getinfo$(repeat ' ' 120)bparn
$(repeat x 63)
href='$h127'
-getinfo
$(repeat x 63)
href='$h127'
-
EOF
}

# Does setcss read lines until Ctrl-D on an empty line, store them, and
# the shell go on at the next prompt?
setcss_ended_with_ctrl_d() {
  start
  ask="Please enter new style table (^Z to end):"
  text setcss; press Enter; wait_line "" 0 "$ask"
  # The prompt of each line is empty, so there is no telling whether the
  # editor reads yet: the lines go in one batch while it does.
  text "body { color: red }"; press Enter; text "a { color: blue }"; press Enter C-d
  wait_line "-"
  text setcss; press Enter; wait_line "" 0 "$ask"
  press C-d; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-setcss
Example CSS style table:
. { font-family: Tahoma, Verdana, MS Sans Serif; font-size: 8pt; color: silver }
body { background-color: darkblue }
a { color: silver }
a:hover { color: white; background-color: violet }

Current CSS style table:

Please enter new style table (^Z to end):
body { color: red }
a { color: blue }
^D
-setcss
Example CSS style table:
. { font-family: Tahoma, Verdana, MS Sans Serif; font-size: 8pt; color: silver }
body { background-color: darkblue }
a { color: silver }
a:hover { color: white; background-color: violet }

Current CSS style table:
body { color: red }
a { color: blue }

Please enter new style table (^Z to end):
^D
-
EOF
}

# Does Ctrl-Z end the style table at once, as its prompt says, keep the
# table, and still stop the program at the command prompt? The program runs
# under a shell with job control here, as a user runs it: without one, the
# terminal sends no stop to the program.
setcss_ended_with_ctrl_z() {
  tm new-session -d -c "$tmp/run" -x 200 -y 50 -s s -- env PS1='$ ' ENV= sh -i || exit 1
  tty=$(tm display -p -t "$target:" '#{pane_tty}')
  text "\"$bin\" out.html"; press Enter
  wait_line "-"
  ask="Please enter new style table (^Z to end):"
  text setcss; press Enter; wait_line "" 0 "$ask"
  text "a { color: green }"; press Enter; text "b {}"; press C-z
  wait_line "-" 1 "b {}^Z"
  text setcss; press Enter; wait_line "" 0 "$ask"
  visible_screen | tail -n 4 > "$tmp/got"
  printf 'Current CSS style table:\na { color: green }\nb {}\n%s\n' "$ask" | cmp -s - "$tmp/got" ||
    fail "setcss does not show the table ended with Ctrl-Z"
  text "c { color: green }"; press Enter C-z; wait_line "-" 1 "^Z"
  stty -F "$tty" -a | grep -q 'susp = ^Z;' || fail "Ctrl-Z is no longer the suspend key"
  press C-z
  pid=$(ps -o pid= --ppid "$(tm display -p -t "$target:" '#{pane_pid}')" | tr -d ' ')
  i=0
  until ps -o stat= -p "$pid" | grep -q '^T'; do
    [ $i -lt 100 ] || fail "Ctrl-Z at the prompt did not stop the program"
    sleep 0.05
    i=$((i + 1))
  done
  text fg; press Enter; wait_line "-"
  # The style table is a change not saved: quit asks first.
  text quit; press Enter; wait_line "The tree has changes that are not saved. Quit anyway? [Y/N] "
  text y; press Enter
  # The shell records a stop as an exit status, so the end is awaited here.
  i=0
  while kill -0 "$pid" 2>/dev/null; do
    [ $i -lt 200 ] || fail "the program did not end"
    sleep 0.05
    i=$((i + 1))
  done
  grep -q '^c { color: green }$' "$tmp/run/out.html" || fail "out.html lacks the style table"
}

# Does Ctrl-D at an answer give the empty answer and go on, and Ctrl-D at
# the prompt end the run as quit does (asking first, as the tree has
# changes), with the page written?
ctrl_d_at_prompt_writes_page() {
  start
  text aac; press Enter; wait_line "Text: "
  text Home; press Enter; wait_line "HRef: "
  text index.html; press Enter; wait_line "-"
  text zap; press Enter; wait_line "Are you sure? [Y/N] "
  press C-d; wait_line "-"
  # The tree was never saved: the end of input asks first, and the end of
  # input at that question quits as a yes does.
  press C-d; wait_line "$unsaved"
  press C-d; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: Home
HRef: index.html
-zap
You are about to delete the whole tree.
Are you sure? [Y/N] ^D
-^D
$unsaved^D
EOF
  [ -f "$tmp/run/out.html" ] || fail "out.html was not written"
  grep -q 'index\.html' "$tmp/run/out.html" || fail "out.html lacks the link to index.html"
}

# Does tab complete a file name at the file name answer, with nothing after
# a single name (the answer is the name, blanks included), and list the
# choices when they share no more letters? The command prompt completes
# command words again afterwards.
file_name_completed_with_tab() {
  write_links_tree
  mv "$tmp/run/links.tree" "$tmp/run/unique-prefix-links.tree"
  : > "$tmp/run/unique-notes.txt"
  mkdir "$tmp/run/unique-dir"
  start
  text load; press Enter; wait_line "Are you sure? [Y/N] "
  text y; press Enter; wait_line "File name: "
  text uniq; press Tab; wait_line "File name: unique-"
  press Tab; wait_line "File name: unique-" 18 "unique-dir/  unique-notes.txt  unique-prefix-links.tree"
  text p; press Tab; wait_line "File name: unique-prefix-links.tree"
  press Enter; wait_line "-"
  text geti; press Tab; wait_line "-getinfo "
  press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-load
This action will delete the whole tree.
Are you sure? [Y/N] y
File name: unique-
unique-dir/  unique-notes.txt  unique-prefix-links.tree
File name: unique-prefix-links.tree
-getinfo
Links
href=''
-
EOF
}

# ---- The full-screen view ----

need_view() {
  if [ "$viewing" != ON ]; then
    echo "SKIP: built without ncurses, so there is no full-screen view to test"
    exit 77
  fi
}

# A tree file of seven nodes, one of them three levels down, in the scratch
# folder as links.tree.
write_links_tree() {
  printf '%s\r\n' Links '' c 'Search engines' '' c 'Web search' https://search.example.org/ \
    n Maps https://maps.example.org/ p n News https://news.example.net/ n Reading '' \
    c Books https://books.example.com/ c Novels https://books.example.com/novels p p p \
    > "$tmp/run/links.tree"
}

load_links_tree() {
  text load; press Enter; wait_line "Are you sure? [Y/N] "
  text y; press Enter; wait_line "File name: "
  text links.tree; press Enter; wait_line "-"
}

# The visible screen, trailing blanks and blank lines at the end aside.
visible_screen() {
  tm capture-pane -p -t "$target:" | sed 's/ *$//' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
}

# wait_view: waits until the visible screen reads as standard input.
wait_view() {
  sed 's/ *$//' > "$tmp/want"
  i=0
  while [ $i -lt 200 ]; do
    visible_screen > "$tmp/got"
    cmp -s "$tmp/want" "$tmp/got" && return 0
    sleep 0.05
    i=$((i + 1))
  done
  diff -u "$tmp/want" "$tmp/got"
  fail "the view differs"
}

# expect_highlighted TEXT: waits until the one line drawn in reverse video
# (the highlighted node) reads TEXT.
expect_highlighted() {
  i=0
  while [ $i -lt 200 ]; do
    got=$(tm capture-pane -p -e -t "$target:" | grep "$(printf '\033')\[7m" |
          sed 's/\x1b\[[0-9;]*m//g; s/ *$//')
    [ "$got" = "$1" ] && return 0
    sleep 0.05
    i=$((i + 1))
  done
  fail "highlighted \"$got\", expected \"$1\""
}

# Do the arrow keys and j/k move the highlight, Right and Left open and fold,
# and does Enter make the highlighted node current, the prompt coming back
# clean below the lines typed before the view?
view_moves_folds_and_enter_changes_current() {
  need_view
  write_links_tree
  start 60 12
  load_links_tree
  text view; press Enter
  wait_view <<EOF
Links*
+--Search engines
|  +--Web search
|  \--Maps
+--News
\--Reading
   \--Books [+1]




(no href)                                     Enter q / n o
EOF
  expect_highlighted "Links*"
  press Down j Down; expect_highlighted "|  \--Maps"
  press Left; expect_highlighted "+--Search engines"  # no children: to the parent
  press Left  # folds it
  press Down Down Down Right  # Books opens
  wait_view <<EOF
Links*
+--Search engines [+2]
+--News
\--Reading
   \--Books
      \--Novels





https://books.example.com/                    Enter q / n o
EOF
  expect_highlighted "   \--Books"
  press Right; expect_highlighted "      \--Novels"  # open: down to the child
  press k; expect_highlighted "   \--Books"
  press l; expect_highlighted "      \--Novels"
  press Enter; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-load
This action will delete the whole tree.
Are you sure? [Y/N] y
File name: links.tree
-view
-getinfo
Novels
href='https://books.example.com/novels'
-
EOF
}

# Does / find like the find command (opening what hides the match), n find
# again, a failed search say so, o start xdg-open on the href, and q leave
# the current node as it was?
view_search_open_and_q_keep_current() {
  need_view
  write_links_tree
  mkdir "$tmp/bin"
  printf '#!/bin/sh\nprintf "%%s" "$1" > "%s/opened"\n' "$tmp" > "$tmp/bin/xdg-open"
  chmod +x "$tmp/bin/xdg-open"
  start 60 12
  load_links_tree
  text view; press Enter; expect_highlighted "Links*"
  press /; text NOVEL; press Enter
  wait_view <<EOF
Links*
+--Search engines
|  +--Web search
|  \--Maps
+--News
\--Reading
   \--Books
      \--Novels



https://books.example.com/novels              Enter q / n o
EOF
  expect_highlighted "      \--Novels"
  press /; text example.org; press Enter; expect_highlighted "|  +--Web search"
  press n; expect_highlighted "|  \--Maps"
  press /; text weather; press Enter
  wait_view <<EOF
Links*
+--Search engines
|  +--Web search
|  \--Maps
+--News
\--Reading
   \--Books
      \--Novels



https://maps.example.org/                         not found
EOF
  press o
  i=0
  while [ ! -s "$tmp/opened" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
  [ "$(cat "$tmp/opened" 2>/dev/null)" = https://maps.example.org/ ] ||
    fail "xdg-open was not given the href"
  visible_screen | tail -n 1 | grep -q "opening https://maps.example.org/" ||
    fail "no message after o"
  press q; wait_line "-"
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-load
This action will delete the whole tree.
Are you sure? [Y/N] y
File name: links.tree
-view
-getinfo
Links
href=''
-
EOF
}

# Does the view draw itself again for a new window size, and Ctrl-C leave it
# with the terminal restored and the current node unchanged?
view_redrawn_on_resize_and_left_with_ctrl_c() {
  need_view
  write_links_tree
  start 60 12
  load_links_tree
  text bfc; press Enter; wait_line "-"
  text view; press Enter; expect_highlighted "+--Search engines*"
  tm resize-window -t "$target:" -x 30 -y 5
  wait_view <<EOF
Links
+--Search engines*
|  +--Web search
|  \--Maps
(no href)       Enter q / n o
EOF
  press End
  wait_view <<EOF
|  \--Maps
+--News
\--Reading
   \--Books [+1]
https://books.  Enter q / n o
EOF
  press C-c; wait_line "-"
  tm resize-window -t "$target:" -x 60 -y 12
  text getinfo; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-load
This action will delete the whole tree.
Are you sure? [Y/N] y
File name: links.tree
-bfc
-view
-getinfo
Search engines
href=''
-
EOF
}

# program_pid: the process id of the program in the pane (the child of the
# pane's shell).
program_pid() { pgrep -P "$(tm display -p -t "$target:" '#{pane_pid}')" | head -n 1; }

# gone_within PID TENTHS: waits up to TENTHS tenths of a second for PID to end.
gone_within() {
  i=0
  while kill -0 "$1" 2>/dev/null; do
    [ $i -lt "$2" ] || return 1
    sleep 0.1
    i=$((i + 1))
  done
}

# Does a stop signal end the run while the view waits for a key, at once,
# with the tree rescued; and does a terminal that goes away (the window
# closed) end it as a hang-up, instead of leaving it spinning?
view_left_by_stop_signal_and_hangup() {
  need_view
  write_links_tree
  start 60 12
  load_links_tree
  text view; press Enter; expect_highlighted "Links*"
  pid=$(program_pid)
  kill -TERM "$pid"
  gone_within "$pid" 10 || fail "SIGTERM did not end the view within a second"
  wait_exit 143
  cmp -s "$tmp/run/links.tree" "$tmp/run/out.html.rescue.tree" ||
    fail "the rescue file after SIGTERM does not hold the tree"
  tm kill-server
  rm -f "$tmp/status.$target"
  start 60 12
  load_links_tree
  text view; press Enter; expect_highlighted "Links*"
  pid=$(program_pid)
  tm kill-server
  gone_within "$pid" 50 || fail "the program outlived its terminal by 5 s"
  cmp -s "$tmp/run/links.tree" "$tmp/run/out.html.rescue.2.tree" ||
    fail "the rescue file after the hang-up does not hold the tree"
}

# Does Ctrl-C drop the line being typed, at the prompt and at an answer
# (with the command it belongs to), show a new prompt and keep the session?
ctrl_c_drops_the_line() {
  start
  # Each Ctrl-C waits for the text before it to be shown: a Ctrl-C that
  # comes first drops the typed-ahead keys unseen.
  text "getin"; wait_line "-getin"; press C-c; wait_line "-"
  text aac; press Enter; wait_line "Text: "
  text "dropped"; wait_line "Text: dropped"; press C-c; wait_line "-"
  press C-c; wait_line "-"
  text aac; press Enter; wait_line "Text: "
  # Typed through the editor's own key reader: UTF-8 comes through whole.
  text "kept Grüße"; press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  text list; press Enter; wait_line "-"
  text quit; press Enter; wait_line "$unsaved"
  text y; press Enter; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
-getin^C
-aac
Text: dropped^C
-^C
-aac
Text: kept Grüße
HRef:
-list
*
\--kept Grüße
-quit
${unsaved}y
EOF
  grep -q '>kept Grüße<' "$tmp/run/out.html" || fail "out.html lacks the node typed after Ctrl-C"
}

# With no templates anywhere, does the start say which templates are missing
# and where they were looked for, a failed quit say it again and give the
# prompt back, so that the tree can be saved, and a second quit right after
# a failure end the run with status 1? Once saved, quit no longer asks.
failed_quit_gives_the_prompt_back() {
  rm "$tmp/run"/*.tem
  where=$(cd "$tmp" && pwd -P)
  where="$where/run, $where/config/ravelink, $where/installed"
  missing=$(for name in Head End Frame; do
              echo "ravelink: template$name.tem is in none of: $where"
            done)
  start
  text aac; press Enter; wait_line "Text: "
  text "an hour of work"; press Enter; wait_line "HRef: "
  text work.html; press Enter; wait_line "-"
  text quit; press Enter; wait_line "$unsaved"
  text y; press Enter; wait_line "-"
  text save; press Enter; wait_line "File name: "
  text saved.tree; press Enter; wait_line "-"
  text quit; press Enter; wait_line "-"
  text quit; press Enter; wait_exit 1
  expect_screen <<EOF
The filename for output is "out.html".
$missing
-aac
Text: an hour of work
HRef: work.html
-quit
${unsaved}y
Error of generateOutput: error opening file(s)
$missing
The tree is still here: save it, or quit again to leave without a page.
-save
File name: saved.tree
-quit
Error of generateOutput: error opening file(s)
$missing
The tree is still here: save it, or quit again to leave without a page.
-quit
EOF
  printf '\r\n\r\nc\r\nan hour of work\r\nwork.html\r\np\r\n' > "$tmp/want.tree"
  cmp -s "$tmp/want.tree" "$tmp/run/saved.tree" || fail "saved.tree does not hold the tree"
  [ ! -e "$tmp/run/out.html" ] || fail "out.html was written without templates"
}

# ---- Unsaved work ----

# use SESSION: the helpers act on the running tmux session SESSION from
# now on (start makes a new one named $target).
use() {
  target=$1
  tty=$(tm display -p -t "$target:" '#{pane_tty}')
}

# The automatic copy of the page out.html, and the name its kept copies
# begin with: the page's absolute path without its first '/', '%' and '/'
# escaped.
page_path=$(cd "$tmp/run" && pwd -P)/out.html
copy_name=$(printf '%s' "${page_path#/}" | sed 's/%/%25/g; s|/|%2F|g')
copy="$tmp/state/ravelink/$copy_name.autosave.tree"

# wait_file FILE TENTHS: waits up to TENTHS tenths of a second for FILE.
wait_file() {
  i=0
  while [ ! -e "$1" ]; do
    [ $i -lt "$2" ] || fail "no file $1 after $2 tenths of a second"
    sleep 0.1
    i=$((i + 1))
  done
}

# Does quit (and Ctrl-D) ask before it leaves a tree with changes that are
# not saved, give the prompt back on anything but yes, and write the page
# on yes? Does a tree whose changes were undone quit without asking?
quit_asks_when_changes_are_not_saved() {
  start
  text aac; press Enter; wait_line "Text: "
  text Home; press Enter; wait_line "HRef: "
  text index.html; press Enter; wait_line "-"
  text quit; press Enter; wait_line "$unsaved"
  text n; press Enter; wait_line "-"
  press C-d; wait_line "$unsaved"
  press Enter; wait_line "-"
  text quit; press Enter; wait_line "$unsaved"
  text Yes; press Enter; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: Home
HRef: index.html
-quit
${unsaved}n
-^D
$unsaved
-quit
${unsaved}Yes
EOF
  grep -q 'index\.html' "$tmp/run/out.html" || fail "out.html lacks the link to index.html"
  tm kill-server
  rm -f "$tmp/run/out.html"
  start
  text aac; press Enter; wait_line "Text: "
  text Gone; press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  text undo; press Enter; wait_line "-"
  text quit; press Enter; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: Gone
HRef:
-undo
Undone: aac.
-quit
EOF
  [ -f "$tmp/run/out.html" ] || fail "out.html was not written"
}

# Does del of a node with children say how many nodes went below it (one
# node in the singular), a leaf say nothing, and undo bring them back?
del_tells_what_went_below() {
  write_links_tree
  start
  load_links_tree
  text bfc; press Enter; wait_line "-"
  text del; press Enter; wait_line "-"
  text bnn; press Enter; wait_line "-"
  text bfc; press Enter; wait_line "-"
  text del; press Enter; wait_line "-"
  text del; press Enter; wait_line "-"
  text list; press Enter; wait_line "-"
  text undo; press Enter; wait_line "-"
  text undo; press Enter; wait_line "-"
  text undo; press Enter; wait_line "-"
  text list; press Enter; wait_line "-"
  expect_screen <<EOF
The filename for output is "out.html".
-load
This action will delete the whole tree.
Are you sure? [Y/N] y
File name: links.tree
-bfc
-del
Deleted "Search engines" and 2 nodes below it; undo brings them back.
-bnn
-bfc
-del
Deleted "Books" and 1 node below it; undo brings them back.
-del
-list
Links
\--News*
-undo
Undone: del.
-undo
Undone: del.
-undo
Undone: del.
-list
Links
+--Search engines*
|  +--Web search
|  \--Maps
+--News
\--Reading
   \--Books
      \--Novels
-
EOF
}

# After 5 seconds without a key, is the changed tree copied to the state
# folder (and not before), does a kill -9 leave it, does the next session
# keep it under a name of its own and say so, with the page's rescue file,
# and does loading the kept copy bring the work back, as unsaved work?
copy_survives_a_kill() {
  write_links_tree
  mv "$tmp/run/links.tree" "$tmp/run/out.html.rescue.tree"
  start 300 50
  text aac; press Enter; wait_line "Text: "
  text "unsaved work"; press Enter; wait_line "HRef: "
  text https://example.org/; press Enter; wait_line "-"
  sleep 3
  [ ! -e "$copy" ] || fail "the copy was written before the prompt waited 5 seconds"
  wait_file "$copy" 50
  [ "$(stat -c %a "$tmp/state/ravelink")" = 700 ] || fail "the state folder is not private"
  printf '\r\n\r\nc\r\nunsaved work\r\nhttps://example.org/\r\np\r\n' > "$tmp/want.tree"
  cmp -s "$tmp/want.tree" "$copy" || fail "the copy does not hold the tree"
  stamp=$(date -r "$copy" +%Y%m%d-%H%M%S) when=$(date -r "$copy" '+%Y-%m-%d %H:%M')
  kept="$tmp/state/ravelink/$copy_name.kept-$stamp.tree"
  kill -KILL "$(program_pid)"
  wait_exit 137
  tm kill-server
  rm -f "$tmp/status.$target"
  start 300 50
  [ ! -e "$copy" ] || fail "the copy was not renamed"
  cmp -s "$tmp/want.tree" "$kept" || fail "the kept copy does not hold the tree"
  text load; press Enter; wait_line "Are you sure? [Y/N] "
  text y; press Enter; wait_line "File name: "
  text "$kept"; press Enter; wait_line "-"
  text list; press Enter; wait_line "-"
  text quit; press Enter; wait_line "$unsaved"
  text y; press Enter; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
Unsaved work from $when was kept: load $kept to get it back.
A rescue file of this page is at out.html.rescue.tree: load it to get it back.
-load
This action will delete the whole tree.
Are you sure? [Y/N] y
File name: $kept
-list
*
\--unsaved work
-quit
${unsaved}y
EOF
  [ -e "$kept" ] || fail "the kept copy was removed"
  [ ! -e "$copy" ] || fail "the copy outlived a normal end"
}

# While one session of a page runs, is a second one on the same page told
# nothing of its copy, and does it leave that copy alone? Does a save remove
# the first one's copy, and then quit without asking?
second_session_leaves_the_copy_alone() {
  idle_ms=300
  start
  text aac; press Enter; wait_line "Text: "
  text first; press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  wait_file "$copy" 50
  cp "$copy" "$tmp/first.tree"
  target=s2
  start
  text aac; press Enter; wait_line "Text: "
  text second; press Enter; wait_line "HRef: "
  press Enter; wait_line "-"
  sleep 1
  cmp -s "$tmp/first.tree" "$copy" || fail "the second session changed the first one's copy"
  text quit; press Enter; wait_line "$unsaved"
  text y; press Enter; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: second
HRef:
-quit
${unsaved}y
EOF
  cmp -s "$tmp/first.tree" "$copy" || fail "the second session's end removed the first one's copy"
  ls "$tmp/state/ravelink" | grep -q kept && fail "the running session's copy was kept as left over"
  use s
  text save; press Enter; wait_line "File name: "
  text first.tree; press Enter; wait_line "-"
  [ ! -e "$copy" ] || fail "save did not remove the copy"
  text quit; press Enter; wait_exit
  expect_screen <<EOF
The filename for output is "out.html".
-aac
Text: first
HRef:
-save
File name: first.tree
-quit
EOF
}

session=$(echo "$name" | tr - _)
case $session in
  typo_corrected_with_arrow_keys | command_recalled_with_up_arrow | \
  command_completed_with_tab | long_answer_is_cut_with_a_note | setcss_ended_with_ctrl_d | \
  setcss_ended_with_ctrl_z | file_name_completed_with_tab | \
  ctrl_d_at_prompt_writes_page | view_moves_folds_and_enter_changes_current | \
  view_search_open_and_q_keep_current | view_redrawn_on_resize_and_left_with_ctrl_c | \
  view_left_by_stop_signal_and_hangup | \
  ctrl_c_drops_the_line | failed_quit_gives_the_prompt_back | \
  quit_asks_when_changes_are_not_saved | del_tells_what_went_below | \
  copy_survives_a_kill | second_session_leaves_the_copy_alone) $session ;;
  *) echo "no session named $name"; exit 1 ;;
esac
echo "PASS: $name"
