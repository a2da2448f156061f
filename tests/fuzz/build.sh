#!/bin/sh
# build.sh [OUT]: builds the loader fuzz targets with clang's libFuzzer and
# AddressSanitizer/UBSan into OUT (default: build-fuzz in the source tree).
# Not part of the CMake build, which uses GCC. Run a target, e.g. for ten
# minutes, with a scratch corpus seeded from the checked-in one:
#   mkdir -p build-fuzz/tree_file
#   build-fuzz/tree_file_fuzz -max_total_time=600 -dict=tests/fuzz/tree_file.dict \
#       build-fuzz/tree_file tests/fuzz/corpus/tree_file
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build-fuzz}
mkdir -p "$out"
cxx=${CXX_FUZZ:-clang++}
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all"
for target in tree_file outline_file; do
  # shellcheck disable=SC2086 # the flags and the source globs are word lists
  "$cxx" $flags -I"$root/src" "$root"/src/tree/*.cpp "$root"/src/treefiles/*.cpp \
    "$root/tests/fuzz/${target}_fuzz.cpp" -o "$out/${target}_fuzz"
done
echo "built $out/tree_file_fuzz and $out/outline_file_fuzz"
