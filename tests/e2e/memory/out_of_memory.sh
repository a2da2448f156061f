#!/bin/sh
# out_of_memory.sh BINARY TEMPLATES: runs BINARY under a 256 MiB address-space
# limit on a script that doubles the tree with every paste until memory runs
# out. The run must end with exit status 1, the one line "ravelink: out of
# memory" on standard error, no page written, and standard output holding
# everything written before the failing command: the piped script is read in
# one go, so without a flush at the end that output would still sit in the
# stream's buffer and be lost. Not registered for sanitizer builds, which
# reserve far more address space than the limit.
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") templates=$(cd "$2" && pwd) || exit 1
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" && cp "$templates"/*.tem . || exit 1

{
  printf 'settext\nR\ncopy\n'
  i=0
  while [ "$i" -lt 40 ]; do echo paschd; i=$((i + 1)); done  # 2^40 nodes: never enough
} > script
(ulimit -v 262144 && exec "$bin" out.html < script > out 2> err)
status=$?

fail=0
[ "$status" = 1 ] || { echo "exit status $status, expected 1"; fail=1; }
printf 'ravelink: out of memory\n' | cmp -s - err || { echo "standard error:"; cat err; fail=1; }
[ ! -e out.html ] || { echo "a page was written"; fail=1; }
# The prompts of settext and copy, then one more "-" per paste that fitted.
head='The filename for output is "out.html".
-current text: 
new text: --'
out=$(cat out)
case $out in
  "$head"*) rest=${out#"$head"} ;;
  *) echo "standard output lost what came before the failing command:"; cat out; echo; fail=1; rest= ;;
esac
case $rest in
  *[!-]*) echo "standard output has more than prompts after copy:"; cat out; echo; fail=1 ;;
esac
[ "${#rest}" -lt 40 ] || { echo "every paste fitted: no memory limit?"; fail=1; }
exit $fail
