// The full-screen view on the terminal, with ncurses: drawing TreeView's
// lines and turning keys into its moves. A build without ncurses has no view.
#include "view/view_screen.h"

#ifndef RAVELINK_HAVE_NCURSES

const RavelinkChild* runFullScreenView(const Ravelink&) {
  throw myException(Fault::kViewNeedsTerminal);
}

#else

#include <curses.h>
#include <langinfo.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/signals.h"
#include "view/opener.h"
#include "view/tree_view.h"

namespace {

constexpr int kMinColumns = 20;
constexpr int kMinLines = 4;  // three tree lines and the status line
constexpr int kEscape = 27;
constexpr int kCtrlC = 3;
constexpr std::size_t kSearchBytes = 127;  // as long as an answer at the prompt
constexpr int kKeyWaitMs = 100;            // how often a wait for a key looks at the stop flag

/// Texts reach the terminal as UTF-8, so the character type must be
/// UTF-8's; the plain C locale (no locale set at all) knows only ASCII.
/// The locale before is put back at the end.
class Utf8Ctype {
 public:
  Utf8Ctype() : before_(std::setlocale(LC_CTYPE, nullptr)) {
    const char* locale = std::setlocale(LC_CTYPE, "");
    if (locale == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
      std::setlocale(LC_CTYPE, "C.UTF-8");
    }
  }
  ~Utf8Ctype() { std::setlocale(LC_CTYPE, before_.c_str()); }
  Utf8Ctype(const Utf8Ctype&) = delete;
  Utf8Ctype& operator=(const Utf8Ctype&) = delete;

 private:
  std::string before_;
};

/// The terminal in ncurses' hands for the life of this object: raw keys
/// (Ctrl-C is a key, not a signal), no echo, keypad keys decoded. The
/// destructor gives the terminal back as it was, whatever ended the view.
class CursesSession {
 public:
  CursesSession() {
    std::fflush(stdout);
    // ncurses turns a change of size into KEY_RESIZE only with its own
    // SIGWINCH handler, which it installs only over the default one; the
    // line editor's handler comes back when the view ends.
    sigaction(SIGWINCH, nullptr, &resizeBefore_);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(SIGWINCH, &byDefault, nullptr);
    screen_ = newterm(nullptr, stdout, stdin);
    if (screen_ == nullptr) {
      sigaction(SIGWINCH, &resizeBefore_, nullptr);
      throw myException(Fault::kViewNeedsTerminal);
    }
    set_term(screen_);
    const char* move = tigetstr(const_cast<char*>("cup"));
    if (move == nullptr || move == reinterpret_cast<char*>(-1) || LINES < kMinLines ||
        COLS < kMinColumns) {
      close();
      throw myException(Fault::kViewNeedsTerminal);
    }
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    timeout(kKeyWaitMs);
    set_escdelay(25);
    curs_set(0);
  }
  ~CursesSession() { close(); }
  CursesSession(const CursesSession&) = delete;
  CursesSession& operator=(const CursesSession&) = delete;

 private:
  void close() {
    if (screen_ == nullptr) return;
    curs_set(1);
    endwin();
    delscreen(screen_);
    screen_ = nullptr;
    std::fflush(stdout);
    sigaction(SIGWINCH, &resizeBefore_, nullptr);
  }

  SCREEN* screen_ = nullptr;
  struct sigaction resizeBefore_ {};
};

bool terminalLooksUsable() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row != 0 &&
      (size.ws_row < kMinLines || size.ws_col < kMinColumns)) {
    return false;
  }
  const char* term = std::getenv("TERM");
  return term != nullptr && term[0] != '\0' && std::strcmp(term, "dumb") != 0;
}

bool tooSmall() { return LINES < kMinLines || COLS < kMinColumns; }

/// Draws the tree lines and `status` on the last line; the cursor goes to
/// column `cursorColumn` of the status line when it is not negative.
void draw(const TreeView& view, const std::string& status, int cursorColumn = -1) {
  erase();
  if (tooSmall()) {
    mvaddnstr(0, 0, "The window is too small.", COLS);
    refresh();
    return;
  }
  const std::vector<std::string> lines = view.screenLines();
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    mvaddstr(row, 0, lines[static_cast<std::size_t>(row)].c_str());
    if (row == view.highlightedRow()) mvchgat(row, 0, -1, A_REVERSE, 0, nullptr);
  }
  attron(A_BOLD);
  mvaddstr(LINES - 1, 0, status.c_str());
  attroff(A_BOLD);
  if (cursorColumn >= 0) {
    move(LINES - 1, std::min(cursorColumn, COLS - 1));
    curs_set(1);
  } else {
    curs_set(0);
  }
  refresh();
}

