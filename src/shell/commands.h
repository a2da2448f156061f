#ifndef RAVELINK_SHELL_COMMANDS_H_
#define RAVELINK_SHELL_COMMANDS_H_

#include "shell/shell.h"

// The commands, one function each; the table in command_table.cpp maps the
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

// Listing and sample (view_commands.cpp), help (command_table.cpp)
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

// Finding and seeing the tree (find_command.cpp, tree_view_command.cpp)
void findNodeCommand(Shell& shell);
void viewCommand(Shell& shell);

// Tree files (file_commands.cpp): the word chooses the format.
void saveCommand(Shell& shell);
void loadCommand(Shell& shell);

// The end of the dialogue (command_loop.cpp): sets shell.quit.
void quitCommand(Shell& shell);

// Interchange with browsers and outliners (export_command.cpp)
void exportCommand(Shell& shell);

// Dead links (check_command.cpp)
void checkCommand(Shell& shell);

// Links from other programs (import_command.cpp)
void importCommand(Shell& shell);
// shell/undo_commands.cpp
void undoCommand(Shell& shell);
void redoCommand(Shell& shell);
// shell/collection_commands.cpp
void dupesCommand(Shell& shell);
void sortCommand(Shell& shell);

#endif  // RAVELINK_SHELL_COMMANDS_H_
