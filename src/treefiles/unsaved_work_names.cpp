#include "treefiles/unsaved_work_names.h"

#include <cstddef>

namespace {

constexpr std::string_view kTreeEnd = ".tree";

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "YYYYMMDD-HHMMSS", optionally followed by "-N".
bool isKeptStamp(std::string_view stamp) {
  if (stamp.size() < 15 || stamp[8] != '-') return false;
  if (!allDigits(stamp.substr(0, 8)) || !allDigits(stamp.substr(9, 6))) return false;
  const std::string_view rest = stamp.substr(15);
  return rest.empty() || (rest[0] == '-' && allDigits(rest.substr(1)));
}

}  // namespace

bool namesUnsavedWork(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (!name.ends_with(kTreeEnd)) return false;
  name.remove_suffix(kTreeEnd.size());
  if (name.ends_with(".rescue") || name.ends_with(".autosave")) return true;
  // ".rescue.N" and ".kept-STAMP": the last dot-separated part tells.
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view last = name.substr(dot + 1);
  if (allDigits(last)) return name.substr(0, dot).ends_with(".rescue");
  return last.starts_with("kept-") && isKeptStamp(last.substr(5));
}
