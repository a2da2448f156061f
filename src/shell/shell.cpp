#include "shell/shell.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "tree/text_field.h"
#include "tree/tracking_parameters.h"

void ask(Shell& shell, const char* prompt, char* buffer, std::size_t field) {
  shell.out() << prompt;
  ConsoleLine line = readConsoleLine(shell.console, buffer, Shell::kLineSize);
  if (line.length > field) shell.out() << "Note: cut to " << field << " bytes.\n";
  storeField(buffer, field + 1, buffer);
}

void askHref(Shell& shell, const char* prompt, char* buffer, std::size_t extra) {
  constexpr std::size_t kField = RavelinkChild::kHrefSize - 1;
  shell.out() << prompt;
  std::vector<char> whole(Shell::kLongestHref + 1);
  ConsoleLine line = readConsoleLine(shell.console, whole.data(), whole.size());
  const std::size_t kept = std::min(line.length, Shell::kLongestHref);
  if (kept > 0 && extra + kept > kField) {
    const std::string shorter = withoutTrackingParameters(std::string_view(whole.data(), kept));
    if (kept == line.length && extra + shorter.size() <= kField) {
      shell.out() << "Note: tracking parameters removed to fit " << kField << " bytes.\n";
      std::memcpy(buffer, shorter.c_str(), shorter.size() + 1);
      return;
    }
  }
  if (line.length > kField) shell.out() << "Note: cut to " << kField << " bytes.\n";
  storeField(buffer, kField + 1, whole.data());
}

bool askFileName(Shell& shell, std::string& name) {
  shell.out() << "File name: ";
  LineKindScope fileName(shell.console, LineKind::kFileName);
  std::vector<char> buffer(Shell::kMaxFileName + 2);
  ConsoleLine line = readConsoleLine(shell.console, buffer.data(), buffer.size());
  name.assign(buffer.data(), line.length > Shell::kMaxFileName ? 0 : line.length);
  return line.length <= Shell::kMaxFileName;
}

bool askYes(Shell& shell, const std::string& question) {
  shell.out() << question;
  char reply[Shell::kLineSize];
  readConsoleLine(shell.console, reply, sizeof reply);
  return reply[0] == 'y' || reply[0] == 'Y';
}

bool confirm(Shell& shell, const char* warning) {
  return askYes(shell, std::string(warning) + "Are you sure? [Y/N] ");
}
