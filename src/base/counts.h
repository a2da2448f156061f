#ifndef RAVELINK_BASE_COUNTS_H_
#define RAVELINK_BASE_COUNTS_H_

// Counts as English: "1 link", "2 links", "0 links". Every count the
// program prints in a sentence goes through here, so one rule holds for all
// of them: a count of exactly one takes the singular noun (and verb).

#include <cstddef>
#include <string>

/// "N noun" with the singular noun for 1 and the plural for every other N.
inline std::string countOf(std::size_t n, const char* singular, const char* plural) {
  return std::to_string(n) + ' ' + (n == 1 ? singular : plural);
}

/// The singular or the plural form of a word (a noun or a verb) for `n`.
inline const char* formFor(std::size_t n, const char* singular, const char* plural) {
  return n == 1 ? singular : plural;
}

#endif  // RAVELINK_BASE_COUNTS_H_
