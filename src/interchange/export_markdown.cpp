// The Markdown list writer (see export_file.h).
#include <ostream>
#include <string>

#include "interchange/export_file.h"
#include "interchange/export_text.h"
#include "tree/my_exception.h"
#include "tree/tree_walk.h"

namespace {

constexpr std::size_t kPieceSize = 1 << 16;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlphanumeric(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when the "&" at `p` begins "&name;" or "&#123;", which Markdown
// decodes as a character reference.
bool startsReference(const char* p) {
  const char* q = p + 1;
  if (*q == '#') ++q;
  const char* name = q;
  while (isAlphanumeric(*q))
    ++q;
  return q > name && *q == ';';
}

// Appends a text so that it renders as itself, in a list item, a heading or
// a link's text. Escaped wherever they stand: \ ` * _ [ ] < ~ ^ $ (emphasis,
// code, links, raw HTML, and pandoc's strike-out, sub/superscript and
// math); "&" before a reference; "@" starting a word (a pandoc citation).
// Escaped only at the start, where they would begin another block: # + - >
// and the "." or ")" after leading digits (an ordered list). Leading spaces
// become "&#32;", or the item would lose them or become a code block. In a
// heading the "#"s that end the text are escaped, or they would close it.
void appendText(const char* text, bool heading, std::string& out) {
  const char* p = text;
  for (; *p == ' '; ++p)
    out += "&#32;";
  const char* const start = p;
  const char* digits = p;
  while (isDigit(*digits))
    ++digits;
  const char* const listNumberEnd = digits > start ? digits : nullptr;
  const char* end = p;
  while (*end != '\0')
    ++end;
  const char* closingHashes = end;
  while (closingHashes > start && closingHashes[-1] == '#')
    --closingHashes;

  for (; *p != '\0'; ++p) {
    bool escape = false;
    switch (*p) {
      case '\\':
      case '`':
      case '*':
      case '_':
      case '[':
      case ']':
      case '<':
      case '~':
      case '^':
      case '$':
        escape = true;
        break;
      case '#':
        escape = p == start || (heading && p >= closingHashes);
        break;
      case '+':
      case '-':
      case '>':
        escape = p == start;
        break;
      case '.':
      case ')':
        escape = p == listNumberEnd;
        break;
      case '&':
        escape = startsReference(p);
        break;
      case '@':
        escape = p == start || !isAlphanumeric(p[-1]);
        break;
      default:
        break;
    }
    if (escape) out += '\\';
    out += *p;
  }
}

// Appends an href as a link destination "(...)" holds it, giving back the
// same bytes to a CommonMark or pandoc reader: ( ) and \ are
// backslash-escaped, "&" before a reference too. A space, "<" and ">", which
// no URL holds as themselves (browsers send them as %20, %3C and %3E),
// are written percent-encoded: a space would end the destination, "<" at
// its start would change its form.
void appendDestination(const char* href, std::string& out) {
  for (const char* p = href; *p != '\0'; ++p) {
    switch (*p) {
      case ' ':
        out += "%20";
        continue;
      case '<':
        out += "%3C";
        continue;
      case '>':
        out += "%3E";
        continue;
      case '(':
      case ')':
      case '\\':
        out += '\\';
        break;
      case '&':
        if (startsReference(p)) out += '\\';
        break;
      default:
        break;
    }
    out += *p;
  }
}

class MarkdownWriter {
 public:
  explicit MarkdownWriter(std::ostream& out) : out_(out) {}

  void heading(const RavelinkChild* root) {
    if (root->getText()[0] == '\0' && root->getHref()[0] == '\0') return;
    pending_ += "# ";
    item(root, true);
    pending_ += "\n\n";
  }

  void listItem(std::int64_t depth, const RavelinkChild* node) {
    pending_.append(static_cast<std::size_t>(depth - 1) * 2, ' ');
    pending_ += '-';
    if (node->getText()[0] != '\0' || node->getHref()[0] != '\0') pending_ += ' ';
    item(node, false);
    pending_ += '\n';
    if (pending_.size() >= kPieceSize) finish();
  }

  void finish() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
  }

 private:
  void item(const RavelinkChild* node, bool inHeading) {
    const char* text = exportText(node->getText(), textScratch_);
    const char* href = exportText(node->getHref(), hrefScratch_);
    if (*href == '\0') {
      appendText(text, inHeading, pending_);
      return;
    }
    pending_ += '[';
    appendText(text, inHeading, pending_);
    pending_ += "](";
    appendDestination(href, pending_);
    pending_ += ')';
  }

  std::ostream& out_;
  std::string pending_;
  std::string textScratch_;
  std::string hrefScratch_;
};

}  // namespace

void writeMarkdownList(const Ravelink& tree, std::ostream& out) {
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (walk.depth() > kMaxMarkdownDepth) throw myException(Fault::kExportTooDeep);
  }
  MarkdownWriter writer(out);
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (!walk.entering()) continue;
    if (walk.depth() == 0) {
      writer.heading(walk.node());
    } else {
      writer.listItem(walk.depth(), walk.node());
    }
  }
  writer.finish();
  out.flush();
  if (!out) throw myException(Fault::kExportWrite);
}
