#include "shell/console.h"

#include <unistd.h>

#include <cerrno>

#include "base/signals.h"
#include "shell/line_editor.h"
#include "tree/text_rules.h"

Console::Console(std::streambuf& in, std::ostream& out, bool interactive)
    : in_(in), out_(out), interactive_(interactive) {}

int Console::peekChar() {
  if (ended_) return kEnd;
  for (;;) {
    int c = in_.sgetc();
    if (c == std::streambuf::traits_type::eof() || c == kEndOfInputByte) {
      ended_ = true;
      if (c == kEndOfInputByte) in_.sbumpc();
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

bool readConsoleLine(Console& console, char* buffer, std::size_t capacity) {
  std::size_t length = 0;
  int c = 0;
  while (length + 1 < capacity) {
    c = console.getChar();
    if (c == '\n' || c == Console::kEnd) break;
    buffer[length++] = static_cast<char>(c);
  }
  buffer[length] = '\0';
  // A full buffer whose line ends right here: take the line feed too, so
  // the next read does not return a phantom empty line.
  if (length + 1 == capacity && c != '\n' && c != Console::kEnd &&
      console.peekChar() == '\n') {
    console.getChar();
  }
  bool gotNothing = length == 0 && c == Console::kEnd;
  if (console.atEnd()) console.resumeAfterEnd();
  return !gotNothing;
}

void Console::setCommandLine(bool on) {
  if (editor_ != nullptr) editor_->setCommandLine(on);
}

bool readCommandLine(Console& console, char* buffer, std::size_t capacity) {
  console.setCommandLine(true);
  bool got = readConsoleLine(console, buffer, capacity);
  console.setCommandLine(false);
  return got;
}

bool morePause(Console& console) {
  console.out() << "-- MORE -- enter 'A' to abort: ";
  char answer[128];
  readConsoleLine(console, answer, sizeof answer);
  return answer[0] != 'a' && answer[0] != 'A';
}

FdInputBuffer::int_type FdInputBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (tie_ != nullptr) tie_->flush();
  ssize_t count;
  for (;;) {
    count = readUnlessSignalled(fd_, buffer_, sizeof buffer_);
    if (count >= 0 || errno != EINTR) break;
    // A stop ends the run; a Ctrl-C drops whatever was typed ahead too.
    setg(buffer_, buffer_, buffer_);
    throwIfSignalled();
  }
  if (count <= 0) return traits_type::eof();
  setg(buffer_, buffer_, buffer_ + count);
  return traits_type::to_int_type(*gptr());
}
