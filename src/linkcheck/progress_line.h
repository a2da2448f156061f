#ifndef RAVELINK_LINKCHECK_PROGRESS_LINE_H_
#define RAVELINK_LINKCHECK_PROGRESS_LINE_H_

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

#include "linkcheck/link_checker.h"

/// The one status line of a check at a terminal,
///   Checking links: 12/120 checked, 1 dead
/// redrawn over itself with a carriage return when its figures change, at
/// most ten times a second, and blanked by clear().
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& out) : out_(out) {}

  void show(const CheckProgress& progress);
  /// Blanks the line and puts the cursor back at its start; nothing is
  /// written when nothing was shown.
  void clear();

 private:
  std::ostream& out_;
  std::size_t width_ = 0;  // of the longest line shown
  std::string shown_;
  std::chrono::steady_clock::time_point shownAt_;
};

#endif  // RAVELINK_LINKCHECK_PROGRESS_LINE_H_
