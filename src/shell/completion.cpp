#include "shell/completion.h"

#include <algorithm>

Completion completeFrom(std::string_view prefix, const std::vector<std::string>& candidates,
                        std::string_view afterOne) {
  std::vector<std::string> matches;
  for (const std::string& candidate : candidates) {
    if (candidate.compare(0, prefix.size(), prefix) == 0) matches.push_back(candidate);
  }
  Completion result;
  if (matches.empty()) return result;
  if (matches.size() == 1) {
    result.insert = matches[0].substr(prefix.size());
    result.insert += afterOne;
    return result;
  }
  std::sort(matches.begin(), matches.end());
  // Sorted, the longest common beginning of all is that of the first and last.
  const std::string& first = matches.front();
  const std::string& last = matches.back();
  std::size_t common = prefix.size();
  while (common < first.size() && common < last.size() && first[common] == last[common]) {
    ++common;
  }
  result.insert = first.substr(prefix.size(), common - prefix.size());
  result.choices = std::move(matches);
  return result;
}
