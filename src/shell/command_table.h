#ifndef RAVELINK_SHELL_COMMAND_TABLE_H_
#define RAVELINK_SHELL_COMMAND_TABLE_H_

// The command table: every command of the prompt, one row each. Dispatch,
// the command list of "help", "help WORD" and tab completion all read it,
// so a new command is one row here and its function in commands.h.

#include <cstddef>
#include <span>
#include <string_view>

#include "shell/shell.h"

/// One command: the words it answers to, what it runs, its line in the
/// command list and the help topic of each word. Unused places of `words`
/// and `topics` are null.
struct CommandRow {
  static constexpr std::size_t kMaxWords = 2;

  /// The words typed at the prompt that run it.
  const char* words[kMaxWords] = {};
  /// The command; it finds the word typed in shell.word.
  void (*run)(Shell& shell) = nullptr;
  /// Its line in the command list, without the line feed; null: not listed
  /// (a row whose words share the line of the row before).
  const char* listLine = nullptr;
  /// Whether the command list pauses ("-- MORE --") after this row's line.
  bool pauseAfter = false;
  /// What "help WORD" writes for words[i], or null: that word is no topic.
  const char* topics[kMaxWords] = {};
  /// The library the command needs and this build lacks, or null when the
  /// build has it all; set from the build's feature macro, as in
  /// `kHaveLibxml2 ? nullptr : "libxml2"`. Such a command stays listed and
  /// keeps its topics; typed, it writes one line saying so (runCommand).
  const char* missingLibrary = nullptr;
  /// Whether the command may change the tree or a setting: it is then one
  /// step of the undo history (tree/edit_history.h).
  bool changesTree = false;
};

/// Every row, in the order in which a typed word and a topic are looked up.
std::span<const CommandRow> commandTable();

/// The first row answering to `word`, or null; nothing answers to "".
const CommandRow* findCommand(std::string_view word);

/// The help topic of `word`, from the first row that gives `word` one, or
/// null when no row does.
const char* findTopic(std::string_view word);

/// Runs `row` for the word in shell.word; when the build lacks the row's
/// library, writes one line saying so instead.
void runCommand(Shell& shell, const CommandRow& row);

/// Runs `row` as one step of the shell's history when it changes the tree
/// (the step ends however the command ends), else as runCommand does.
void runStep(Shell& shell, const CommandRow& row);

#endif  // RAVELINK_SHELL_COMMAND_TABLE_H_
