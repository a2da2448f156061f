#include "tree/same_link.h"

#include <algorithm>

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lower(c);
  return out;
}

}  // namespace

// Only the parts the rule names are touched: the scheme up to "://", the
// authority up to the first "/", "?" or "#" (its host lowered, a default
// port dropped, user information kept as it is), and an empty path. Anything
// else, percent escapes and dot segments included, stays byte for byte: two
// hrefs that differ there are kept apart, as a browser's bookmarks keep them.
std::string linkKey(std::string_view href) {
  if (href.empty()) return "";
  const std::size_t colon = href.find("://");
  if (colon == std::string_view::npos) return std::string(href);
  const std::string scheme = lowered(href.substr(0, colon));
  const char* defaultPort = scheme == "http" ? ":80" : scheme == "https" ? ":443" : nullptr;
  if (defaultPort == nullptr) return std::string(href);

  const std::size_t hostAt = colon + 3;
  const std::size_t hostEnd = std::min(href.find_first_of("/?#", hostAt), href.size());
  std::string_view authority = href.substr(hostAt, hostEnd - hostAt);
  const std::size_t at = authority.rfind('@');
  const std::string_view user = at == std::string_view::npos ? "" : authority.substr(0, at + 1);
  std::string host = lowered(at == std::string_view::npos ? authority : authority.substr(at + 1));
  const std::string_view port(defaultPort);
  if (host.size() > port.size() && host.compare(host.size() - port.size(), port.size(), port) == 0) {
    host.resize(host.size() - port.size());
  }
  std::string key = scheme + "://" + std::string(user) + host;
  if (hostEnd == href.size() || href[hostEnd] != '/') key += '/';
  key += href.substr(hostEnd);
  return key;
}
