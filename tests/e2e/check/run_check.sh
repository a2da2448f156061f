#!/bin/sh
# run_check.sh BINARY LINK_CHECK: runs check_links.py on BINARY; skipped
# (exit 77) when python3 is missing. LINK_CHECK is ON when the binary was
# built with libcurl.
if ! command -v python3 >/dev/null 2>&1; then
  echo "SKIP: python3 is not installed; the test server needs it"
  exit 77
fi
exec python3 "$(dirname "$0")/check_links.py" "$@"
