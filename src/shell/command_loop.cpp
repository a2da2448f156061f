#include "shell/command_loop.h"

#include <cstring>
#include <string>
#include <vector>

#include "shell/commands.h"

namespace {

struct Command {
  const char* word;
  void (*run)(Shell& shell);
};

// Every command word, in the order in which a typed word is compared.
// "quit" is tested after all of them.
const Command kCommands[] = {
    {"aac", addChildCommand},
    {"aann", addNextCommand},
    {"aapn", addPreviousCommand},
    {"del", deleteCommand},
    {"bfc", browseFirstChildCommand},
    {"bnn", browseNextCommand},
    {"bpn", browsePreviousCommand},
    {"bparn", browseParentCommand},
    {"list", listCommand},
    {"getinfo", getInfoCommand},
    {"settext", setTextCommand},
    {"sethref", setHrefCommand},
    {"setprefix", setPrefixCommand},
    {"setsuffix", setSuffixCommand},
    {"setbu", setBaseUrlCommand},
    {"setbt", setBaseTargetCommand},
    {"save", saveCommand},
    {"savevcl", saveCommand},
    {"load", loadCommand},
    {"loadvcl", loadCommand},
    {"zap", zapCommand},
    {"push", pushCommand},
    {"pop", popCommand},
    {"copy", copyCommand},
    {"pasbef", pasteBeforeCommand},
    {"pasaft", pasteAfterCommand},
    {"paschd", pasteChildCommand},
    {"setwp1", setWorkPlace1Command},
    {"setwp2", setWorkPlace2Command},
    {"gotowp1", gotoWorkPlace1Command},
    {"gotowp2", gotoWorkPlace2Command},
    {"move12", move12Command},
    {"sample", sampleCommand},
    {"setcss", setCssCommand},
    {"setusingpara", setUsingParaCommand},
    {"help", helpCommand},
    {"?", helpCommand},
    {"import", importCommand},
};

const Command* findCommand(const char* word) {
  for (const Command& command : kCommands) {
    if (std::strcmp(command.word, word) == 0) return &command;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> commandWords() {
  std::vector<std::string> words;
  for (const Command& command : kCommands) words.emplace_back(command.word);
  return words;
}

void commandLoop(Ravelink& tree, Console& console, const CommandObserver& afterCommand) {
  Shell shell{tree, console};
  for (;;) {
    shell.out() << '-';
    // The end of input at the prompt ends the run as "quit" does.
    if (!readCommandLine(console, shell.line, sizeof shell.line)) return;
    shell.words.wCaseInputStr(shell.line);
    try {
      shell.words.wCaseOutputStr(shell.word);
    } catch (const myException&) {
      // A line without a word: nothing to run.
    }
    if (const Command* command = findCommand(shell.word)) {
      try {
        command->run(shell);
      } catch (const myException& error) {
        printError(shell.out(), error);
      }
    } else if (std::strcmp(shell.word, "quit") == 0) {
      return;
    } else if (shell.word[0] != '\0') {
      shell.out() << "Bad command\n";
    }
    if (afterCommand) afterCommand(tree);
  }
}

void ask(Shell& shell, const char* prompt, char* buffer) {
  shell.out() << prompt;
  readConsoleLine(shell.console, buffer, Shell::kLineSize);
}

bool confirm(Shell& shell, const char* warning) {
  shell.out() << warning << "Are you sure? [Y/N] ";
  char reply[Shell::kLineSize];
  readConsoleLine(shell.console, reply, sizeof reply);
  return reply[0] == 'y' || reply[0] == 'Y';
}
