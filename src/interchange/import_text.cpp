#include "interchange/import_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tree/text_field.h"

namespace {

bool isSpace(unsigned char byte) {
  return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f' ||
         byte == '\v';
}

// The length of a C0 or C1 control character or DEL at `at` (not white
// space), or 0. C1 controls are U+0080-U+009F: C2 80 to C2 9F in UTF-8.
std::size_t controlLength(std::string_view text, std::size_t at) {
  auto byte = static_cast<unsigned char>(text[at]);
  if ((byte < 0x20 && !isSpace(byte)) || byte == 0x7F) return 1;
  if (byte == 0xC2 && at + 1 < text.size()) {
    auto next = static_cast<unsigned char>(text[at + 1]);
    if (next >= 0x80 && next <= 0x9F) return 2;
  }
  return 0;
}

std::string lowerScheme(std::string_view href) {
  std::size_t colon = href.find(':');
  if (colon == std::string_view::npos || colon == 0) return "";
  std::string scheme;
  for (std::size_t i = 0; i < colon; ++i) {
    auto c = static_cast<unsigned char>(href[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return "";
    scheme += static_cast<char>(std::tolower(c));
  }
  return std::isalpha(static_cast<unsigned char>(scheme[0])) ? scheme : "";
}

}  // namespace

void TextCollector::append(const char* utf8, std::size_t size) {
  std::string_view piece(utf8, size);
  for (std::size_t i = 0; i < size;) {
    auto byte = static_cast<unsigned char>(piece[i]);
    if (isSpace(byte)) {
      spacePending_ = !text_.empty();
      ++i;
      continue;
    }
    if (std::size_t control = controlLength(piece, i)) {
      controls_ = true;
      i += control;
      continue;
    }
    // A character whole: its lead byte and its continuation bytes.
    std::size_t end = i + 1;
    while (end < size && (static_cast<unsigned char>(piece[end]) & 0xC0) == 0x80)
      ++end;
    if (overflow_) {
      i = end;
      continue;
    }
    if (spacePending_) text_ += ' ';
    spacePending_ = false;
    text_.append(piece.data() + i, end - i);
    // Past the limit with a character that is not white space: the cut is
    // certain and nothing later can change where it falls.
    if (text_.size() > limit_) overflow_ = true;
    i = end;
  }
}

std::string TextCollector::take() {
  std::string text;
  text.swap(text_);
  wasCut_ = overflow_;
  if (overflow_) {
    text.resize(utf8CutLength(text.data(), text.size(), limit_));
    while (!text.empty() && text.back() == ' ')
      text.pop_back();  // a cut after a space
  }
  droppedControls_ = controls_;
  spacePending_ = overflow_ = controls_ = false;
  return text;
}

std::string cleanHref(std::string_view href, bool& droppedControls) {
  // Nearly every href holds no space, control or C1 lead byte at all.
  if (std::none_of(href.begin(), href.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || byte == 0xC2;
      })) {
    return std::string(href);
  }
  // Around the href, browsers strip C0 controls and spaces alike.
  auto edge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  std::size_t first = 0, last = href.size();
  while (first < last && edge(href[first])) {
    if (controlLength(href, first)) droppedControls = true;
    ++first;
  }
  while (last > first && edge(href[last - 1])) {
    if (controlLength(href, last - 1)) droppedControls = true;
    --last;
  }
  std::string clean;
  clean.reserve(last - first);
  for (std::size_t i = first; i < last;) {
    auto byte = static_cast<unsigned char>(href[i]);
    if (byte == '\t' || byte == '\n' || byte == '\r') {
      ++i;
      continue;
    }
    std::size_t control = byte < 0x20 ? 1 : controlLength(href, i);  // \f and \v too
    if (control != 0) {
      droppedControls = true;
      i += control;
      continue;
    }
    clean += href[i++];
  }
  return clean;
}

HrefKind classifyHref(std::string_view href) {
  if (href.empty()) return HrefKind::kEmpty;
  static const char* const kScripts[] = {"javascript", "vbscript", "data"};
  static const char* const kInternal[] = {"place",
                                          "about",
                                          "chrome",
                                          "chrome-extension",
                                          "chrome-search",
                                          "chrome-untrusted",
                                          "edge",
                                          "brave",
                                          "opera",
                                          "vivaldi",
                                          "moz-extension",
                                          "resource",
                                          "view-source",
                                          "safari-extension",
                                          "safari-web-extension",
                                          "ms-browser-extension",
                                          "extension",
                                          "devtools",
                                          "blob"};
  std::string scheme = lowerScheme(href);
  auto in = [&scheme](const auto& names) {
    return std::any_of(std::begin(names), std::end(names),
                       [&scheme](const char* name) { return scheme == name; });
  };
  if (in(kScripts)) return HrefKind::kScript;
  if (in(kInternal)) return HrefKind::kBrowserInternal;
  return HrefKind::kOrdinary;
}

std::string hostOf(std::string_view href) {
  std::size_t start = href.find("://");
  if (start == std::string_view::npos || lowerScheme(href).empty()) return "";
  start += 3;
  std::size_t end = href.find_first_of("/?#", start);
  std::string_view authority =
      href.substr(start, end == std::string_view::npos ? end : end - start);
  std::size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  if (!authority.empty() && authority[0] == '[') {
    std::size_t close = authority.find(']');
    return std::string(authority.substr(0, close == std::string_view::npos ? close : close + 1));
  }
  std::size_t colon = authority.find(':');
  return std::string(authority.substr(0, colon));
}
