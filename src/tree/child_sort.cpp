#include "tree/child_sort.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

unsigned char folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

// The order of two texts: ASCII letters without their case first, then, for
// texts equal so, byte by byte ("Apple" before "apple").
int compareTexts(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a);
  const auto* y = reinterpret_cast<const unsigned char*>(b);
  for (std::size_t i = 0;; ++i) {
    if (folded(x[i]) != folded(y[i])) return folded(x[i]) < folded(y[i]) ? -1 : 1;
    if (x[i] == 0) break;
  }
  return std::strcmp(a, b);
}

bool sortsBefore(const RavelinkChild* a, const RavelinkChild* b) {
  const bool aFolder = a->getFirstChild() != nullptr;
  const bool bFolder = b->getFirstChild() != nullptr;
  if (aFolder != bFolder) return aFolder;
  return compareTexts(a->getText(), b->getText()) < 0;
}

}  // namespace

std::size_t sortChildren(Ravelink& tree) {
  std::vector<const RavelinkChild*> children;
  for (const RavelinkChild* child = tree.getCurrent()->getFirstChild(); child != nullptr;
       child = child->getNextSibling()) {
    children.push_back(child);
  }
  if (children.empty()) throw myException(Fault::kSortNoChild);
  std::stable_sort(children.begin(), children.end(), sortsBefore);
  tree.reorderChildren(children);
  return children.size();
}
