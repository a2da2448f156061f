#include "linkcheck/progress_line.h"

#include <algorithm>
#include <ostream>

void ProgressLine::show(const CheckProgress& progress) {
  auto now = std::chrono::steady_clock::now();
  if (width_ > 0 && now - shownAt_ < std::chrono::milliseconds(100)) return;
  std::string line = "Checking links: " + std::to_string(progress.checked) + "/" +
                     std::to_string(progress.total) + " checked, " + std::to_string(progress.dead) +
                     " dead";
  if (line == shown_) return;
  shownAt_ = now;
  shown_ = line;
  // A shorter line must cover all of the longer one before it.
  width_ = std::max(width_, line.size());
  line.resize(width_, ' ');
  out_ << '\r' << line;
  out_.flush();
}

void ProgressLine::clear() {
  if (width_ == 0) return;
  out_ << '\r' << std::string(width_, ' ') << '\r';
  out_.flush();
}
