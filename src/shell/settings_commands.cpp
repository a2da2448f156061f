// Commands that change the page settings rather than the tree. None of them
// throws: every answer is stored, cut to its field.
#include <ostream>

#include "shell/commands.h"
#include "shell/suspend_key.h"

namespace {

// ---- The four text settings: show the present value, ask the new one ----

struct TextSetting {
  const char* currentLabel;
  const char* newLabel;
  PageSettings::Setting PageSettings::*field;
};

constexpr TextSetting kPrefix = {"current prefix: ", "new prefix: ", &PageSettings::hrefPrefix};
constexpr TextSetting kSuffix = {"current suffix: ", "new suffix: ", &PageSettings::hrefSuffix};
constexpr TextSetting kBaseUrl = {"current base URL: ", "new base URL: ", &PageSettings::baseUrl};
constexpr TextSetting kBaseTarget = {
    "current base target: ", "new base target: ", &PageSettings::baseTarget};

void changeSetting(Shell& shell, const TextSetting& setting) {
  PageSettings::Setting& value = shell.tree.settings().*setting.field;
  shell.out() << setting.currentLabel << value.get() << '\n';
  ask(shell, setting.newLabel, shell.line, Ravelink::kSettingSize - 1);
  value.set(shell.line);
}

// After an answer read byte by byte: drops the rest of its line, unless the
// byte that ended the reading already finished the line (a line feed) or
// the input (then a terminal is made ready for new typing).
void finishCharAnswer(Console& console, int last) {
  if (last == Console::kEnd) {
    console.resumeAfterEnd();
  } else if (last != '\n') {
    console.discardLine();
  }
}

}  // namespace

void setPrefixCommand(Shell& shell) { changeSetting(shell, kPrefix); }
void setSuffixCommand(Shell& shell) { changeSetting(shell, kSuffix); }
void setBaseUrlCommand(Shell& shell) { changeSetting(shell, kBaseUrl); }
void setBaseTargetCommand(Shell& shell) { changeSetting(shell, kBaseTarget); }

// ---- Style table and paragraph choice: answers read byte by byte ----

// Reads the style table up to the end of input (^Z / end of file), line feeds
// included, at most 319 bytes; the byte that meets the limit and the rest of
// its line are dropped. In a script a byte 0x1A ends only the table: the
// script goes on at the line after it. At a terminal Ctrl-Z types that byte
// while the table is read, as the prompt says, rather than stopping the
// program; at the command prompt it stops the program again.
void setCssCommand(Shell& shell) {
  std::ostream& out = shell.out();
  out << "Example CSS style table: \n"
      << ". { font-family: Tahoma, Verdana, MS Sans Serif; font-size: 8pt; color: silver }\n"
      << "body { background-color: darkblue }\n"
      << "a { color: silver }\n"
      << "a:hover { color: white; background-color: violet }\n"
      << '\n'
      << "Current CSS style table: \n"
      << shell.tree.settings().styleTable.get() << '\n'
      << "Please enter new style table (^Z to end): \n";

  SuspendKeyOff suspendKeyOff(shell.console.interactive());
  LineKindScope tableLines(shell.console, LineKind::kStyleTable);
  char table[Ravelink::kStyleSize];
  int length = 0;
  int c = shell.console.getChar();
  while (length < Ravelink::kStyleSize - 1 && c != Console::kEnd) {
    table[length++] = static_cast<char>(c);
    c = shell.console.getChar();
  }
  table[length] = '\0';
  if (c == Console::kEnd) {
    shell.console.resumeAfterEndByte();
  } else {
    finishCharAnswer(shell.console, c);
  }
  shell.tree.settings().styleTable.set(table);
}

// Only the first byte of the answer counts: P or p for paragraphs, D or d
// for divisions; anything else changes nothing.
void setUsingParaCommand(Shell& shell) {
  shell.out() << "Use paragraph <p> or division <div>? [P/D] ";
  int c = shell.console.getChar();
  if (c == 'P' || c == 'p') {
    shell.tree.settings().usingPara = true;
  } else if (c == 'D' || c == 'd') {
    shell.tree.settings().usingPara = false;
  } else {
    shell.out() << "Error entering!\n";
  }
  finishCharAnswer(shell.console, c);
}
