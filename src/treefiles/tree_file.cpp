#include "treefiles/tree_file.h"

#include <ostream>

#include "base/regular_file.h"
#include "tree/tree_walk.h"
#include "treefiles/file_lines.h"
#include "treefiles/safe_replace.h"

namespace {

void writeRecord(FileLineWriter& out, const RavelinkChild* node) {
  out.writeFileLine(node->getText());
  out.writeFileLine(node->getHref());
}

void writeMarker(FileLineWriter& out, char marker) {
  const char line[] = {marker, '\0'};
  out.writeFileLine(line);
}

// The root's record, then below it: entering a first child writes "c" and
// its record, entering a later sibling "n" and its record, and leaving a last
// child "p", which climbs to its parent.
void writeNodes(const Ravelink& tree, std::ostream& stream) {
  FileLineWriter out(stream);
  const RavelinkChild* root = tree.getRoot();
  for (TreeWalk walk(root); walk.next();) {
    const RavelinkChild* node = walk.node();
    if (node == root) {
      if (walk.entering()) writeRecord(out, node);
    } else if (walk.entering()) {
      writeMarker(out, node->getPrevSibling() == nullptr ? kChildMarker : kNextMarker);
      writeRecord(out, node);
    } else if (node->getNextSibling() == nullptr) {
      writeMarker(out, kParentMarker);
    }
  }
  out.flush();
}

// Reads a record and appends it below the current node.
void readChild(Ravelink& tree, FileLineReader& in, std::string& text, std::string& href) {
  readNodeLines(in, text, href);
  tree.addAsChild(text.c_str(), href.c_str());
}

char markerOf(const std::string& line) { return line.empty() ? '\0' : line[0]; }

// Only a marker line's first byte counts.
bool readMarker(FileLineReader& in, std::string& marker) { return in.readFileLine(marker, 1); }

}  // namespace

void readNodeLines(FileLineReader& in, std::string& text, std::string& href) {
  if (!in.readTextLine(text, lineKeepFor(RavelinkChild::kTextSize)) ||
      !in.readTextLine(href, lineKeepFor(RavelinkChild::kHrefSize))) {
    throw myException(Fault::kLoadUnexpectedEnd);
  }
  cutToField(text, RavelinkChild::kTextSize);
  cutToField(href, RavelinkChild::kHrefSize);
}

void writeTreeFile(const Ravelink& tree, std::ostream& out) {
  writeNodes(tree, out);
  if (!out) throw myException(Fault::kSaveWrite);
}

void readTreeFile(Ravelink& tree, std::istream& stream) {
  FileLineReader in(stream);
  tree.clearTree();
  std::string text, href, marker;
  readNodeLines(in, text, href);
  tree.setCurrentText(text.c_str());
  tree.setCurrentHref(href.c_str());
  if (!readMarker(in, marker)) return;  // the root alone
  if (markerOf(marker) != kChildMarker) throw myException(Fault::kLoadUnknownInfo);
  readChild(tree, in, text, href);
  tree.browseFirstChild();
  // While markers are read the current node is never the root, so adding a
  // sibling and climbing cannot fail.
  for (;;) {
    if (!readMarker(in, marker)) throw myException(Fault::kLoadUnexpectedEnd);
    switch (markerOf(marker)) {
      case kChildMarker:
        // Appends after any children the node already has (only a hand-made
        // file gives it some) and goes on at its first child.
        readChild(tree, in, text, href);
        tree.browseFirstChild();
        break;
      case kNextMarker:
        readNodeLines(in, text, href);
        tree.addAsNext(text.c_str(), href.c_str());
        break;
      case kParentMarker:
        tree.browseParent();
        if (tree.isRoot()) return;
        break;
      default:
        throw myException(Fault::kLoadUnexpectedInfo);
    }
  }
}

void treeSave(const Ravelink& tree, const char* fileName) {
  // Tried first, so a full stack touches no file.
  if (tree.isStackFull()) throw myException(Fault::kSaveStackFull);
  writeFileSafely(fileName, [&tree](std::ostream& out) { writeNodes(tree, out); });
}

void treeLoad(Ravelink& tree, const char* fileName) {
  RegularFileInput file;
  if (!file.open(fileName)) throw myException(Fault::kLoadOpen);
  readTreeFile(tree, file.stream());
}
