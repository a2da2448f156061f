#include "linkcheck/link_set.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "tree/tree_walk.h"

std::string_view urlScheme(std::string_view href) {
  if (href.empty() || std::isalpha(static_cast<unsigned char>(href[0])) == 0) return {};
  for (std::size_t i = 1; i < href.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(href[i]);
    if (c == ':') return href.substr(0, i);
    if (std::isalnum(c) == 0 && c != '+' && c != '-' && c != '.') return {};
  }
  return {};
}

bool isWebScheme(std::string_view scheme) {
  auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) == y;
           });
  };
  return same(scheme, "http") || same(scheme, "https");
}

namespace {

/// A parsed URL handle; freed with the object.
class UrlHandle {
 public:
  UrlHandle() : handle_(curl_url()) {}
  ~UrlHandle() { curl_url_cleanup(handle_); }
  UrlHandle(const UrlHandle&) = delete;
  UrlHandle& operator=(const UrlHandle&) = delete;

  /// Sets the URL, or resolves a relative one against the URL already set.
  bool set(const char* url) {
    return handle_ != nullptr &&
           curl_url_set(handle_, CURLUPART_URL, url, CURLU_URLENCODE) == CURLUE_OK;
  }
  std::string get() const {
    char* text = nullptr;
    if (curl_url_get(handle_, CURLUPART_URL, &text, 0) != CURLUE_OK) return {};
    std::string url(text);
    curl_free(text);
    return url;
  }

 private:
  CURLU* handle_;
};

}  // namespace

std::string urlToCheck(const char* href, const char* baseUrl) {
  UrlHandle url;
  std::string_view scheme = urlScheme(href);
  if (!scheme.empty()) {
    if (!isWebScheme(scheme)) return {};
    return url.set(href) ? url.get() : std::string(href);
  }
  if (!isWebScheme(urlScheme(baseUrl))) return {};
  if (href[0] == '#') {  // the base page itself; libcurl would drop its last segment
    std::string_view page(baseUrl);
    page = page.substr(0, page.find('#'));
    return url.set(std::string(page).append(href).c_str()) ? url.get() : std::string(href);
  }
  return url.set(baseUrl) && url.set(href) ? url.get() : std::string(href);
}

LinkSet collectLinks(const RavelinkChild* top, const char* baseUrl) {
  LinkSet set;
  std::unordered_set<std::string> seen;  // URLs already in set.links
  std::unordered_set<std::string> skipped;
  for (TreeWalk walk(top); walk.next();) {
    if (!walk.entering() || walk.node()->getHref()[0] == '\0') continue;
    const char* href = walk.node()->getHref();
    std::string url = urlToCheck(href, baseUrl);
    if (url.empty()) {
      skipped.emplace(href);
    } else if (seen.insert(url).second) {
      set.links.push_back({std::move(url), walk.node()});
    }
  }
  set.skipped = skipped.size();
  return set;
}

