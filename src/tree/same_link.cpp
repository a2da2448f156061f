#include "tree/same_link.h"

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = lower(c);
  return out;
}

}  // namespace

std::string linkKey(std::string_view href) {
  const std::size_t colon = href.find(':');
  if (colon == std::string_view::npos) return std::string(href);
  const std::string scheme = lowered(href.substr(0, colon));
  if ((scheme != "http" && scheme != "https") || href.substr(colon + 1, 2) != "//") {
    return std::string(href);
  }
  const std::size_t authorityStart = colon + 3;
  std::size_t authorityEnd = href.find_first_of("/?#", authorityStart);
  if (authorityEnd == std::string_view::npos) authorityEnd = href.size();
  std::string_view authority = href.substr(authorityStart, authorityEnd - authorityStart);
  // user:password@ stays as it is; the host after it is compared in lower case.
  const std::size_t at = authority.rfind('@');
  const std::string_view user =
      at == std::string_view::npos ? std::string_view() : authority.substr(0, at + 1);
  std::string_view hostPort = at == std::string_view::npos ? authority : authority.substr(at + 1);
  // The port follows the last ":" that is not inside an IPv6 literal.
  const std::size_t bracket = hostPort.rfind(']');
  std::size_t portColon = hostPort.rfind(':');
  if (bracket != std::string_view::npos && portColon != std::string_view::npos &&
      portColon < bracket) {
    portColon = std::string_view::npos;
  }
  std::string_view host = hostPort.substr(0, portColon);
  std::string_view port =
      portColon == std::string_view::npos ? std::string_view() : hostPort.substr(portColon + 1);
  if ((scheme == "http" && port == "80") || (scheme == "https" && port == "443")) port = {};

  std::string key = scheme + "://";
  key += user;
  key += lowered(host);
  if (!port.empty()) {  // an empty port ("host:") is the default one
    key += ':';
    key += port;
  }
  std::string_view rest = href.substr(authorityEnd);
  if (rest.empty() || rest[0] != '/') key += '/';
  key += rest;
  return key;
}
