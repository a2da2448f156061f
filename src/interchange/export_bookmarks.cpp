// The bookmark file writer (see export_file.h and bookmark_format.h).
#include <ostream>
#include <string>

#include "interchange/bookmark_format.h"
#include "interchange/export_file.h"
#include "interchange/export_text.h"
#include "tree/my_exception.h"
#include "tree/tree_walk.h"

namespace {

constexpr std::size_t kPieceSize = 1 << 16;

// What each byte becomes in a title or an HREF value; nullptr keeps it.
struct EntityTable {
  const char* of[256] = {};
  EntityTable() {
    set('&', "&amp;");
    set('<', "&lt;");
    set('>', "&gt;");
    set('"', "&quot;");
    set('\'', "&#39;");
  }
  void set(unsigned char byte, const char* entity) { of[byte] = entity; }
};
const EntityTable kEntities;

class BookmarkWriter {
 public:
  explicit BookmarkWriter(std::ostream& out) : out_(out) {}

  void header(const char* title) {
    pending_ += kBookmarkDoctype;
    pending_ +=
        "\n"
        "<!-- This is an automatically generated file.\n"
        "     It will be read and overwritten.\n"
        "     DO NOT EDIT! -->\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
        "<TITLE>";
    escaped(title);
    pending_ += "</TITLE>\n<H1>";
    escaped(title);
    pending_ += "</H1>\n";
    openList();
  }

  // One link line; `marked` for a folder's own link.
  void link(std::int64_t depth, const RavelinkChild* node, bool marked) {
    indent(depth);
    tag(kBookmarkItem);
    pending_ += '<';
    pending_ += kBookmarkLink;
    pending_ += ' ';
    pending_ += kBookmarkHref;
    pending_ += "=\"";
    escaped(node->getHref());
    pending_ += '"';
    if (marked) {
      pending_ += ' ';
      pending_ += kFolderLinkAttribute;
      pending_ += "=\"";
      pending_ += kFolderLinkValue;
      pending_ += '"';
    }
    pending_ += '>';
    escaped(node->getText());
    tag(kBookmarkLink, "/");
    pending_ += '\n';
    ship();
  }

  void openFolder(std::int64_t depth, const RavelinkChild* node) {
    indent(depth);
    tag(kBookmarkItem);
    tag(kBookmarkFolder);
    escaped(node->getText());
    tag(kBookmarkFolder, "/");
    pending_ += '\n';
    indent(depth);
    openList();
    ship();
  }

  void closeList(std::int64_t depth) {
    indent(depth);
    tag(kBookmarkList, "/");
    pending_ += "<p>\n";
    ship();
  }

  void finish() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
    out_.flush();
  }

 private:
  // "<NAME>", or "</NAME>" with `slash` "/".
  void tag(const char* name, const char* slash = "") {
    pending_ += '<';
    pending_ += slash;
    pending_ += name;
    pending_ += '>';
  }

  void openList() {
    tag(kBookmarkList);
    pending_ += "<p>\n";
  }

  void indent(std::int64_t depth) {
    const std::int64_t levels = depth < kMaxIndentLevels ? depth : kMaxIndentLevels;
    pending_.append(static_cast<std::size_t>(levels) * 4, ' ');
  }

  // Appends `field` as exportText() gives it, with the five entities.
  void escaped(const char* field) {
    const char* run = exportText(field, scratch_);
    for (const char* p = run;; ++p) {
      const char* entity = kEntities.of[static_cast<unsigned char>(*p)];
      if (entity == nullptr && *p != '\0') continue;
      pending_.append(run, static_cast<std::size_t>(p - run));
      if (*p == '\0') return;
      pending_ += entity;
      run = p + 1;
    }
  }

  // Hands a full piece to the stream; the file is built in large pieces.
  void ship() {
    if (pending_.size() < kPieceSize) return;
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
  }

  std::ostream& out_;
  std::string pending_;
  std::string scratch_;
};

bool isFolder(const RavelinkChild* node) {
  return node->getFirstChild() != nullptr || node->getHref()[0] == '\0';
}

}  // namespace

void writeBookmarkFile(const Ravelink& tree, std::ostream& out) {
  BookmarkWriter writer(out);
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    const RavelinkChild* node = walk.node();
    const std::int64_t depth = walk.depth();
    if (depth == 0) {
      // The root is the file itself: its text the title, its children the
      // top-level list.
      if (!walk.entering()) {
        writer.closeList(0);
      } else {
        writer.header(node->getText());
        if (node->getHref()[0] != '\0') writer.link(1, node, true);
      }
    } else if (!isFolder(node)) {
      if (walk.entering()) writer.link(depth, node, false);
    } else if (walk.entering()) {
      writer.openFolder(depth, node);
      if (node->getHref()[0] != '\0') writer.link(depth + 1, node, true);
    } else {
      writer.closeList(depth);
    }
  }
  writer.finish();
  if (!out) throw myException(Fault::kExportWrite);
}
