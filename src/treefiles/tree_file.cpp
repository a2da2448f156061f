#include "treefiles/tree_file.h"

#include <fstream>
#include <ostream>

#include "treefiles/file_lines.h"
#include "treefiles/preorder_walk.h"
#include "treefiles/safe_replace.h"

namespace {

void writeRecord(FileLineWriter& out, const Ravelink& tree) {
  out.writeFileLine(tree.getCurrentText());
  out.writeFileLine(tree.getCurrentHref());
}

void writeMarker(FileLineWriter& out, char marker) {
  const char line[] = {marker, '\0'};
  out.writeFileLine(line);
}

// The walk itself; the caller keeps the cursor.
void writeNodes(Ravelink& tree, std::ostream& stream) {
  FileLineWriter out(stream);
  tree.gotoRoot();
  writeRecord(out, tree);
  walkBelowRoot(tree, [&](WalkStep step) {
    switch (step) {
      case WalkStep::kDown:
        writeMarker(out, kChildMarker);
        writeRecord(out, tree);
        break;
      case WalkStep::kNext:
        writeMarker(out, kNextMarker);
        writeRecord(out, tree);
        break;
      case WalkStep::kUp:
        writeMarker(out, kParentMarker);
        break;
    }
  });
  out.flush();
}

// Reads a record and appends it below the current node.
void readChild(Ravelink& tree, FileLineReader& in, std::string& text, std::string& href) {
  readNodeLines(in, text, href);
  tree.addAsChild(text.c_str(), href.c_str());
}

char markerOf(const std::string& line) { return line.empty() ? '\0' : line[0]; }

}  // namespace

void readNodeLines(FileLineReader& in, std::string& text, std::string& href) {
  if (!in.readFileLine(text) || !in.readFileLine(href)) {
    throw myException(Fault::kLoadUnexpectedEnd);
  }
  cutToField(text, RavelinkChild::kTextSize);
  cutToField(href, RavelinkChild::kHrefSize);
}

void writeTreeFile(Ravelink& tree, std::ostream& out) {
  CursorSave keep(tree, Fault::kSaveStackFull);
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
  if (!in.readFileLine(marker)) return;  // the root alone
  if (markerOf(marker) != kChildMarker) throw myException(Fault::kLoadUnknownInfo);
  readChild(tree, in, text, href);
  tree.browseFirstChild();
  // While markers are read the current node is never the root, so adding a
  // sibling and climbing cannot fail.
  for (;;) {
    if (!in.readFileLine(marker)) throw myException(Fault::kLoadUnexpectedEnd);
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

void treeSave(Ravelink& tree, const char* fileName) {
  // The push is tried first, so a full stack touches no file.
  CursorSave keep(tree, Fault::kSaveStackFull);
  writeFileSafely(fileName, [&tree](std::ostream& out) { writeNodes(tree, out); });
}

void treeLoad(Ravelink& tree, const char* fileName) {
  std::ifstream in;
  if (!openTreeFile(in, fileName)) throw myException(Fault::kLoadOpen);
  readTreeFile(tree, in);
}
