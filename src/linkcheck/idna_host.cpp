#include "linkcheck/idna_host.h"

#include <algorithm>
#include <cctype>

#ifdef RAVELINK_HAVE_LIBIDN2
#include <idn2.h>
#endif

std::optional<std::string> asciiHostName(std::string_view host) {
  bool ascii = std::all_of(host.begin(), host.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    std::string lower(host);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
  }
#ifdef RAVELINK_HAVE_LIBIDN2
  // The UTF-8 entry point: libcurl's own conversion reads the name in the
  // locale's encoding, which fails for any non-ASCII name in the C locale
  // a piped run has. Non-transitional first (ß stays ß), then transitional
  // for the names only the older rules take, as browsers and libcurl do.
  std::string name(host);
  for (int flags : {IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL, static_cast<int>(IDN2_TRANSITIONAL)}) {
    uint8_t* converted = nullptr;
    if (idn2_lookup_u8(reinterpret_cast<const uint8_t*>(name.c_str()), &converted, flags) ==
        IDN2_OK) {
      std::string result(reinterpret_cast<const char*>(converted));
      idn2_free(converted);
      return result;
    }
  }
#endif
  return std::nullopt;
}
