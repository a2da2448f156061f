#!/bin/sh
# build.sh [OUT]: builds the libFuzzer targets with clang and AddressSanitizer/
# UBSan into OUT (default: build-fuzz in the source tree). Not part of the
# CMake build, which uses GCC. The targets:
#   tree_file_fuzz     any bytes given to the tree-file loader
#   outline_file_fuzz  any bytes given to the outline loader
#   page_fuzz          page generation on fuzzed templates, tree and settings
#   program_fuzz       any bytes typed at the whole program
#   bookmark_import_fuzz  any bytes read as a browser's bookmark file
#   opml_import_fuzz      any bytes read as an OPML file
#   chromium_import_fuzz  any bytes read as a Chromium-family Bookmarks file
#   places_import_fuzz    any bytes read as a Firefox-family places.sqlite
# Run one, e.g. for ten minutes, on a scratch corpus seeded from the
# checked-in one (run.sh does this for every target):
#   mkdir -p build-fuzz/corpus/program
#   build-fuzz/program_fuzz -max_total_time=600 -max_len=4096 \
#       -dict=tests/fuzz/program.dict -artifact_prefix="$PWD/build-fuzz/" \
#       build-fuzz/corpus/program tests/fuzz/corpus/program
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build-fuzz}
cxx=${CXX_FUZZ:-clang++}
if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "build.sh: $cxx not found: install clang and libclang-rt-dev" >&2
  exit 1
fi
# Sized deallocation is on by default in GCC, not in this clang.
flags="-std=c++20 -fsized-deallocation -g -O1 -fno-omit-frame-pointer -fno-sanitize-recover=all"
defines="-DRAVELINK_VERSION=\"fuzz\" -DRAVELINK_SOURCE_DIR=\"$root\""
# With libedit, as the CMake build has it (the console refers to the editor).
libs=""
if pkg-config --exists libedit 2>/dev/null; then
  defines="$defines -DRAVELINK_HAVE_LIBEDIT $(pkg-config --cflags libedit)"
  libs=$(pkg-config --libs libedit)
else
  flags="$flags -fno-sanitize=vptr"
fi
# With libxml2, which the importers need (Debian: libxml2-dev).
if ! pkg-config --exists libxml-2.0 2>/dev/null; then
  echo "build.sh: libxml2 not found: install libxml2-dev" >&2
  exit 1
fi
defines="$defines -DRAVELINK_HAVE_LIBXML2 $(pkg-config --cflags libxml-2.0)"
libs="$libs $(pkg-config --libs libxml-2.0)"
# With nlohmann-json and SQLite, which the browsers' own files need (Debian:
# nlohmann-json3-dev, libsqlite3-dev).
if ! pkg-config --exists nlohmann_json sqlite3 2>/dev/null; then
  echo "build.sh: nlohmann-json or SQLite not found: install nlohmann-json3-dev libsqlite3-dev" >&2
  exit 1
fi
defines="$defines -DRAVELINK_HAVE_NLOHMANN_JSON -DRAVELINK_HAVE_SQLITE3 $(pkg-config --cflags nlohmann_json sqlite3)"
libs="$libs $(pkg-config --libs sqlite3)"
rm -rf "$out/obj"
mkdir -p "$out/obj"

# The program's sources once, instrumented for coverage but without
# libFuzzer's main; main.cpp stays out (the targets call runProgram).
compile() {
  o=$out/obj/$(echo "${1#"$root"/src/}" | tr / _).o
  # shellcheck disable=SC2086 # the flags are word lists
  "$cxx" $flags -fsanitize=fuzzer-no-link,address,undefined $defines -I"$root/src" -c "$1" -o "$o"
}
jobs=${JOBS:-$(nproc)}
pids=""
running=0
# The link checker stays out: fuzzed input must not reach the network, and
# without it "check" only says that this build has none.
for f in "$root"/src/*/*.cpp; do
  [ "${f##*/}" != main.cpp ] || continue
  case $f in */src/linkcheck/*) continue ;; esac
  compile "$f" &
  pids="$pids $!" running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    for p in $pids; do wait "$p"; done
    pids="" running=0
  fi
done
for p in $pids; do wait "$p"; done

targets="tree_file outline_file page program bookmark_import opml_import chromium_import places_import"
for target in $targets; do
  # shellcheck disable=SC2086
  "$cxx" $flags -fsanitize=fuzzer,address,undefined $defines -I"$root/src" \
    "$root/tests/fuzz/${target}_fuzz.cpp" "$out"/obj/*.o $libs -o "$out/${target}_fuzz"
done
echo "built the targets $targets (NAME_fuzz) in $out"
