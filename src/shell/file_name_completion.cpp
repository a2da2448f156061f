#include "shell/file_name_completion.h"

#include <sys/stat.h>

#include <cstdlib>

#ifdef RAVELINK_HAVE_LIBEDIT
#include <editline/readline.h>
#endif

namespace {

// The last part of a name, a folder's with its "/".
std::string lastPart(const std::string& name) {
  if (name.size() < 2) return name;
  std::string::size_type slash = name.find_last_of('/', name.size() - 2);
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

Completion completeFileName(std::string_view typed, const std::vector<std::string>& names) {
  Completion completion = completeFrom(typed, names, "");
  for (std::string& choice : completion.choices)
    choice = lastPart(choice);
  return completion;
}

std::vector<std::string> fileNamesBeginningWith(const std::string& typed) {
  std::vector<std::string> names;
#ifdef RAVELINK_HAVE_LIBEDIT
  // The library hands out one name a call, in memory the caller frees, and
  // null after the last; state 0 starts a new listing.
  for (int state = 0;; ++state) {
    char* found = rl_filename_completion_function(typed.c_str(), state);
    if (found == nullptr) break;
    std::string name = found;
    std::free(found);
    struct stat info;
    if (::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && name.back() != '/') {
      name += '/';
    }
    names.push_back(std::move(name));
  }
#else
  static_cast<void>(typed);
#endif
  return names;
}
