#ifndef RAVELINK_LINKCHECK_IDNA_HOST_H_
#define RAVELINK_LINKCHECK_IDNA_HOST_H_

// Host names in Unicode ("bücher.example") as the ASCII names DNS knows
// ("xn--bcher-kva.example").

#include <optional>
#include <string>
#include <string_view>

/// `host` in ASCII: an ASCII name as it is, a name holding UTF-8 converted
/// by IDNA (UTS #46, the way browsers do), lower case either way. Nothing
/// when the name cannot be converted: it is not valid UTF-8, IDNA refuses
/// it, or this build has no libidn2.
std::optional<std::string> asciiHostName(std::string_view host);

#endif  // RAVELINK_LINKCHECK_IDNA_HOST_H_
