// Where an import puts what it reads, what it does on failure, and the
// layout our own export writes (a folder's href as a marked first link).
#include "interchange/file_import.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "interchange/import_report.h"
#include "tree/edit_history.h"
#include "support/tree_shape.h"
#include "tree/tree_walk.h"
#include "treefiles/file_test_support.h"

namespace {

const char kHead[] =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n";

// Imports `bytes`; returns the report.
std::string import(Ravelink& tree, const std::string& bytes) {
  std::istringstream in(bytes);
  std::ostringstream report;
  importLinks(tree, in, report);
  return report.str();
}

// Our export's layout: the root's href as a marked link first at the top
// level, a folder's href as a marked first link inside it.
const std::string kExported =
    std::string(kHead) +
    "<TITLE>Root</TITLE>\n<H1>Root</H1>\n<DL><p>\n"
    "    <DT><A HREF=\"https://root.example/\" FOLDER_LINK=\"true\">Root</A>\n"
    "    <DT><H3>Folder</H3>\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"https://folder.example/\" folder_link=\"TRUE\">Folder</A>\n"
    "        <DT><A HREF=\"https://child.example/\">Child</A>\n"
    "        <DT><A HREF=\"https://later.example/\" FOLDER_LINK=\"true\">Later</A>\n"
    "    </DL><p>\n"
    "    <DT><H3>Second</H3>\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"https://second.example/\">Not marked</A>\n"
    "    </DL><p>\n"
    "</DL><p>\n";

}  // namespace

TEST(Import, AppendsBelowCurrentWhichStays) {
  Ravelink tree;
  buildShape(tree, "R(a,b(c),d)");
  go(tree, "cn");
  std::string report = import(tree, std::string(kHead) +
                                        "<H1>Title</H1><DL><p><DT><H3>F</H3><DL><p>"
                                        "<DT><A HREF=\"https://x.example/\">x</A></DL><p>"
                                        "<DT><A HREF=\"https://y.example/\">y</A></DL>");
  EXPECT_EQ("R(a,b*(c,F(x),y),d)", treeShape(tree));
  EXPECT_EQ("Imported 2 links and 1 folder.\n", report);
  // Only the root of an empty tree takes the title; a second import appends.
  import(tree,
         std::string(kHead) + "<H1>Other</H1><DL><p><DT><A HREF=\"https://z.example/\">z</A>");
  EXPECT_EQ("R(a,b*(c,F(x),y,z),d)", treeShape(tree));
}

TEST(Import, FoldsMarkedLinksBackIntoTheirNodes) {
  Ravelink empty;
  EXPECT_EQ("Imported 3 links and 2 folders.\n", import(empty, kExported));
  EXPECT_EQ(
      "0|Root|https://root.example/\n"
      "1|Folder|https://folder.example/\n"
      "2|Child|https://child.example/\n"
      "2|Later|https://later.example/\n"
      "1|Second|\n"
      "2|Not marked|https://second.example/\n",
      treeRecords(empty));

  // A root with a text keeps it; the root's link is then an ordinary one.
  Ravelink named;
  named.setCurrentText("Mine");
  EXPECT_EQ("Imported 4 links and 2 folders.\n", import(named, kExported));
  EXPECT_EQ("Mine*(Root,Folder(Child,Later),Second(Not marked))", treeShape(named));
  EXPECT_STREQ("", named.getRoot()->getHref());
}

