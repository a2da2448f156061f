// The import command: links from a browser's bookmark file, an OPML file
// or a browser's own bookmarks, merged below the current node. An empty
// file name lists the browser profiles found under the home folder and
// imports the one chosen. A build without any reader's library keeps the
// command; its row says so (format_libraries.h).
#include <cstdlib>
#include <string>

#include "interchange/browser_profiles.h"
#include "interchange/file_import.h"
#include "interchange/format_libraries.h"
#include "shell/commands.h"

namespace {

// The number typed, 1 to `count`, or 0 when the answer is no such number.
std::size_t chosenNumber(const char* answer, std::size_t count) {
  std::size_t number = 0;
  if (answer[0] == '\0') return 0;
  for (const char* c = answer; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9' || number > count) return 0;
    number = number * 10 + static_cast<std::size_t>(*c - '0');
  }
  return number <= count ? number : 0;
}

// Lists the profiles and asks for one; returns its bookmarks file.
std::string chooseProfile(Shell& shell) {
  const char* home = std::getenv("HOME");
  const std::string homeFolder = home != nullptr ? home : "";
  const std::vector<BrowserProfile> profiles = findBrowserProfiles(homeFolder);
  if (profiles.empty()) throw myException(Fault::kImportNoProfile);
  listBrowserProfiles(shell.out(), profiles, homeFolder);
  ask(shell, "Which one? ", shell.line, Shell::kLineSize - 5);
  const std::size_t number = chosenNumber(shell.line, profiles.size());
  if (number == 0) throw myException(Fault::kImportNoSuchProfile);
  return profiles[number - 1].file;
}

}  // namespace

void importCommand(Shell& shell) {
  std::string name;
  // A name too long for the system is refused as one it refuses.
  if (!askFileName(shell, name)) throw myException(Fault::kImportOpen);
  if (name.empty()) name = chooseProfile(shell);
  try {
    importFile(shell.tree, name.c_str(), shell.out());
  } catch (const MissingLibrary& missing) {
    writeMissingLibrary(shell.out(), missing);
  }
}
