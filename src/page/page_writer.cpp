#include "page/page_writer.h"

#include <charconv>
#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "base/block_writer.h"
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

// Copies `text` (a literal) and returns where it ends.
template <std::size_t N>
char* put(char* at, const char (&text)[N]) {
  std::memcpy(at, text, N - 1);
  return at + N - 1;
}

char* putNumber(char* at, std::size_t number) {
  return std::to_chars(at, at + 20, number).ptr;
}

// The most bytes a block needs beside the id before its number: the
// markup, the number and the escaped href and text.
constexpr std::size_t kBlockRoom =
    256 + kLongestEscape * (RavelinkChild::kTextSize + RavelinkChild::kHrefSize);

// The start of a node's block, up to its id (whose numbers from the top
// are written next).
void writeBlockStart(BlockWriter& out, const char* element, std::size_t elementLength) {
  char* at = out.room(32);
  *at++ = '<';
  std::memcpy(at, element, elementLength);
  at += elementLength;
  at = put(at, ">\n<span id=paragraph");
  out.done(at);
}

// The rest of the block of `node`: its number, then its link or its bare
// text.
void writeBlockEnd(BlockWriter& out, const char* element, std::size_t elementLength,
                   std::size_t number, const RavelinkChild* node) {
  char* at = out.room(kBlockRoom);
  at = putNumber(at, number);
  *at++ = '>';
  if (node->getHrefLength() != 0) {
    at = put(at, "<a href='");
    at = escapeAttribute(node->getHref(), node->getHrefLength(), at);
    at = put(at, "'>");
    at = escapeText(node->getText(), node->getTextLength(), at);
    at = put(at, "</a>");
  } else {
    at = escapeMarkup(node->getText(), node->getTextLength(), at);
  }
  at = put(at, "</span>\n</");
  std::memcpy(at, element, elementLength);
  at += elementLength;
  at = put(at, ">\n");
  out.done(at);
}

// Every node below the root in pre-order. `ancestors` keeps, for each level
// above the node (below the root), its sibling number and the length of the
// id before it.
void writeBody(std::ostream& stream, const char* element, const Ravelink& tree) {
  struct Level {
    std::size_t number;
    std::size_t prefixLength;
  };
  BlockWriter out(stream);
  const std::size_t elementLength = std::strlen(element);
  std::vector<Level> ancestors;
  std::string id;  // the ancestors' numbers, each followed by "-"
  std::size_t number = 0;
  const RavelinkChild* root = tree.getRoot();
  for (TreeWalk walk(root); walk.next();) {
    const RavelinkChild* node = walk.node();
    if (node == root) continue;
    if (!walk.entering()) {
      if (node->getFirstChild() != nullptr) {
        char* at = out.room(8);
        out.done(put(at, "</div>\n"));
        number = ancestors.back().number;
        id.resize(ancestors.back().prefixLength);
        ancestors.pop_back();
      }
      continue;
    }
    ++number;
    writeBlockStart(out, element, elementLength);
    out.write(id);
    writeBlockEnd(out, element, elementLength, number, node);
    if (node->getFirstChild() != nullptr) {
      char* at = out.room(32);
      out.done(put(at, "<div id=paragraph"));
      out.write(id);
      at = out.room(64);
      at = putNumber(at, number);
      out.done(put(at, "sub style=\"margin-left: 2em\">\n"));
      ancestors.push_back({number, id.size()});
      char digits[24];
      char* end = putNumber(digits, number);
      id.append(digits, static_cast<std::size_t>(end - digits));
      id += '-';
      number = 0;
    }
  }
  out.flush();
  checkWritten(stream);
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
