#ifndef RAVELINK_SHELL_COMPLETION_H_
#define RAVELINK_SHELL_COMPLETION_H_

#include <string>
#include <string_view>
#include <vector>

/// What the tab key does: the text to insert at the cursor, and the
/// candidates to show when there is more than one.
struct Completion {
  std::string insert;
  std::vector<std::string> choices;
};

/// Completes `prefix` from those of `candidates` that begin with it: a single
/// one is completed, followed by `afterOne`; several give their longest
/// common beginning and the sorted list of them; none gives an empty result.
Completion completeFrom(std::string_view prefix, const std::vector<std::string>& candidates,
                        std::string_view afterOne);

#endif  // RAVELINK_SHELL_COMPLETION_H_
