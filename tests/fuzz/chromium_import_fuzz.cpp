// libFuzzer target: any bytes read as a Chromium-family Bookmarks file.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "import_checks.h"
#include "interchange/chromium_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    checkImported(readChromiumBookmarks(in));
  } catch (const myException&) {
    // Refused as a whole: nothing was linked anywhere.
  }
  return 0;
}
