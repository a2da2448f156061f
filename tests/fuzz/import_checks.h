#ifndef RAVELINK_TESTS_FUZZ_IMPORT_CHECKS_H_
#define RAVELINK_TESTS_FUZZ_IMPORT_CHECKS_H_

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "fuzz_checks.h"
#include "interchange/import_text.h"
#include "interchange/imported_tree.h"
#include "tree/tree_walk.h"

// What must hold for any tree an import built from any bytes: every text and
// href is valid UTF-8 without control characters, no href is a script or
// data href, no text has surrounding or doubled spaces, the report prints,
// and the tree saves and loads back (fuzz_checks.h).

inline bool validUtf8WithoutControls(const char* text) {
  auto bytes = reinterpret_cast<const unsigned char*>(text);
  for (std::size_t i = 0; bytes[i] != 0;) {
    unsigned char b = bytes[i];
    if (b < 0x20 || b == 0x7F) return false;
    if (b < 0x80) {
      ++i;
      continue;
    }
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : -1;
    if (extra < 0 || b > 0xF4) return false;
    if (b == 0xC2 && bytes[i + 1] >= 0x80 && bytes[i + 1] <= 0x9F) return false;  // C1
    for (int k = 1; k <= extra; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
    }
    i += 1 + extra;
  }
  return true;
}

inline void checkImported(std::unique_ptr<ImportRun> run) {
  std::ostringstream report;
  run->report.print(report);
  if (report.str().rfind("Imported ", 0) != 0) std::abort();
  Ravelink tree;
  run->tree.linkInto(tree);
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (!walk.entering()) continue;
    const char* text = walk.node()->getText();
    const char* href = walk.node()->getHref();
    std::size_t length = std::strlen(text);
    if (!validUtf8WithoutControls(text) || !validUtf8WithoutControls(href)) std::abort();
    if (length > 0 && (text[0] == ' ' || text[length - 1] == ' ')) std::abort();
    if (std::strstr(text, "  ") != nullptr) std::abort();
    if (classifyHref(href) == HrefKind::kScript) std::abort();
  }
  checkSavesAndLoadsBack(tree);
}

#endif  // RAVELINK_TESTS_FUZZ_IMPORT_CHECKS_H_
