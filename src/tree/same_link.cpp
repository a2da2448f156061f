#include "tree/same_link.h"

#include <algorithm>

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void appendLowered(std::string& out, std::string_view text) {
  for (char c : text)
    out.push_back(lower(c));
}

bool equalsLowered(std::string_view text, std::string_view lowerWord) {
  if (text.size() != lowerWord.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (lower(text[i]) != lowerWord[i]) return false;
  }
  return true;
}

}  // namespace

// Only the parts the rule names are touched: the scheme up to "://", the
// authority up to the first "/", "?" or "#" (its host lowered, a default
// port dropped, user information kept as it is), and an empty path. Anything
// else, percent escapes and dot segments included, stays byte for byte: two
// hrefs that differ there are kept apart, as a browser's bookmarks keep them.
void linkKeyInto(std::string& key, std::string_view href) {
  key.clear();
  if (href.empty()) return;
  const std::size_t colon = href.find("://");
  const std::string_view scheme = colon == std::string_view::npos ? "" : href.substr(0, colon);
  const bool http = equalsLowered(scheme, "http");
  if (!http && !equalsLowered(scheme, "https")) {
    key.assign(href);
    return;
  }
  const std::string_view port = http ? ":80" : ":443";
  const std::size_t hostAt = colon + 3;
  const std::size_t hostEnd = std::min(href.find_first_of("/?#", hostAt), href.size());
  std::string_view authority = href.substr(hostAt, hostEnd - hostAt);
  const std::size_t at = authority.rfind('@');
  const std::string_view user = at == std::string_view::npos ? "" : authority.substr(0, at + 1);
  std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  if (host.size() > port.size() && host.substr(host.size() - port.size()) == port) {
    host.remove_suffix(port.size());
  } else if (!host.empty() && host.back() == ':') {
    host.remove_suffix(1);  // an empty port is the default one
  }
  key.append(http ? "http://" : "https://");
  key.append(user);
  appendLowered(key, host);
  if (hostEnd == href.size() || href[hostEnd] != '/') key.push_back('/');
  key.append(href.substr(hostEnd));
}

std::string linkKey(std::string_view href) {
  std::string key;
  linkKeyInto(key, href);
  return key;
}
