#ifndef RAVELINK_SHELL_WORD_CASE_H_
#define RAVELINK_SHELL_WORD_CASE_H_

/// Splits a line into words separated by blanks and tabs. Every other byte
/// belongs to a word; there is no quoting.
class WordCase {
 public:
  WordCase() = default;

  /// Gives the reader a new line and rewinds it. The line is not copied: it
  /// must stay valid while words are taken from it.
  void wCaseInputStr(const char* newLine);
  /// Copies the next word into `word`, which must be at least as large as the
  /// line. Throws {"wCaseOutputStr", "wordcase not initialized"} before any
  /// line was given, and {"wCaseOutputStr", "end-of-string encountered"},
  /// with `word` emptied, when no word is left.
  WordCase& wCaseOutputStr(char* word);

 private:
  const char* line = nullptr;
  int position = 0;
  int size = 0;
};

#endif  // RAVELINK_SHELL_WORD_CASE_H_
