#ifndef RAVELINK_SHELL_COMMANDS_H_
#define RAVELINK_SHELL_COMMANDS_H_

#include <cstddef>

#include "shell/command_loop.h"

// The dialogue helpers every command uses.

/// Writes `prompt` and reads one whole line (at most 127 bytes) into `buffer`.
void ask(Shell& shell, const char* prompt, char* buffer);
/// Writes `warning`, then "Are you sure? [Y/N] ", and reads the answer: yes
/// when it begins with y or Y.
bool confirm(Shell& shell, const char* warning);

// The commands, one function each; the table in command_loop.cpp maps the
// words to them. Each may throw myException; the loop shows it.

// Editing (edit_commands.cpp)
void addChildCommand(Shell& shell);
void addNextCommand(Shell& shell);
void addPreviousCommand(Shell& shell);
void deleteCommand(Shell& shell);
void browseFirstChildCommand(Shell& shell);
void browseNextCommand(Shell& shell);
void browsePreviousCommand(Shell& shell);
void browseParentCommand(Shell& shell);
void getInfoCommand(Shell& shell);
void setTextCommand(Shell& shell);
void setHrefCommand(Shell& shell);
void zapCommand(Shell& shell);

// Stack, clipboard and working places (place_commands.cpp)
void pushCommand(Shell& shell);
void popCommand(Shell& shell);
void copyCommand(Shell& shell);
void pasteBeforeCommand(Shell& shell);
void pasteAfterCommand(Shell& shell);
void pasteChildCommand(Shell& shell);
void setWorkPlace1Command(Shell& shell);
void setWorkPlace2Command(Shell& shell);
void gotoWorkPlace1Command(Shell& shell);
void gotoWorkPlace2Command(Shell& shell);
void move12Command(Shell& shell);

// Listing, sample and help (view_commands.cpp, help_texts.cpp)
void listCommand(Shell& shell);
void sampleCommand(Shell& shell);
void helpCommand(Shell& shell);

// Settings (settings_commands.cpp)
void setPrefixCommand(Shell& shell);
void setSuffixCommand(Shell& shell);
void setBaseUrlCommand(Shell& shell);
void setBaseTargetCommand(Shell& shell);
void setCssCommand(Shell& shell);
void setUsingParaCommand(Shell& shell);

// Tree files (file_commands.cpp): the word chooses the format.
void saveCommand(Shell& shell);
void loadCommand(Shell& shell);

// Links from other programs (import_command.cpp)
void importCommand(Shell& shell);

#endif  // RAVELINK_SHELL_COMMANDS_H_
