#include "view/tree_view.h"

#include <algorithm>

#include "tree/tree_walk.h"

namespace {

constexpr const char* kKeys = "Enter go  q back  / find  n next  o open";
constexpr const char* kShortKeys = "Enter q / n o";

// ---- Text as the terminal shows it ----

// The length of the well-formed UTF-8 sequence at `s` and its code point,
// or 0 when `s` starts no such sequence (a control character counts as
// not well-formed: it would move the terminal's cursor).
int utf8Sequence(const unsigned char* s, char32_t& codePoint) {
  if (s[0] < 0x20 || s[0] == 0x7f) return 0;
  if (s[0] < 0x80) {
    codePoint = s[0];
    return 1;
  }
  int length = s[0] >= 0xf0 && s[0] <= 0xf4 ? 4 : s[0] >= 0xe0 ? 3 : s[0] >= 0xc2 ? 2 : 0;
  if (length == 0 || s[0] > 0xf4) return 0;
  codePoint = s[0] & (0x7f >> length);
  for (int i = 1; i < length; ++i) {
    if ((s[i] & 0xc0) != 0x80) return 0;  // a NUL ends it here too
    codePoint = (codePoint << 6) | (s[i] & 0x3f);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < least[length] || codePoint > 0x10ffff ||
      (codePoint >= 0xd800 && codePoint <= 0xdfff) || (codePoint >= 0x80 && codePoint < 0xa0)) {
    return 0;
  }
  return length;
}

int columnsOf(char32_t c) {
  if (c >= 0x300 && c <= 0x36f) return 0;  // combining accents
  const bool wide = (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0xa4cf) ||
                    (c >= 0xac00 && c <= 0xd7a3) || (c >= 0xf900 && c <= 0xfaff) ||
                    (c >= 0xfe30 && c <= 0xfe4f) || (c >= 0xff00 && c <= 0xff60) ||
                    (c >= 0xffe0 && c <= 0xffe6) || (c >= 0x1f300 && c <= 0x1f64f) ||
                    (c >= 0x1f900 && c <= 0x1f9ff) || (c >= 0x20000 && c <= 0x3fffd);
  return wide ? 2 : 1;
}

/// Appends `text` to `out` as it can be shown, within `room` columns (which
/// it lessens): control characters and bytes that are no well-formed UTF-8
/// become "?"; a character that does not fit whole ends it.
void appendShown(std::string& out, const char* text, int& room) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s != 0 && room > 0) {
    char32_t codePoint = 0;
    const int length = utf8Sequence(s, codePoint);
    const int width = length == 0 ? 1 : columnsOf(codePoint);
    if (width > room) return;
    if (length == 0) {
      out += '?';
      ++s;
    } else {
      out.append(reinterpret_cast<const char*>(s), static_cast<std::size_t>(length));
      s += length;
    }
    room -= width;
  }
}

std::int64_t childCount(const RavelinkChild* node) {
  std::int64_t count = 0;
  for (const RavelinkChild* c = node->getFirstChild(); c != nullptr; c = c->getNextSibling()) {
    ++count;
  }
  return count;
}

// The branches in front of a node, as `list` draws them: a column for each
// ancestor below the root ('|' when it has a next sibling) and the node's
// own branch. `columns` holds one flag per such ancestor, the root's child
// first. Deeper than `room` columns allow, only the deepest part is kept,
// behind a "<".
std::string branches(const std::vector<char>& columns, const RavelinkChild* node,
                     std::int64_t depth, int room) {
  if (depth == 0) return "";
  const std::int64_t width = 3 * depth;
  const std::int64_t levels = std::min<std::int64_t>(depth, room / 3 + 2);
  std::string drawn;
  for (auto flag = columns.end() - (levels - 1); flag != columns.end(); ++flag) {
    drawn += *flag == '|' ? "|  " : "   ";
  }
  drawn += node->getNextSibling() != nullptr ? "+--" : "\\--";
  if (width <= room) return drawn;
  std::string cut = "<";
  cut.append(drawn, drawn.size() - static_cast<std::size_t>(std::max(room - 1, 0)));
  return cut;
}

}  // namespace

