#include "interchange/import_format.h"

#include <cstring>

#include "interchange/bookmark_format.h"
#include "interchange/opml_format.h"

namespace {

// True when `text` begins with `word`, ASCII letters compared without case.
bool startsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if ((text[i] | 0x20) != (word[i] | 0x20)) return false;
  }
  return true;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool looksLikeOpml(std::string_view head) {
  const std::size_t rootSize = std::strlen(kOpmlRoot);
  std::size_t at = 0;
  for (;;) {
    at = head.find_first_not_of(" \t\r\n", at);
    if (at == std::string_view::npos || head[at] != '<') return false;
    std::string_view rest = head.substr(at);
    std::size_t end;
    if (rest.substr(0, 4) == "<!--") {
      end = rest.find("-->");
      if (end != std::string_view::npos) end += 3;
    } else if (rest.substr(0, 2) == "<?" || rest.substr(0, 2) == "<!") {
      end = rest.find('>');
      if (end != std::string_view::npos) end += 1;
    } else {
      if (rest.substr(1, rootSize) != kOpmlRoot || rest.size() < rootSize + 2) return false;
      char next = rest[rootSize + 1];
      return isSpace(next) || next == '>' || next == '/';
    }
    if (end == std::string_view::npos) return false;
    at += end;
  }
}

bool looksLikeBookmarkFile(std::string_view head) {
  // The DOCTYPE without its closing ">".
  const std::string_view doctype(kBookmarkDoctype, sizeof kBookmarkDoctype - 2);
  std::size_t at = 0;
  while ((at = head.find('<', at)) != std::string_view::npos) {
    std::string_view rest = head.substr(at);
    ++at;
    if (startsWithNoCase(rest, doctype)) return true;
    for (const char* name : {kBookmarkItem, kBookmarkList, kBookmarkFolder}) {
      const std::size_t n = std::strlen(name);
      if (rest.size() > n + 1 && startsWithNoCase(rest.substr(1), name) &&
          (isSpace(rest[n + 1]) || rest[n + 1] == '>')) {
        return true;
      }
    }
  }
  return false;
}

bool looksLikeChromiumBookmarks(std::string_view head) {
  std::size_t at = head.find_first_not_of(" \t\r\n");
  return at != std::string_view::npos && head[at] == '{' &&
         head.find("\"roots\"", at) != std::string_view::npos;
}

bool looksLikeSqliteDatabase(std::string_view head) {
  constexpr std::string_view kMagic("SQLite format 3", sizeof "SQLite format 3");  // with its NUL
  return head.substr(0, kMagic.size()) == kMagic;
}
