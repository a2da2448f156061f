// libFuzzer target: page generation on fuzzed templates, tree and settings.
//
// The input is cut at NUL bytes into up to eight pieces: the head, end and
// frame templates, a tree file (empty: the sample tree), the style table, the
// base URL, the base target and a run of bytes whose length is the number of
// entries pushed on the active-node stack first. The checks:
// - the template reader gives back every byte but the CRs of CR LF line
//   ends, and lineBegins agrees with a plain lowercase comparison;
// - the page is the same body between whatever templates: one block per node
//   below the root in pre-order with the ids of the sibling numbers, one
//   division per node with children, each closed; the end template copied;
// - the frameset page has one line per template line;
// - the style table can never close its element: what it puts in the page
//   holds no "</style" in any letter case;
// - the tree, the cursor and the stack are as before; a full stack fails
//   before anything is written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "page/page_writer.h"
#include "page/template_reader.h"
#include "tree/ravelink.h"
#include "tree/tree_check.h"
#include "treefiles/tree_file.h"

namespace {

// Ends the run with the broken property named, for the crash report.
#define REQUIRE(holds)                                        \
  do {                                                        \
    if (!(holds)) {                                           \
      std::fprintf(stderr, "page_fuzz: fails: %s\n", #holds); \
      std::abort();                                           \
    }                                                         \
  } while (false)

std::vector<std::string> splitAtNul(const std::string& data) {
  std::vector<std::string> pieces(8);
  std::size_t start = 0;
  for (std::size_t k = 0; k < pieces.size() && start <= data.size(); ++k) {
    std::size_t end = data.find('\0', start);
    if (end == std::string::npos || k + 1 == pieces.size()) end = data.size();
    pieces[k] = data.substr(start, end - start);
    start = end + 1;
  }
  return pieces;
}

std::vector<std::string> templateLines(const std::string& text) {
  std::istringstream in(text);
  TemplateReader reader(in);
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line)) {
    lines.push_back(line);
  }
  REQUIRE(line.empty() && !reader.readLine(line));
  return lines;
}

bool containsNoCase(const std::string& text, const std::string& lowerNeedle) {
  std::string lower = text;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower.find(lowerNeedle) != std::string::npos;
}

void checkTemplateReader(const std::string& text) {
  std::string joined;
  bool first = true;
  for (const std::string& line : templateLines(text)) {
    joined += (first ? "" : "\n") + line;
    first = false;
    std::string probe = line.substr(0, 31);
    for (char& c : probe) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    for (const char* prefix : {"<title>", ". {", "<frame name=frame1"}) {
      REQUIRE(lineBegins(line, prefix) == (probe.rfind(prefix, 0) == 0));
    }
  }
  std::string expected;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    expected += text[i];
  }
  REQUIRE(joined == expected);
}

/// The ids of the blocks and the number of divisions a sound page of `tree`
/// has, found by walking the tree's links.
void expectedBody(const Ravelink& tree, std::vector<std::string>& ids, int& divisions) {
  const RavelinkChild* root = tree.getRoot();
  const RavelinkChild* node = root->getFirstChild();
  std::vector<int> numbers{1};
  while (node != nullptr) {
    std::string id;
    for (int n : numbers) {
      id += (id.empty() ? "" : "-") + std::to_string(n);
    }
    ids.push_back(id);
    if (node->getFirstChild() != nullptr) {
      ++divisions;
      node = node->getFirstChild();
      numbers.push_back(1);
      continue;
    }
    while (node != root && node->getNextSibling() == nullptr) {
      node = node->getParent();
      numbers.pop_back();
    }
    if (node == root) break;
    node = node->getNextSibling();
    ++numbers.back();
  }
}