TEST(Import, FailuresChangeNothing) {
  Ravelink tree;
  buildShape(tree, "R(a,b)");
  go(tree, "c");
  const std::string shape = treeShape(tree);
  auto expectRefused = [&](const std::string& bytes, const char* message) {
    SCOPED_TRACE(bytes.substr(0, 60));
    std::istringstream in(bytes);
    std::ostringstream report;
    EXPECT_ERROR(importLinks(tree, in, report), "import", message);
    EXPECT_EQ("", report.str());
    EXPECT_EQ(shape, treeShape(tree));
  };
  expectRefused("", "unknown file format");
  expectRefused("just some text\nwith <b>tags</b> and <a href=x>a link</a>\n",
                "unknown file format");
  expectRefused("<?xml version=\"1.0\"?>\n<rss><channel/></rss>\n", "unknown file format");
  // Broken beyond a raw "&": the second reading fails too.
  expectRefused(
      "<?xml version=\"1.0\"?>\n<opml version=\"2.0\"><body>\n"
      "<outline text=\"a\" url=\"https://a.example/?x&y\"/>\n"
      "<outline text=\"b\"></body></opml>\n",
      "bad XML at line 4");
  expectRefused("<opml version=\"2.0\"><body>\n<outline text=\"&nbsp;\"/>\n</body></opml>",
                "bad XML at line 2");
  // Deeper than libxml2 allows without XML_PARSE_HUGE (which would also
  // lift its limits on entity expansion).
  std::string deep = "<opml version=\"2.0\"><body>";
  for (int i = 0; i < 300; ++i)
    deep += "<outline text=\"x\">";
  expectRefused(deep, "too deep at line 1");

  TempFolder folder;
  std::ostringstream report;
  EXPECT_ERROR(importFile(tree, (folder / "missing.html").c_str(), report), "import",
               "error opening file");
  EXPECT_ERROR(importFile(tree, (folder / "").c_str(), report), "import", "error opening file");
  EXPECT_EQ(shape, treeShape(tree));
}

// 100,000 folders, each inside the one before: the folder stack and every
// walk of the tree are loops, so nothing overflows the call stack; the
// folders below level 1000 are not made, and their items, in file order,
// go into the folder at level 1000.
TEST(Import, DeepNestingImports) {
  constexpr int kLevels = 100000;
  std::string file = std::string(kHead) + "<H1>Deep</H1>\n<DL><p>\n";
  for (int i = 0; i < kLevels; ++i)
    file += "<DT><H3>f</H3>\n<DL><p>\n";
  file += "<DT><A HREF=\"https://bottom.example/\">bottom</A>\n";
  for (int i = 0; i < kLevels; ++i)
    file += "</DL><p>\n";
  file += "<DT><A HREF=\"https://top.example/\">top</A>\n</DL><p>\n";
  Ravelink tree;
  EXPECT_EQ(
      "Imported 2 links and 1000 folders.\n"
      "Folders deeper than 1000 levels, flattened: 99000\n",
      import(tree, file));
  std::int64_t deepest = 0;
  std::string bottom;
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (walk.entering() && walk.depth() > deepest) {
      deepest = walk.depth();
      bottom = walk.node()->getText();
    }
  }
  EXPECT_EQ(static_cast<std::int64_t>(kMaxImportedFolderLevel) + 1, deepest);
  EXPECT_EQ("bottom", bottom);
  EXPECT_STREQ("top", tree.getRoot()->getLastChild()->getText());
}

TEST(Import, ReadsEveryEncoding) {
  auto records = [](const std::string& bytes) {
    Ravelink tree;
    import(tree, bytes);
    return treeRecords(tree);
  };
  const std::string plain =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p><DT><A HREF=\"https://e.example/\">";
  // windows-1252 without a charset: "€" is 0x80, "é" 0xE9.
  EXPECT_EQ("0||\n1|\xE2\x82\xAC caf\xC3\xA9|https://e.example/\n",
            records(plain + "\x80 caf\xE9</A>"));
  // Valid UTF-8 without a charset stays UTF-8.
  EXPECT_EQ("0||\n1|caf\xC3\xA9|https://e.example/\n", records(plain + "caf\xC3\xA9</A>"));
  // Declared UTF-8 with one bad byte: that byte alone becomes U+FFFD.
  EXPECT_EQ("0||\n1|\xEF\xBF\xBD caf\xC3\xA9|https://e.example/\n",
            records(std::string(kHead) +
                    "<DL><p><DT><A HREF=\"https://e.example/\">\xE9 caf\xC3\xA9</A>"));
  // A charset we do not convert ourselves goes to libxml2: ISO-8859-2.
  EXPECT_EQ(
      "0||\n1|\xC5\x82\xC3\xB3"
      "d\xC5\xBA|https://e.example/\n",
      records("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-2\">\n"
              "<DL><p><DT><A HREF=\"https://e.example/\">\xB3\xF3"
              "d\xBC</A>"));
  // A byte order mark beats a declared charset; UTF-16 with a surrogate pair.
  EXPECT_EQ("0||\n1|caf\xC3\xA9|https://e.example/\n",
            records("\xEF\xBB\xBF<META CONTENT=\"text/html; charset=windows-1252\">"
                    "<DL><p><DT><A HREF=\"https://e.example/\">caf\xC3\xA9</A>"));
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("<DL><p><DT><A HREF=\"https://e.example/\">x ")) {
    utf16 += c;
    utf16 += '\0';
  }
  utf16 += std::string("\x3D\xD8\x00\xDE", 4);  // U+1F600
  for (char c : std::string("</A>")) {
    utf16 += c;
    utf16 += '\0';
  }
  EXPECT_EQ("0||\n1|x \xF0\x9F\x98\x80|https://e.example/\n", records(utf16));
}

