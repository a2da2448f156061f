#ifndef RAVELINK_SHELL_FILE_NAME_COMPLETION_H_
#define RAVELINK_SHELL_FILE_NAME_COMPLETION_H_

// What the tab key does at an answer that takes a file name. The answer is
// taken whole as the name, blanks included, so the whole text before the
// cursor is the name being completed.

#include <string>
#include <string_view>
#include <vector>

#include "shell/completion.h"

/// Completes the file name `typed` from `names`, the existing names that
/// begin with it (a folder's ending in "/"). One is completed with nothing
/// after it: a blank would become part of the name. Several give their
/// longest common beginning, and their last parts as the choices to show.
Completion completeFileName(std::string_view typed, const std::vector<std::string>& names);

/// The files and folders whose names begin with `typed`, as the line
/// editor's library finds them: "" lists the current folder, "dir/x" the
/// names beginning with x in dir (given as "dir/..."). A folder's name ends
/// in "/". Empty in a build without the line editor.
std::vector<std::string> fileNamesBeginningWith(const std::string& typed);

#endif  // RAVELINK_SHELL_FILE_NAME_COMPLETION_H_