void checkBody(const Ravelink& tree, const std::string& page) {
  std::vector<std::string> ids;
  int divisions = 0;
  expectedBody(tree, ids, divisions);
  const std::string block = tree.settings().usingPara ? "<p>" : "<div>";
  std::vector<std::string> found;
  int blocks = 0, opened = 0, closed = 0;
  std::istringstream lines(page);
  std::string line;
  while (std::getline(lines, line)) {
    const std::string span = "<span id=paragraph";
    if (line == block) ++blocks;
    if (line.rfind("<div id=paragraph", 0) == 0) ++opened;
    if (line == "</div>") ++closed;
    if (line.rfind(span, 0) == 0) {
      found.push_back(line.substr(span.size(), line.find('>') - span.size()));
    }
  }
  REQUIRE(found == ids);
  REQUIRE(blocks == static_cast<int>(ids.size()));
  if (!tree.settings().usingPara) closed -= blocks;  // "</div>" ends the blocks too
  REQUIRE(opened == divisions && closed == divisions);
}

struct Pages {
  std::string page;
  std::string frameset;
  bool failed = false;
};

Pages generate(Ravelink& tree, const std::string& head, const std::string& end,
               const std::string& frame) {
  std::istringstream headIn(head), endIn(end), frameIn(frame);
  std::ostringstream page;
  // The frameset stream is closed inside generateOutput; its bytes stay here.
  std::stringbuf frameset;
  PageStreams streams{headIn, endIn, frameIn, page, [&frameset]() -> std::unique_ptr<std::ostream> {
                        return std::make_unique<std::ostream>(&frameset);
                      }};
  Pages result;
  try {
    generateOutput("out.html", "frames.html", "default.html", tree, streams);
  } catch (const myException&) {
    result.failed = true;
  }
  result.page = page.str();
  result.frameset = frameset.str();
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> piece =
      splitAtNul(std::string(reinterpret_cast<const char*>(data), size));
  for (int k = 0; k < 3; ++k) {
    checkTemplateReader(piece[k]);
  }

  Ravelink tree;
  if (piece[3].empty()) {
    std::ostringstream ignored;
    tree.buildSample(ignored);
  } else {
    std::istringstream file(piece[3]);
    try {
      readTreeFile(tree, file);
    } catch (const myException&) {
      // A damaged file leaves a partial tree, which is published all the same.
    }
  }
  tree.settings().styleTable.set(piece[4].c_str());
  // The shell reads these as lines: they never hold a line feed.
  for (int k = 5; k <= 6; ++k) {
    piece[k].erase(0, piece[k].rfind('\n') + 1);
  }
  tree.settings().baseUrl.set(piece[5].c_str());
  tree.settings().baseTarget.set(piece[6].c_str());
  tree.settings().usingPara = size % 2 == 0;
  for (std::size_t k = 0; k < piece[7].size() && k < Ravelink::kStackSize; ++k) {
    tree.pushActiveNode();
  }

  const RavelinkChild* current = tree.getCurrent();
  const int stacked = tree.references().activeCount;
  Pages pages = generate(tree, piece[0], piece[1], piece[2]);
  REQUIRE(checkTree(tree).empty() && tree.getCurrent() == current);
  REQUIRE(tree.references().activeCount == stacked);
  if (stacked == Ravelink::kStackSize) {
    REQUIRE(pages.failed && pages.page.empty() && pages.frameset.empty());
    return 0;
  }
  REQUIRE(!pages.failed);

  std::string endCopy;
  for (const std::string& line : templateLines(piece[1])) {
    endCopy += line + '\n';
  }
  REQUIRE(pages.page.size() >= endCopy.size() &&
          pages.page.compare(pages.page.size() - endCopy.size(), endCopy.size(), endCopy) == 0);
  std::size_t frameLines = templateLines(piece[2]).size();
  REQUIRE(static_cast<std::size_t>(
              std::count(pages.frameset.begin(), pages.frameset.end(), '\n')) == frameLines);

  // The body alone: the same page between empty templates.
  Pages bare = generate(tree, "", "", "");
  REQUIRE(!bare.failed);
  checkBody(tree, bare.page);

  // A head of the style line alone: the page is the table's bytes, then
  // the bare page.
  Pages styled = generate(tree, ". {\n", "", "");
  REQUIRE(!styled.failed && styled.page.size() >= bare.page.size());
  const std::size_t tableBytes = styled.page.size() - bare.page.size();
  REQUIRE(styled.page.compare(tableBytes, bare.page.size(), bare.page) == 0);
  REQUIRE(!containsNoCase(styled.page.substr(0, tableBytes), "</style"));
  return 0;
}
