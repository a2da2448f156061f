#include "shell/console.h"

#include <unistd.h>

#include <cerrno>

#include "base/idle_action.h"
#include "base/signals.h"
#include "shell/line_editor.h"
#include "tree/text_rules.h"

bool sessionAtTerminal() {
  static const bool atTerminal = isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0;
  return atTerminal;
}

Console::Console(std::streambuf& in, std::ostream& out, bool interactive)
    : in_(in), out_(out), interactive_(interactive) {}

int Console::peekChar() {
  if (ended_) return kEnd;
  for (;;) {
    int c = in_.sgetc();
    if (c == std::streambuf::traits_type::eof() || c == kEndOfInputByte) {
      ended_ = true;
      endedAtByte_ = c == kEndOfInputByte;
      if (endedAtByte_) in_.sbumpc();
      return kEnd;
    }
    if (c != kCarriageReturn) return c;
    in_.sbumpc();
  }
}

int Console::getChar() {
  int c = peekChar();
  if (c != kEnd) in_.sbumpc();
  return c;
}

void Console::discardLine() {
  for (int c = getChar(); c != kEnd && c != '\n'; c = getChar()) {
  }
  if (ended_) resumeAfterEnd();
}

void Console::resumeAfterEnd() {
  if (interactive_) ended_ = false;
}

void Console::resumeAfterEndByte() {
  if (!ended_ || !endedAtByte_) {
    resumeAfterEnd();
    return;
  }
  ended_ = false;
  endedAtByte_ = false;
  if (!interactive_) {
    discardLine();
    return;
  }
  // The line feed that sent the byte (Enter, or the editor's at Ctrl-Z)
  // would otherwise be read as an empty command line. What else follows it
  // was typed on purpose and is read next.
  if (in_.in_avail() > 0 && in_.sgetc() == '\n') in_.sbumpc();
}

ConsoleLine readConsoleLine(Console& console, char* buffer, std::size_t capacity) {
  ConsoleLine line;
  std::size_t kept = 0;
  int c = console.getChar();
  for (; c != '\n' && c != Console::kEnd; c = console.getChar()) {
    if (kept + 1 < capacity) buffer[kept++] = static_cast<char>(c);
    ++line.length;
  }
  buffer[kept] = '\0';
  line.got = line.length > 0 || c == '\n';
  if (console.atEnd()) console.resumeAfterEnd();
  return line;
}

void Console::setLineKind(LineKind kind) {
  if (editor_ != nullptr) editor_->setLineKind(kind);
}

ConsoleLine readCommandLine(Console& console, char* buffer, std::size_t capacity) {
  LineKindScope commandLine(console, LineKind::kCommand);
  // Between commands, and only there, a pause may be used for work that
  // must not run while a command does (the driver's automatic copy).
  IdleWatch betweenCommands;
  return readConsoleLine(console, buffer, capacity);
}

bool morePause(Console& console) {
  console.out() << "-- MORE -- enter 'A' to abort: ";
  char answer[128];
  readConsoleLine(console, answer, sizeof answer);
  return answer[0] != 'a' && answer[0] != 'A';
}

ssize_t readConsoleInput(int fd, void* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = readUnlessSignalled(fd, buffer, size);
    if (count >= 0 || errno != EINTR) return count;
    // A stop ends the run; a Ctrl-C drops whatever was typed ahead too.
    throwIfSignalled();
  }
}