int displayColumns(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.c_str());
  int columns = 0;
  while (*s != 0) {
    char32_t codePoint = 0;
    const int length = utf8Sequence(s, codePoint);
    columns += length == 0 ? 1 : columnsOf(codePoint);
    s += length == 0 ? 1 : length;
  }
  return columns;
}

// ---- The shown list ----

TreeView::TreeView(const Ravelink& tree, int rows, int columns)
    : tree_(tree),
      rows_(std::max(rows, 1)),
      columns_(std::max(columns, 1)),
      top_(tree.getRoot()),
      highlight_(tree.getRoot()),
      lastSearch_(tree.getLastSearch()) {
  for (const RavelinkChild* up = tree.getCurrent()->getParent(); up != nullptr;
       up = up->getParent()) {
    if (!showsChildren(up)) opened_.insert(up);
  }
  jumpTo(tree.getCurrent());
}

bool TreeView::showsChildren(const RavelinkChild* node) const {
  if (folded_.count(node) != 0) return false;
  if (opened_.count(node) != 0) return true;
  // Unless told otherwise, the root and its children show their children.
  return node->getParent() == nullptr || node->getParent()->getParent() == nullptr;
}

const RavelinkChild* TreeView::shownAfter(const RavelinkChild* node) const {
  return nextInPreorder(node, showsChildren(node));
}

const RavelinkChild* TreeView::shownBefore(const RavelinkChild* node) const {
  return previousInPreorder(node, [this](const RavelinkChild* n) { return showsChildren(n); });
}

void TreeView::stepDown() {
  const RavelinkChild* next = shownAfter(highlight_);
  if (next == nullptr) return;
  highlight_ = next;
  if (row_ + 1 < rows_) {
    ++row_;
  } else {
    top_ = shownAfter(top_);
  }
}

void TreeView::stepUp() {
  const RavelinkChild* before = shownBefore(highlight_);
  if (before == nullptr) return;
  highlight_ = before;
  if (row_ > 0) {
    --row_;
  } else {
    top_ = before;
  }
}

void TreeView::jumpTo(const RavelinkChild* node) {
  const RavelinkChild* line = top_;
  for (int row = 0; row < rows_ && line != nullptr; ++row, line = shownAfter(line)) {
    if (line == node) {
      highlight_ = node;
      row_ = row;
      return;
    }
  }
  highlight_ = top_ = node;
  row_ = 0;
  for (int k = 0; k < rows_ / 3; ++k) {
    const RavelinkChild* before = shownBefore(top_);
    if (before == nullptr) break;
    top_ = before;
    ++row_;
  }
  fillScreen();
}

void TreeView::fillScreen() {
  const RavelinkChild* line = highlight_;
  int below = 0;  // shown nodes after the highlighted one, up to a screen
  while (row_ + below + 1 < rows_ && (line = shownAfter(line)) != nullptr)
    ++below;
  while (row_ + below + 1 < rows_) {
    const RavelinkChild* before = shownBefore(top_);
    if (before == nullptr) return;
    top_ = before;
    ++row_;
  }
}

void TreeView::resize(int rows, int columns) {
  rows_ = std::max(rows, 1);
  columns_ = std::max(columns, 1);
  if (row_ >= rows_) {
    // Keep the highlighted node on the bottom line.
    for (; row_ >= rows_; --row_)
      top_ = shownAfter(top_);
  }
  fillScreen();
}

