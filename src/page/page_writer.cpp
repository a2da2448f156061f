#include "page/page_writer.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "base/signals.h"
#include "page/escape.h"
#include "page/frameset_page.h"
#include "page/template_reader.h"
#include "tree/ravelink.h"
#include "tree/tree_walk.h"

namespace {

void checkWritten(const std::ostream& out) {
  if (!out) throw myException(Fault::kGenerateWrite);
}

// The head template with the title (the root's text) and the style lines
// put in.
void copyHead(std::istream& in, std::ostream& out, const Ravelink& tree) {
  TemplateReader reader(in);
  std::string line;
  while (reader.readLine(line)) {
    if (lineBegins(line, "<title>")) {
      writeTitleLine(out, tree.getRoot()->getText());
    } else if (lineBegins(line, ". {")) {
      // The style table stands in for the whole line; it brings its own
      // line breaks, and an empty one leaves no trace.
      escapeStyle(tree.settings().styleTable.get(), out);
    } else {
      out << line << '\n';
    }
  }
}

void writeBase(std::ostream& out, const Ravelink& tree) {
  out << "<base";
  if (tree.settings().baseUrl.get()[0] != '\0') {
    out << " href='";
    escapeAttribute(tree.settings().baseUrl.get(), out);
    out << '\'';
  }
  out << " target='";
  escapeAttribute(tree.settings().baseTarget.get(), out);
  out << "'>\n";
}

// The block of `node`, appended to `out`: its link, or its bare text.
void appendBlock(std::string& out, const char* element, const std::string& id,
                 const RavelinkChild* node) {
  out += '<';
  out += element;
  out += ">\n<span id=paragraph";
  out += id;
  out += '>';
  const char* href = node->getHref();
  if (href[0] != '\0') {
    out += "<a href='";
    escapeAttribute(href, out);
    out += "'>";
    escapeText(node->getText(), out);
    out += "</a>";
  } else {
    escapeMarkup(node->getText(), out);
  }
  out += "</span>\n</";
  out += element;
  out += ">\n";
}

// The body is built in memory and handed to the page in pieces of about
// this size: a few stream calls per piece instead of a dozen per node.
constexpr std::size_t kPieceSize = 1 << 16;

void writePiece(std::ostream& out, std::string& piece) {
  checkStop();  // a stop signal ends a long page between its pieces
  out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
  piece.clear();
  checkWritten(out);
}

// Every node below the root in pre-order. `ancestors` keeps, for each level
// above the node (below the root), its sibling number and the length of the
// id before it.
void appendBody(std::ostream& out, std::string& piece, const char* element,
                const Ravelink& tree) {
  struct Level {
    std::size_t number;
    std::size_t prefixLength;
  };
  std::vector<Level> ancestors;
  std::string id;  // the ancestors' numbers, each followed by "-", then this node's
  std::size_t prefixLength = 0;
  std::size_t number = 0;
  const RavelinkChild* root = tree.getRoot();
  for (TreeWalk walk(root); walk.next();) {
    const RavelinkChild* node = walk.node();
    if (node == root) continue;
    if (!walk.entering()) {
      if (node->getFirstChild() != nullptr) {
        piece += "</div>\n";
        number = ancestors.back().number;
        prefixLength = ancestors.back().prefixLength;
        ancestors.pop_back();
      }
      continue;
    }
    ++number;
    id.resize(prefixLength);
    id += std::to_string(number);
    appendBlock(piece, element, id, node);
    if (piece.size() >= kPieceSize) writePiece(out, piece);
    if (node->getFirstChild() != nullptr) {
      piece += "<div id=paragraph";
      piece += id;
      piece += "sub style=\"margin-left: 2em\">\n";
      ancestors.push_back({number, prefixLength});
      id += '-';
      prefixLength = id.size();
      number = 0;
    }
  }
}

void writeBody(std::ostream& out, const char* element, const Ravelink& tree) {
  std::string piece;
  piece.reserve(kPieceSize + 1024);
  appendBody(out, piece, element, tree);
  writePiece(out, piece);
}

void copyEnd(std::istream& in, std::ostream& out) {
  TemplateReader reader(in);
  std::string line;
  while (reader.readLine(line)) out << line << '\n';
}

}  // namespace

void generateOutput(const std::string& pageName, const std::string& framesetName,
                    const std::string& defaultPage, const Ravelink& tree, PageStreams& streams) {
  if (tree.isStackFull()) throw myException(Fault::kPushStackFull);
  if (!framesetName.empty()) {
    std::unique_ptr<std::ostream> frameset = streams.openFrameset();
    if (!frameset) throw myException(Fault::kGenerateOpen);
    writeFramesetPage(streams.frame, *frameset, tree.getRoot()->getText(), pageName, defaultPage);
    frameset->flush();
    checkWritten(*frameset);
  }
  const char* element = tree.settings().usingPara ? "p" : "div";
  copyHead(streams.head, streams.page, tree);
  writeBase(streams.page, tree);
  checkWritten(streams.page);
  writeBody(streams.page, element, tree);
  copyEnd(streams.end, streams.page);
  streams.page.flush();
  checkWritten(streams.page);
}
