#include "shell/line_editor.h"

#include <algorithm>
#include <utility>

#ifdef RAVELINK_HAVE_LIBEDIT
#include <histedit.h>
#include <langinfo.h>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>

#include "base/signals.h"
#endif

#include "shell/file_name_completion.h"
#include "shell/word_case.h"

// ---- Output that holds back the prompt ----

namespace {
// Past this many held bytes, whole lines are passed on without waiting for
// a read, so a long listing is not kept in memory.
constexpr std::size_t kHoldLimit = 8192;
}  // namespace

bool PromptHoldingBuffer::passWholeLines() {
  std::size_t end = pending_.rfind('\n');
  if (end == std::string::npos) return true;
  auto count = static_cast<std::streamsize>(end + 1);
  bool ok = sink_.sputn(pending_.data(), count) == count;
  pending_.erase(0, end + 1);
  return ok;
}

std::string PromptHoldingBuffer::takePrompt() {
  passWholeLines();
  sink_.pubsync();
  std::string prompt;
  prompt.swap(pending_);
  return prompt;
}

PromptHoldingBuffer::int_type PromptHoldingBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  if (pending_.size() > kHoldLimit && !passWholeLines()) return traits_type::eof();
  return c;
}

std::streamsize PromptHoldingBuffer::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, static_cast<std::size_t>(n));
  if (pending_.size() > kHoldLimit && !passWholeLines()) return 0;
  return n;
}

int PromptHoldingBuffer::sync() {
  auto count = static_cast<std::streamsize>(pending_.size());
  bool ok = sink_.sputn(pending_.data(), count) == count;
  pending_.clear();
  return ok && sink_.pubsync() == 0 ? 0 : -1;
}

// ---- Completion ----

Completion completeCommandLine(std::string_view beforeCursor, const CompletionWords& words) {
  std::size_t position = 0;
  std::string_view first = nextWord(beforeCursor, position);
  if (position == beforeCursor.size()) return completeFrom(first, words.commands, " ");
  if (std::find(words.helpWords.begin(), words.helpWords.end(), first) == words.helpWords.end()) {
    return {};
  }
  std::string_view topic = nextWord(beforeCursor, position);
  if (position != beforeCursor.size()) return {};
  return completeFrom(topic, words.topics, " ");
}

// ---- The editor ----

#ifdef RAVELINK_HAVE_LIBEDIT

namespace {
constexpr int kHistorySize = 500;
}  // namespace

LineEditor::LineEditor(PromptHoldingBuffer& screen, CompletionWords words)
    : screen_(screen), words_(std::move(words)) {
  // Typed characters are decoded in the terminal's own encoding; without
  // this, libedit would take every byte above 127 for an invalid one. The
  // plain C locale (no locale set at all) knows only ASCII, so there UTF-8,
  // what terminals send today, is the better guess.
  const char* locale = std::setlocale(LC_CTYPE, "");
  if (locale == nullptr || std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
  }
  el_ = el_init("ravelink", stdin, stdout, stderr);
  commandHistory_ = history_init();
  answerHistory_ = history_init();
  if (el_ == nullptr || commandHistory_ == nullptr || answerHistory_ == nullptr) {
    throw std::bad_alloc();
  }
  HistEvent event;
  history(commandHistory_, &event, H_SETSIZE, kHistorySize);
  history(commandHistory_, &event, H_SETUNIQUE, 1);
  history(answerHistory_, &event, H_SETSIZE, 1);

  el_set(el_, EL_CLIENTDATA, static_cast<void*>(this));
  el_set(el_, EL_EDITOR, "emacs");
  // The editor's own signal handling stays off: it would send every signal
  // on to the whole process group. Keys come through readKey instead, which
  // ends the line on Ctrl-C or a stop and follows resizes itself.
  el_set(el_, EL_SIGNAL, 0);
  el_set(el_, EL_GETCFN, &LineEditor::readKey);
  watchTerminal();
  el_set(el_, EL_PROMPT, &LineEditor::promptOf);
  el_set(el_, EL_ADDFN, "ravelink-complete", "Complete a command word or help topic",
         &LineEditor::tabKey);
  el_set(el_, EL_BIND, "^I", "ravelink-complete", nullptr);
  el_set(el_, EL_ADDFN, "ravelink-end-table", "End the style table with the byte 0x1A",
         &LineEditor::endTableKey);
  // The usual shell meanings: erase the word, or everything, before the cursor.
  el_set(el_, EL_BIND, "^W", "ed-delete-prev-word", nullptr);
  el_set(el_, EL_BIND, "^U", "vi-kill-line-prev", nullptr);
}

LineEditor::~LineEditor() {
  el_end(el_);
  history_end(commandHistory_);
  history_end(answerHistory_);
}

char* LineEditor::promptOf(editline* el) {
  void* self = nullptr;
  el_get(el, EL_CLIENTDATA, &self);
  return static_cast<LineEditor*>(self)->prompt_.data();
}

unsigned char LineEditor::tabKey(editline* el, int /*key*/) {
  void* self = nullptr;
  el_get(el, EL_CLIENTDATA, &self);
  return static_cast<LineEditor*>(self)->complete();
}

