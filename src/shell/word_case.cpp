#include "shell/word_case.h"

#include <cstring>

#include "tree/my_exception.h"

void WordCase::wCaseInputStr(const char* newLine) {
  line = newLine;
  position = 0;
  size = static_cast<int>(std::strlen(newLine)) + 1;
}

WordCase& WordCase::wCaseOutputStr(char* word) {
  if (line == nullptr) throw myException(Fault::kWordNotInitialized);
  while (line[position] == ' ' || line[position] == '\t') ++position;
  int length = 0;
  while (line[position] != ' ' && line[position] != '\t' && line[position] != '\0') {
    word[length++] = line[position++];
  }
  word[length] = '\0';
  if (length == 0) throw myException(Fault::kWordEndOfString);
  return *this;
}
