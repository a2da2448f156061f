#!/bin/sh
# run_case.sh BINARY CASE [TEMPLATES]: runs BINARY in a scratch folder that
# holds the shipped templates (from TEMPLATES) and then CASE.setup/; runs
# CASE.prep there first if it exists (a shell script: remove a template,
# make a file). Arguments come from CASE.args (default: out.html), standard
# input from CASE.in. Compares stdout with CASE.out, stderr with CASE.err
# (empty if absent; the temporary folder's path is written TMP there), the
# exit status with CASE.exit (0 if absent; a run longer than the seconds in
# CASE.timeout, if present, fails), and every file in CASE.files/ byte for
# byte, and that no file named in CASE.absent exists. The template folders outside the scratch folder are pinned inside
# the temporary folder: HOME is $tmp/home, XDG_CONFIG_HOME $tmp/config and
# the installed templates folder $tmp/installed (none of them made), so what
# the user running the tests has installed never counts.
bin=$1 case=$2 templates=$3
tmp=$(mktemp -d) && tmp=$(cd "$tmp" && pwd -P) || exit 1
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" RAVELINK_INSTALLED_TEMPLATES="$tmp/installed"
mkdir "$tmp/run" && cd "$tmp/run" || exit 1
[ -z "$templates" ] || cp "$templates"/*.tem . || exit 1
[ ! -d "$case.setup" ] || cp -R "$case.setup/." . || exit 1
[ ! -f "$case.prep" ] || sh "$case.prep" || exit 1
if [ -f "$case.args" ]; then
  eval "set -- $(cat "$case.args")"
else
  set -- out.html
fi
limit=0  # timeout's "no limit"
[ ! -f "$case.timeout" ] || limit=$(cat "$case.timeout")
timeout -k 1 "$limit" "$bin" "$@" < "$case.in" > ../out 2> ../err; status=$?
[ "$status" != 124 ] || { echo "still running after $limit s"; exit 1; }
diff -u "$case.out" ../out || exit 1
sed "s|$tmp|TMP|g" ../err > ../err.seen
diff -u "$( [ -f "$case.err" ] && echo "$case.err" || echo /dev/null)" ../err.seen || exit 1
want=$(cat "$case.exit" 2>/dev/null || echo 0)
[ "$status" = "$want" ] || { echo "exit status $status, expected $want"; exit 1; }
for f in "$case.files"/* "$case.files"/.[!.]*; do
  [ -e "$f" ] || continue
  cmp "$f" "${f##*/}" || { diff -u "$f" "${f##*/}" | head -40; exit 1; }
done
if [ -f "$case.absent" ]; then
  for f in $(cat "$case.absent"); do
    [ ! -e "$f" ] || { echo "$f should not exist"; exit 1; }
  done
fi
exit 0
