#include "shell/word_case.h"

#include <cstring>

#include "tree/my_exception.h"

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string_view nextWord(std::string_view text, std::size_t& position) {
  while (position < text.size() && isBlank(text[position])) ++position;
  std::size_t start = position;
  while (position < text.size() && !isBlank(text[position])) ++position;
  return text.substr(start, position - start);
}

void WordCase::wCaseInputStr(const char* newLine) {
  line = newLine;
  position = 0;
}

WordCase& WordCase::wCaseOutputStr(char* word) {
  if (line.data() == nullptr) throw myException(Fault::kWordNotInitialized);
  std::string_view found = nextWord(line, position);
  found.copy(word, found.size());
  word[found.size()] = '\0';
  if (found.empty()) throw myException(Fault::kWordEndOfString);
  return *this;
}
