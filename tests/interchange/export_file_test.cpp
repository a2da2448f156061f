// The export writers where a transcript cannot reach: a failing disk, a
// tree 100,000 levels deep, a refused export over an existing file. What
// each format looks like is pinned by tests/e2e/cases/export-*.
#include "interchange/export_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "interchange/file_import.h"
#include "interchange/format_libraries.h"
#include "interchange/opml_format.h"
#include "support/tree_shape.h"
#include "treefiles/file_test_support.h"

namespace {

using Writer = void (*)(const Ravelink&, std::ostream&);

struct NamedWriter {
  const char* name;
  Writer write;
};

const NamedWriter kWriters[] = {
    {"html", writeBookmarkFile},
#ifdef RAVELINK_HAVE_LIBXML2
    {"opml", writeOpmlFile},
#endif
    {"md", writeMarkdownList},
};

// A chain of `levels` nodes below the root, each the only child of the one
// before; the deepest is a link.
void buildChain(Ravelink& tree, int levels) {
  tree.setCurrentText("root");
  for (int level = 1; level <= levels; ++level) {
    tree.addAsChild(("level " + std::to_string(level)).c_str(),
                    level == levels ? "https://bottom.example/" : "");
    tree.browseFirstChild();
  }
  tree.gotoRoot();
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t found = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++found;
  return found;
}

std::size_t longestLine(const std::string& text) {
  std::size_t longest = 0, start = 0;
  for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  return longest;
}

std::string written(Writer write, const Ravelink& tree) {
  std::ostringstream out;
  write(tree, out);
  return out.str();
}

}  // namespace

TEST(ExportWriters, ReportAFullDiskWhereverItFills) {
  Ravelink small;
  buildShape(small, "R(a,b(c,d),e)");
  small.setCurrentHref("https://r.example/");
  // Over 64 KiB of output, so the disk also fills between two pieces.
  Ravelink large;
  large.setCurrentText("large");
  for (int i = 0; i < 3000; ++i)
    large.addAsChild("a link of some length", "https://x.example/p");
  for (const NamedWriter& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    const std::size_t whole = written(writer.write, large).size();
    ASSERT_GT(whole, std::size_t{70000});
    for (std::size_t room : {std::size_t{0}, std::size_t{40}, std::size_t{70000}, whole - 1}) {
      FullDiskBuffer disk(room);
      std::ostream out(&disk);
      EXPECT_ERROR(writer.write(room < 70000 ? small : large, out), "export", "error writing file");
    }
    FullDiskBuffer roomy(whole);
    std::ostream out(&roomy);
    writer.write(large, out);
    EXPECT_EQ(whole, roomy.taken().size());
  }
}

TEST(ExportWriters, HundredThousandLevelsWithoutRecursionInLinearSpace) {
  constexpr int kLevels = 100000;
  Ravelink tree;
  buildChain(tree, kLevels);

  // Every level a folder but the link at the bottom; indentation stops
  // growing, so no line is longer than the cap and the deepest items.
  const std::string html = written(writeBookmarkFile, tree);
  EXPECT_EQ(std::size_t{kLevels}, count(html, "<DL><p>\n"));  // the root's and 99,999 folders'
  EXPECT_EQ(std::size_t{kLevels}, count(html, "</DL><p>\n"));
  EXPECT_EQ(std::size_t{kLevels - 1}, count(html, "<H3>level "));
  EXPECT_EQ(1u, count(html, "<DT><A HREF=\"https://bottom.example/\">level 100000</A>\n"));
  EXPECT_LE(longestLine(html), static_cast<std::size_t>(kMaxIndentLevels) * 4 + 80);
  EXPECT_EQ("</DL><p>\n</DL><p>\n", html.substr(html.size() - 18));

  // Markdown nests only by indentation, and no OPML reader takes this
  // depth back: both refused before a byte is written.
  std::ostringstream markdown;
  EXPECT_ERROR(writeMarkdownList(tree, markdown), "export", "too deep for Markdown");
  EXPECT_EQ("", markdown.str());
#ifdef RAVELINK_HAVE_LIBXML2
  std::ostringstream opml;
  EXPECT_ERROR(writeOpmlFile(tree, opml), "export", "too deep for OPML");
  EXPECT_EQ("", opml.str());
#endif
}

#ifdef RAVELINK_HAVE_LIBXML2
// The deepest OPML export is one our import reads back whole; one level
// more is refused.
TEST(ExportWriters, OpmlTakesTheDeepestTreeItsImportReads) {
  Ravelink deepest;
  buildChain(deepest, static_cast<int>(kMaxOpmlDepth));
  std::istringstream file(written(writeOpmlFile, deepest));
  Ravelink back;
  std::ostringstream report;
  importLinks(back, file, report);
  EXPECT_EQ(treeShape(deepest), treeShape(back));

  Ravelink deeper;
  buildChain(deeper, static_cast<int>(kMaxOpmlDepth) + 1);
  std::ostringstream out;
  EXPECT_ERROR(writeOpmlFile(deeper, out), "export", "too deep for OPML");
}
#endif

TEST(ExportWriters, MarkdownTakesTheDeepestTreeItAllows) {
  Ravelink deepest;
  buildChain(deepest, static_cast<int>(kMaxMarkdownDepth));
  const std::string markdown = written(writeMarkdownList, deepest);
  const std::string bottom = std::string(static_cast<std::size_t>(kMaxMarkdownDepth - 1) * 2, ' ') +
                             "- [level 1000](https://bottom.example/)\n";
  ASSERT_GE(markdown.size(), bottom.size());
  EXPECT_EQ(bottom, markdown.substr(markdown.size() - bottom.size()));

  Ravelink deeper;
  buildChain(deeper, static_cast<int>(kMaxMarkdownDepth) + 1);
  std::ostringstream out;
  EXPECT_ERROR(writeMarkdownList(deeper, out), "export", "too deep for Markdown");
}

TEST(TreeExport, RefusalsAndFailuresLeaveTheFolderAsItWas) {
  TempFolder folder;
  writeBytes(folder / "old.md", "old list\n");
  Ravelink tree;
  buildChain(tree, static_cast<int>(kMaxMarkdownDepth) + 1);

  EXPECT_ERROR(treeExport(tree, (folder / "old.md").c_str()), "export", "too deep for Markdown");
  EXPECT_ERROR(treeExport(tree, (folder / "old.txt").c_str()), "export",
               "use .html, .htm, .opml or .md");
  EXPECT_ERROR(treeExport(tree, (folder / "html").c_str()), "export",
               "use .html, .htm, .opml or .md");
  EXPECT_ERROR(treeExport(tree, (folder / "no/such.html").c_str()), "export", "error opening file");
  if (!kHaveLibxml2) {
    EXPECT_THROW(treeExport(tree, (folder / "old.opml").c_str()), MissingLibrary);
  }
  EXPECT_EQ("old list\n", readBytes(folder / "old.md"));
  EXPECT_EQ("old.md", folder.listing());  // no temporary file left

  // The same ending in capitals replaces the file whole.
  treeExport(tree, (folder / "old.HTM").c_str());
  EXPECT_EQ(written(writeBookmarkFile, tree), readBytes(folder / "old.HTM"));
  EXPECT_EQ("old.HTM old.md", folder.listing());
}