namespace {

// A bookmark file from shape-like lines: "F{" opens folder F, "}" closes it,
// "text=href" is a link.
std::string bookmarkFile(std::initializer_list<const char*> items) {
  std::string file = std::string(kHead) + "<DL><p>\n";
  for (std::string item : items) {
    if (item == "}") {
      file += "</DL><p>\n";
    } else if (item.back() == '{') {
      file += "<DT><H3>" + item.substr(0, item.size() - 1) + "</H3>\n<DL><p>\n";
    } else {
      std::size_t equals = item.find('=');
      file += "<DT><A HREF=\"" + item.substr(equals + 1) + "\">" + item.substr(0, equals) +
              "</A>\n";
    }
  }
  return file + "</DL><p>\n";
}

}  // namespace

TEST(Import, ImportingAgainAddsOnlyWhatIsNew) {
  Ravelink tree;
  EditHistory history(tree);
  buildShape(tree, "R(keep)");
  go(tree, "");
  const std::string first = bookmarkFile({"F{", "x=https://x.example/", "y=http://y.example/a",
                                          "}", "z=https://z.example/p#top"});
  EXPECT_EQ("Imported 3 links and 1 folder.\n", import(tree, first));
  const std::string once = treeShape(tree);
  EXPECT_EQ("R*(keep,F(x,y),z)", once);

  // The same file again adds nothing, not even a folder.
  EXPECT_EQ("Imported 0 links and 0 folders.\nAlready here, not added again: 3 links.\n",
            import(tree, first));
  EXPECT_EQ(once, treeShape(tree));

  // An updated file: its new links go into the folders they belong to; the
  // same links written otherwise (host case, default port, empty path) are
  // not added, while another scheme, fragment or path case is a new link,
  // and so is a link held only by another folder (Y, held by F).
  history.beginStep("import");
  EXPECT_EQ(
      "Imported 5 links and 0 folders.\nAlready here, not added again: 2 links.\n",
      import(tree, bookmarkFile({"F{", "x2=https://X.EXAMPLE:443", "w=https://w.example/",
                                 "y2=https://y.example/a", "}", "z2=https://Z.example/p#top",
                                 "z3=https://z.example/p#Top", "Y=http://y.example:80/a",
                                 "q=https://x.example/Q"})));
  history.endStep();
  EXPECT_EQ("R*(keep,F(x,y,w,y2),z,z3,Y,q)", treeShape(tree));
  // One step: undo takes every merged link out of the folders it went into.
  history.undo();
  EXPECT_EQ(once, treeShape(tree));
  history.redo();
  EXPECT_EQ("R*(keep,F(x,y,w,y2),z,z3,Y,q)", treeShape(tree));
}

TEST(Import, RepeatedFoldersMergeInOrder) {
  Ravelink tree;
  buildShape(tree, "R");
  import(tree, bookmarkFile({"F{", "a=https://a.example/", "}", "G{", "}", "F{",
                             "b=https://b.example/", "}", "L=https://l.example/"}));
  // The first incoming F merges into the first F, the second into the
  // second, which holds b already; a third has no third to go into and is
  // added. L is a link here, so the incoming folder L is added beside it;
  // the empty G merges into G and adds nothing.
  EXPECT_EQ(
      "Imported 3 links and 2 folders.\nAlready here, not added again: 1 link.\n",
      import(tree, bookmarkFile({"F{", "a2=https://a2.example/", "}", "F{",
                                 "b=https://b.example/", "}", "F{", "c=https://c.example/", "}",
                                 "L{", "d=https://d.example/", "}", "G{", "}"})));
  EXPECT_EQ("R*(F(a,a2),G,F(b),L,F(c),L(d))", treeShape(tree));
}