/// The terminal is gone: handled as the hang-up signal it usually comes
/// with (StopRequested: the run is rescued and ends), also when no signal
/// came. Returns only when SIGHUP is ignored (a run under nohup); the view
/// then ends as after Escape, and the console's next read meets the end of
/// its input.
void terminalLost() {
  ::raise(SIGHUP);
  checkStop();
}

/// The next key. While it waits, a stop signal ends the view within
/// kKeyWaitMs: StopRequested is thrown, and the session gives the terminal
/// back on the way out. A terminal that hung up or gives errors ends it
/// too, instead of the wait turning into a loop of failing reads.
int nextKey() {
  int quickFailures = 0;
  for (;;) {
    checkStop();
    const auto asked = std::chrono::steady_clock::now();
    const int key = getch();
    if (key != ERR) return key;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (::poll(&input, 1, 0) > 0 && (input.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      terminalLost();
      return kEscape;
    }
    // getch waits kKeyWaitMs for a key; failing at once, again and again,
    // is a terminal that has gone without telling poll.
    const bool quick =
        std::chrono::steady_clock::now() - asked < std::chrono::milliseconds(kKeyWaitMs / 4);
    quickFailures = quick ? quickFailures + 1 : 0;
    if (quickFailures == 20) {
      terminalLost();
      return kEscape;
    }
  }
}

bool isEnter(int key) { return key == '\n' || key == '\r' || key == KEY_ENTER; }

/// Asks for a search text on the status line. False when the user gave up
/// with Escape or Ctrl-C.
bool askSearchText(TreeView& view, std::string& text) {
  text.clear();
  for (;;) {
    std::string shown = "Find: " + text;
    draw(view, shown, displayColumns(shown));
    const int key = nextKey();
    if (isEnter(key)) return true;
    if (key == kEscape || key == kCtrlC) return false;
    if (key == KEY_RESIZE) {
      view.resize(LINES - 1, COLS);
    } else if (key == KEY_BACKSPACE || key == 127 || key == 8) {
      // A whole UTF-8 character: its continuation bytes and its first byte.
      while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xc0) == 0x80) {
        text.pop_back();
      }
      if (!text.empty()) text.pop_back();
    } else if (key >= 0x20 && key <= 0xff && key != 127 && text.size() < kSearchBytes) {
      text += static_cast<char>(key);
    }
  }
}

const RavelinkChild* runKeys(TreeView& view) {
  std::string message;
  for (;;) {
    draw(view, view.statusLine(message));
    message.clear();
    const int key = nextKey();
    switch (key) {
      case KEY_UP:
      case 'k':
        view.move(TreeView::Move::kUp);
        break;
      case KEY_DOWN:
      case 'j':
        view.move(TreeView::Move::kDown);
        break;
      case KEY_PPAGE:
        view.move(TreeView::Move::kPageUp);
        break;
      case KEY_NPAGE:
        view.move(TreeView::Move::kPageDown);
        break;
      case KEY_HOME:
        view.move(TreeView::Move::kHome);
        break;
      case KEY_END:
        view.move(TreeView::Move::kEnd);
        break;
      case KEY_RIGHT:
      case 'l':
        view.move(TreeView::Move::kRight);
        break;
      case KEY_LEFT:
      case 'h':
        view.move(TreeView::Move::kLeft);
        break;
      case KEY_RESIZE:
        view.resize(LINES - 1, COLS);
        break;
      case '/': {
        std::string text;
        if (askSearchText(view, text) && !view.search(text.c_str())) message = "not found";
        break;
      }
      case 'n':
        if (!view.search("")) message = "not found";
        break;
      case 'o':
        message = openHref(view.highlighted()->getHref());
        break;
      case 'q':
      case kEscape:
      case kCtrlC:
        return nullptr;
      default:
        if (isEnter(key)) return view.highlighted();
        break;
    }
  }
}

}  // namespace

const RavelinkChild* runFullScreenView(const Ravelink& tree) {
  if (!terminalLooksUsable()) throw myException(Fault::kViewNeedsTerminal);
  Utf8Ctype utf8;
  CursesSession session;
  TreeView view(tree, LINES - 1, COLS);
  return runKeys(view);
}

#endif  // RAVELINK_HAVE_NCURSES
