// libFuzzer target: any bytes read as an OPML file (strictly, then once more
// with raw "&" escaped).
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "import_checks.h"
#include "interchange/opml_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    checkImported(readOpmlFile(in));
  } catch (const myException&) {
    // Not OPML, or broken beyond a raw "&": refused as a whole.
  }
  return 0;
}
