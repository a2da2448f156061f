#ifndef RAVELINK_SHELL_COMMAND_LOOP_H_
#define RAVELINK_SHELL_COMMAND_LOOP_H_

#include <cstddef>
#include <functional>

#include "shell/console.h"
#include "shell/line_editor.h"
#include "tree/ravelink.h"

class EditHistory;

/// Looks at the tree between commands; the fuzz targets check the links
/// with it, and undo and redo through the history (null without one).
/// Whatever it throws ends the loop and passes on to the caller.
using CommandObserver = std::function<void(const Ravelink& tree, EditHistory* history)>;

/// Runs the command dialogue on `tree` until "quit" or the end of input.
/// Prompts "-", reads a line, runs the command of its first word (see
/// shell/command_table.h) and shows any myException it throws as "Error of
/// NAME: MESSAGE". Calls `afterCommand`, when given, after every line read
/// at the prompt but "quit": a command done, failed or refused, a bad word,
/// an empty line. A Ctrl-C at a terminal (LineInterrupted) drops the line
/// being typed and the command it belongs to; a line break follows and the
/// prompt comes again. StopRequested passes on to the caller. Returns how
/// many lines were read at the prompt before the one that ended it.
/// Commands that change the tree are recorded in `history`, when given, as
/// one step each; undo and redo act on it. At a terminal, when the history
/// says the tree has changed since it was last saved or loaded, "quit" and
/// the end of input at the prompt first ask "The tree has changes that are
/// not saved. Quit anyway? [Y/N] "; an answer that does not begin with y or
/// Y gives the prompt back, and the end of input there ends the loop.
std::size_t commandLoop(Ravelink& tree, Console& console,
                        const CommandObserver& afterCommand = nullptr,
                        EditHistory* history = nullptr);

/// What the line editor completes, from the command table: every command
/// word, the words of the help command, and every word with a help topic,
/// each in table order.
CompletionWords commandWords();

#endif  // RAVELINK_SHELL_COMMAND_LOOP_H_