unsigned char LineEditor::endTableKey(editline* el, int /*key*/) {
  // The key stays bound after a style table; elsewhere it stops the
  // program before the editor sees it, and does nothing when it comes.
  void* self = nullptr;
  el_get(el, EL_CLIENTDATA, &self);
  if (static_cast<LineEditor*>(self)->kind_ != LineKind::kStyleTable) return CC_NORM;
  // The byte goes at the end of the line, and the line ends there, as if
  // Enter came next: what the key ends is all that was typed.
  const LineInfo* line = el_line(el);
  el_cursor(el, static_cast<int>(line->lastchar - line->cursor));
  el_insertstr(el, "\x1a");
  el_push(el, "\n");
  return CC_REFRESH;
}

int LineEditor::readKey(editline* el, wchar_t* key) {
  char bytes[MB_LEN_MAX];
  std::size_t length = 0;
  for (;;) {
    ssize_t count = readUnlessSignalled(STDIN_FILENO, bytes + length, 1);
    if (count < 0 && errno == EINTR) {
      if (takeContinued()) {
        // Back from Ctrl-Z: the shell may have reset the terminal.
        el_set(el, EL_PREP_TERM, 0);
        el_set(el, EL_PREP_TERM, 1);
        el_set(el, EL_REFRESH);
      }
      // A new size is taken in; the line stays as the terminal shows it
      // (redrawn at once, it would be drawn a second time after the prompt).
      if (takeResized()) el_resize(el);
      if (stopSignal() != 0 || lineInterruptPending()) return -1;  // the line ends unread
      continue;
    }
    if (count <= 0) return count == 0 ? 0 : -1;
    ++length;
    std::mbstate_t state{};
    switch (std::mbrtowc(key, bytes, length, &state)) {
      case static_cast<std::size_t>(-2):  // a sequence begun: read on
        if (length == sizeof bytes) length = 0;
        continue;
      case static_cast<std::size_t>(-1):  // not a character: dropped
        length = 0;
        continue;
      default:
        return 1;
    }
  }
}

unsigned char LineEditor::complete() {
  // An answer may hold tabs like any other byte.
  if (kind_ != LineKind::kCommand && kind_ != LineKind::kFileName) {
    el_insertstr(el_, "\t");
    return CC_REFRESH;
  }
  const LineInfo* line = el_line(el_);
  std::string before(line->buffer, static_cast<std::size_t>(line->cursor - line->buffer));
  Completion completion = kind_ == LineKind::kCommand
                              ? completeCommandLine(before, words_)
                              : completeFileName(before, fileNamesBeginningWith(before));
  if (!completion.insert.empty()) {
    el_insertstr(el_, completion.insert.c_str());
    return CC_REFRESH;
  }
  if (completion.choices.empty()) return CC_REFRESH_BEEP;
  // The choices go on lines of their own; the editor then redraws the
  // prompt and the line below them.
  std::string list;
  for (const std::string& choice : completion.choices) {
    list += (list.empty() ? "\n" : "  ") + choice;
  }
  list += '\n';
  std::fputs(list.c_str(), stdout);
  std::fflush(stdout);
  return CC_REDISPLAY;
}

LineEditor::int_type LineEditor::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  prompt_ = screen_.takePrompt();
  const bool commandLine = kind_ == LineKind::kCommand;
  el_set(el_, EL_HIST, &::history, commandLine ? commandHistory_ : answerHistory_);
  if (kind_ == LineKind::kStyleTable) {
    // The editor keeps a suspend key of its own while it edits, whatever
    // the terminal's is, so it is switched off there too. The terminal's
    // settings are taken in first (el_gets would take them in after the
    // binding and bind Ctrl-Z anew).
    el_set(el_, EL_PREP_TERM, 1);
    el_set(el_, EL_SETTY, "-d", "susp=", nullptr);
    el_set(el_, EL_BIND, "^Z", "ravelink-end-table", nullptr);
    suspendKeyOff_ = true;
  } else if (suspendKeyOff_) {
    el_set(el_, EL_SETTY, "-d", "susp=^Z", nullptr);
    suspendKeyOff_ = false;
  }
  int count = 0;
  const char* typed = el_gets(el_, &count);
  if (stopSignal() != 0 || lineInterruptPending()) {
    // Ctrl-C drops the line: the editor showed no "^C", so it is written here.
    setg(nullptr, nullptr, nullptr);
    if (stopSignal() == 0) screen_.sputn("^C", 2);
    throwIfSignalled();
  }
  if (typed == nullptr || count <= 0) {
    // The end-of-file key leaves the cursor behind the prompt and the "^D"
    // that libedit shows; what the program writes next starts on a line of
    // its own.
    screen_.sputc('\n');
    setg(nullptr, nullptr, nullptr);
    return traits_type::eof();
  }
  line_.assign(typed, static_cast<std::size_t>(count));
  if (commandLine) {
    std::string entry = line_;
    if (!entry.empty() && entry.back() == '\n') entry.pop_back();
    if (entry.find_first_not_of(" \t") != std::string::npos) {
      HistEvent event;
      history(commandHistory_, &event, H_ENTER, entry.c_str());
    }
  }
  setg(line_.data(), line_.data(), line_.data() + line_.size());
  return traits_type::to_int_type(*gptr());
}

#endif  // RAVELINK_HAVE_LIBEDIT
