// libFuzzer target: any bytes given to the outline loader.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream console;
  Ravelink tree;
  try {
    readVclFile(tree, in, console);
  } catch (const myException&) {
    // A damaged outline: the partial tree must still be sound.
  }
  checkSavesAndLoadsBack(tree);
  return 0;
}
