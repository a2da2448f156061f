# Sourced by the benchmark scripts (after they set `here` to the source
# tree): what they all do the same way.

# build_bench TYPE TARGET...: configures build-bench/ as a CMAKE_BUILD_TYPE
# TYPE build without tests and builds the targets named.
build_bench() {
  type=$1
  shift
  echo "building in build-bench/" >&2
  cmake -S "$here" -B "$here/build-bench" -DCMAKE_BUILD_TYPE="$type" -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$here/build-bench" -j "$(nproc)" --target "$@" >/dev/null
}

# need_hnb: installs the peer outliner (Debian package hnb) when missing.
need_hnb() {
  if ! command -v hnb >/dev/null 2>&1; then
    echo "installing the peer: hnb" >&2
    apt-get update -qq >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq hnb >/dev/null
  fi
}

# median: the median of the numbers on standard input, one a line (the
# first field; for an even count the lower middle one).
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
