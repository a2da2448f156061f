#ifndef RAVELINK_SHELL_WORD_CASE_H_
#define RAVELINK_SHELL_WORD_CASE_H_

#include <cstddef>
#include <string_view>

/// The one word-splitting rule of the shell: words are separated by blanks
/// and tabs, and every other byte belongs to a word; there is no quoting.
/// Skips the blanks at `position` in `text`, then returns the word that
/// starts there (empty at the end of `text`) and leaves `position` just
/// after it.
std::string_view nextWord(std::string_view text, std::size_t& position);

/// Splits a command line into words by nextWord, one word at a time.
class WordCase {
 public:
  WordCase() = default;

  /// Gives the reader a new line and rewinds it. The line is not copied: it
  /// must stay valid and unchanged while words are taken from it.
  void wCaseInputStr(const char* newLine);
  /// Copies the next word into `word`, which must be at least as large as the
  /// line. Throws {"wCaseOutputStr", "wordcase not initialized"} before any
  /// line was given, and {"wCaseOutputStr", "end-of-string encountered"},
  /// with `word` emptied, when no word is left.
  WordCase& wCaseOutputStr(char* word);

 private:
  std::string_view line;  // data() is null before the first line
  std::size_t position = 0;
};

#endif  // RAVELINK_SHELL_WORD_CASE_H_