void TreeView::move(Move move) {
  switch (move) {
    case Move::kUp:
      stepUp();
      break;
    case Move::kDown:
      stepDown();
      break;
    case Move::kPageDown:
      // The list moves up a screen less one line under a highlight that
      // keeps its line, as far as the list goes.
      for (int k = 0; k + 1 < rows_; ++k) {
        const RavelinkChild* next = shownAfter(highlight_);
        if (next == nullptr) break;
        highlight_ = next;
        top_ = shownAfter(top_);
      }
      fillScreen();
      break;
    case Move::kPageUp:
      for (int k = 0; k + 1 < rows_; ++k) {
        const RavelinkChild* before = shownBefore(highlight_);
        if (before == nullptr) break;
        highlight_ = before;
        if (const RavelinkChild* above = shownBefore(top_)) {
          top_ = above;
        } else {
          --row_;
        }
      }
      break;
    case Move::kHome:
      highlight_ = top_ = tree_.getRoot();
      row_ = 0;
      break;
    case Move::kEnd: {
      const RavelinkChild* last = tree_.getRoot();
      while (last->getLastChild() != nullptr && showsChildren(last))
        last = last->getLastChild();
      highlight_ = top_ = last;
      row_ = 0;
      fillScreen();
      break;
    }
    case Move::kRight:
      if (highlight_->getFirstChild() == nullptr) break;
      if (showsChildren(highlight_)) {
        stepDown();
      } else {
        folded_.erase(highlight_);
        opened_.insert(highlight_);
      }
      break;
    case Move::kLeft:
      if (highlight_->getFirstChild() != nullptr && showsChildren(highlight_)) {
        opened_.erase(highlight_);
        folded_.insert(highlight_);
        fillScreen();
      } else if (highlight_->getParent() != nullptr) {
        jumpTo(highlight_->getParent());
      }
      break;
  }
}

bool TreeView::search(const char* needle) {
  // A typed text is remembered whether it is found or not.
  if (needle[0] != '\0') lastSearch_ = needle;
  const RavelinkChild* found = tree_.findAfter(highlight_, lastSearch_.c_str());
  if (found == nullptr) return false;
  for (const RavelinkChild* up = found->getParent(); up != nullptr; up = up->getParent()) {
    if (!showsChildren(up)) {
      folded_.erase(up);
      opened_.insert(up);
    }
  }
  jumpTo(found);
  return true;
}

// ---- The screen lines ----

std::vector<std::string> TreeView::screenLines() const {
  std::vector<std::string> lines(static_cast<std::size_t>(rows_));
  // The columns of the top node's ancestors, found by climbing once; from
  // there each line's columns follow from the step to it.
  std::vector<char> columns;
  std::int64_t depth = 0;
  for (const RavelinkChild* up = top_->getParent(); up != nullptr; up = up->getParent()) {
    if (up->getParent() != nullptr) columns.push_back(up->getNextSibling() != nullptr ? '|' : ' ');
    ++depth;
  }
  std::reverse(columns.begin(), columns.end());
  const RavelinkChild* node = top_;
  for (std::string& line : lines) {
    const int branchRoom = columns_ * 2 / 3;
    line = branches(columns, node, depth, branchRoom);
    int room = columns_ - std::min<int>(displayColumns(line), columns_);
    appendShown(line, node->getText(), room);
    std::string marks;
    if (node == tree_.getCurrent()) marks += '*';
    if (node->getFirstChild() != nullptr && !showsChildren(node)) {
      marks += " [+" + std::to_string(childCount(node)) + "]";
    }
    appendShown(line, marks.c_str(), room);

    const RavelinkChild* next = shownAfter(node);
    if (next == nullptr) break;
    if (next->getParent() == node) {
      if (depth > 0) columns.push_back(node->getNextSibling() != nullptr ? '|' : ' ');
      ++depth;
    } else {
      for (const RavelinkChild* up = node; up->getParent() != next->getParent();
           up = up->getParent()) {
        columns.pop_back();
        --depth;
      }
    }
    node = next;
  }
  return lines;
}

std::string TreeView::statusLine(const std::string& message) const {
  // The last column stays empty: writing a terminal's bottom-right cell
  // may scroll the screen.
  const int width = columns_ - 1;
  std::string right = message;
  if (right.empty()) right = width >= 79 ? kKeys : kShortKeys;
  const std::string href = highlight_->getHref()[0] != '\0' ? highlight_->getHref() : "(no href)";
  const int rightColumns = displayColumns(right);
  std::string line;
  int room = width;
  if (rightColumns + 2 > width) {
    // No room for both: a message wins; the keys give way to the href.
    appendShown(line, message.empty() ? href.c_str() : message.c_str(), room);
    return line;
  }
  room = width - rightColumns - 2;
  appendShown(line, href.c_str(), room);
  line.append(static_cast<std::size_t>(width - displayColumns(line) - rightColumns), ' ');
  return line + right;
}
