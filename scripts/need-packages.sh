#!/bin/sh
# need-packages.sh PACKAGE...: makes sure the Debian packages are installed.
# As root it installs the missing ones with apt-get; otherwise it names them
# and fails, so a build never goes on without what it needs.
missing=""
for p in "$@"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -n "$missing" ] || exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing Debian packages:$missing" >&2
  echo "install them with: sudo apt-get install -y$missing" >&2
  exit 1
fi
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
