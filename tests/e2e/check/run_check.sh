#!/bin/sh
# run_check.sh BINARY LINK_CHECK: runs check_links.py on BINARY (LINK_CHECK is
# ON when it was built with libcurl). run_check.sh --terminal BINARY
# TEMPLATES: runs stop_at_terminal.py. Either is skipped (exit 77) when
# python3 is missing.
if ! command -v python3 >/dev/null 2>&1; then
  echo "SKIP: python3 is not installed; the test server needs it"
  exit 77
fi
here=$(dirname "$0")
if [ "$1" = --terminal ]; then
  shift
  exec python3 "$here/stop_at_terminal.py" "$@"
fi
exec python3 "$here/check_links.py" "$@"
