// libFuzzer target: any bytes read as a Firefox-family places.sqlite. The
// input is a small database the fuzzer mutates: an SQLite header, a schema
// page and table pages (the corpus holds real ones); every corruption must
// be refused, never crash or hang. Each run copies the bytes into a
// private folder that is removed again, as the import of a profile does.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "import_checks.h"
#include "interchange/places_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    checkImported(readPlacesDatabase(in, nullptr));
  } catch (const myException&) {
    // Refused as a whole: nothing was linked anywhere.
  }
  return 0;
}
