// libFuzzer target: any bytes given to the tree-file loader.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  Ravelink tree;
  try {
    readTreeFile(tree, in);
  } catch (const myException&) {
    // A damaged file: the partial tree must still be sound.
  }
  checkSavesAndLoadsBack(tree);
  return 0;
}
