#include "page/page_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "page/escape.h"
#include "support/full_disk_buffer.h"
#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace {

// One page generation on templates and pages held in memory.
struct PageRun {
  std::string head;
  std::string end;
  std::string frame;
  std::streambuf* pageBuffer = nullptr;     // default: a string
  std::streambuf* framesetBuffer = nullptr;  // default: a string
  bool framesetCannotBeCreated = false;

  std::string page;      // what the page received
  std::string frameset;  // what the frameset page received
  bool framesetOpened = false;
  std::size_t pageSizeWhenFramesetOpened = 0;

  void run(Ravelink& tree, const std::string& framesetName = "",
           const std::string& defaultPage = "", const std::string& pageName = "links.html") {
    std::istringstream headIn(head);
    std::istringstream endIn(end);
    std::istringstream frameIn(frame);
    std::stringbuf pageText;
    std::stringbuf framesetText;
    std::ostream pageOut(pageBuffer != nullptr ? pageBuffer : &pageText);
    std::streambuf* framesetTarget = framesetBuffer != nullptr ? framesetBuffer : &framesetText;
    PageStreams streams{headIn, endIn, frameIn, pageOut, [&]() -> std::unique_ptr<std::ostream> {
                          framesetOpened = true;
                          pageSizeWhenFramesetOpened = pageText.str().size();
                          if (framesetCannotBeCreated) return nullptr;
                          return std::make_unique<std::ostream>(framesetTarget);
                        }};
    struct Collect {
      PageRun& run;
      std::stringbuf& page;
      std::stringbuf& frameset;
      ~Collect() {
        run.page = page.str();
        run.frameset = frameset.str();
      }
    } collect{*this, pageText, framesetText};
    generateOutput(pageName, framesetName, defaultPage, tree, streams);
  }
};

// The head and end templates of the worked example: six and two lines, each
// ending with a line break.
const char kExampleHead[] =
    "<html>\n<head>\n<TITLE>Old</TITLE>\n<style>\n. { color: black }\n</style>\n";
const char kExampleEnd[] = "</body>\n</html>\n";
const char kExampleFrame[] =
    "<html>\n"
    "<title>Frames</title>\n"
    "<frameset cols='30%,*'>\n"
    "<frame name=frame1 src='tree.html'>\n"
    "<frame name=frame2 src='start.html'>\n"
    "</frameset>\n"
    "</html>\n";

// Links & more: Search (with <New> and Rock 'n' roll below it) and Tools.
void buildExampleTree(Ravelink& tree) {
  tree.gotoRoot();
  tree.setCurrentText("Links & more");
  tree.settings().styleTable.set("a { color: red }\n");
  tree.addAsChild("Search", "find.html?a=1&b=2");
  tree.addAsChild("Tools", "tools.html");
  tree.browseFirstChild();
  tree.addAsChild("<New>", "new.html");
  tree.addAsChild("Rock 'n' roll", "");
  tree.gotoRoot();
}

PageRun exampleRun() {
  PageRun run;
  run.head = kExampleHead;
  run.end = kExampleEnd;
  run.frame = kExampleFrame;
  return run;
}

std::size_t countOf(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

TEST(PageWriter, WritesTheWorkedExample) {
  Ravelink tree;
  buildExampleTree(tree);
  PageRun run = exampleRun();
  run.run(tree);
  EXPECT_EQ(
      "<html>\n"
      "<head>\n"
      "<title>Links &amp; more</title>\n"
      "<style>\n"
      "a { color: red }\n"
      "</style>\n"
      "\n"
      "<base target='_blank'>\n"
      "<p>\n"
      "<span id=paragraph1><a href='find.html?a=1&amp;b=2'>Search</a></span>\n"
      "</p>\n"
      "<div id=paragraph1sub style=\"margin-left: 2em\">\n"
      "<p>\n"
      "<span id=paragraph1-1><a href='new.html'>&lt;New&gt;</a></span>\n"
      "</p>\n"
      "<p>\n"
      "<span id=paragraph1-2>Rock &#39;n&#39; roll</span>\n"
      "</p>\n"
      "</div>\n"
      "<p>\n"
      "<span id=paragraph2><a href='tools.html'>Tools</a></span>\n"
      "</p>\n"
      "</body>\n"
      "</html>\n"
      "\n",
      run.page);
  EXPECT_FALSE(run.framesetOpened);
}

TEST(PageWriter, WritesDivisionsWhenParagraphsAreOff) {
  Ravelink tree;
  buildExampleTree(tree);
  tree.settings().usingPara = false;
  PageRun run = exampleRun();
  run.run(tree);
  EXPECT_EQ(
      "<html>\n"
      "<head>\n"
      "<title>Links &amp; more</title>\n"
      "<style>\n"
      "a { color: red }\n"
      "</style>\n"
      "\n"
      "<base target='_blank'>\n"
      "<div>\n"
      "<span id=paragraph1><a href='find.html?a=1&amp;b=2'>Search</a></span>\n"
      "</div>\n"
      "<div id=paragraph1sub style=\"margin-left: 2em\">\n"
      "<div>\n"
      "<span id=paragraph1-1><a href='new.html'>&lt;New&gt;</a></span>\n"
      "</div>\n"
      "<div>\n"
      "<span id=paragraph1-2>Rock &#39;n&#39; roll</span>\n"
      "</div>\n"
      "</div>\n"
      "<div>\n"
      "<span id=paragraph2><a href='tools.html'>Tools</a></span>\n"
      "</div>\n"
      "</body>\n"
      "</html>\n"
      "\n",
      run.page);
}

TEST(PageWriter, ClosesEveryLevelAtTheEndOfADeepBranch) {
  Ravelink tree;
  buildShape(tree, "R(A(B(C)))");
  PageRun run;  // empty templates: one empty line each
  run.run(tree);
  EXPECT_EQ(
      "\n"
      "<base target='_blank'>\n"
      "<p>\n"
      "<span id=paragraph1>A</span>\n"
      "</p>\n"
      "<div id=paragraph1sub style=\"margin-left: 2em\">\n"
      "<p>\n"
      "<span id=paragraph1-1>B</span>\n"
      "</p>\n"
      "<div id=paragraph1-1sub style=\"margin-left: 2em\">\n"
      "<p>\n"
      "<span id=paragraph1-1-1>C</span>\n"
      "</p>\n"
      "</div>\n"
      "</div>\n"
      "\n",
      run.page);
}

TEST(PageWriter, BuildsIdsFromSiblingNumbersAtAnyDepth) {
  {
    Ravelink tree;
    buildShape(tree, "R(a(x,b(p,q,c(z),r)),d)");
    PageRun run;
    run.run(tree);
    EXPECT_NE(std::string::npos, run.page.find("<span id=paragraph1-2-3>c</span>\n"));
    EXPECT_NE(std::string::npos, run.page.find("<div id=paragraph1-2-3sub style="));
    EXPECT_NE(std::string::npos, run.page.find("<span id=paragraph1-2-3-1>z</span>\n"));
    EXPECT_NE(std::string::npos, run.page.find("<span id=paragraph1-2-4>r</span>\n"));
    EXPECT_NE(std::string::npos, run.page.find("<span id=paragraph2>d</span>\n"));
    EXPECT_EQ(3u, countOf(run.page, "</div>\n"));
  }
  {
    // Forty levels: the ids grow with the depth; nothing is cut off.
    Ravelink tree;
    for (int level = 0; level < 40; ++level) {
      tree.addAsChild("n", "");
      tree.browseFirstChild();
    }
    PageRun run;
    run.run(tree);
    std::string deepest;
    for (int level = 0; level < 39; ++level) deepest += "1-";
    EXPECT_NE(std::string::npos, run.page.find("<span id=paragraph" + deepest + "1>n</span>\n"));
    EXPECT_EQ(39u, countOf(run.page, "sub style="));
    EXPECT_EQ(39u, countOf(run.page, "</div>\n"));
    EXPECT_EQ("</div>\n</div>\n\n", run.page.substr(run.page.size() - 15));
  }
}

TEST(PageWriter, WalksLongChainsWithoutRecursion) {
  Ravelink tree;
  for (int level = 0; level < 2000; ++level) {
    tree.addAsChild("d", "");
    tree.browseFirstChild();
  }
  tree.gotoRoot();
  tree.addAsChild("wide", "");
  tree.browseFirstChild();
  tree.browseNext();
  for (int i = 2; i <= 100000; ++i) tree.addAsNext("w", "");
  tree.gotoRoot();
  PageRun run;
  run.run(tree);
  EXPECT_EQ(1999u, countOf(run.page, "</div>\n"));
  EXPECT_NE(std::string::npos, run.page.find("<span id=paragraph100001>w</span>\n</p>\n\n"));
}

// The body is written in blocks of a fixed size: blocks of every length,
// with replaced characters in their texts and hrefs, fall on each side of
// the blocks' edges, and every one comes out whole, escaped as one text
// alone is.
TEST(PageWriter, BlocksAcrossTheWritersEdgesComeOutWhole) {
  Ravelink tree;
  std::string expected;
  for (int i = 1; i <= 30000; ++i) {
    std::string text = "t";
    text += std::to_string(i);
    text.append(static_cast<std::size_t>(i % 37), 'a');
    text += i % 3 == 0 ? "&<'>" : "x";
    std::string href;
    if (i % 5 != 0) {
      href = "h?a=1&b='";
      href.append(static_cast<std::size_t>(i % 61), 'b');
    }
    if (i == 1) {
      tree.addAsChild(text.c_str(), href.c_str());
      tree.browseFirstChild();
    } else {
      tree.addAsNext(text.c_str(), href.c_str());
    }
    expected += "<p>\n<span id=paragraph";
    expected += std::to_string(i);
    expected += '>';
    if (href.empty()) {
      escapeMarkup(text.c_str(), expected);
    } else {
      expected += "<a href='";
      escapeAttribute(href.c_str(), expected);
      expected += "'>";
      escapeText(text.c_str(), expected);
      expected += "</a>";
    }
    expected += "</span>\n</p>\n";
  }
  expected += '\n';  // the empty end template's one line
  PageRun run;
  run.run(tree);
  ASSERT_GT(run.page.size(), 3 * (std::size_t{1} << 20));
  const std::size_t body = run.page.find("<p>\n");
  ASSERT_NE(std::string::npos, body);
  const std::string written = run.page.substr(body);
  // Compared in one piece, and where they part shown briefly.
  const auto parted = std::mismatch(expected.begin(), expected.end(), written.begin(),
                                    written.end());
  const auto at = static_cast<std::size_t>(parted.first - expected.begin());
  EXPECT_TRUE(expected == written) << "at byte " << at << ": expected \""
                                   << expected.substr(at, 40) << "\", written \""
                                   << written.substr(at, 40) << '"';
}

TEST(PageWriter, ReplacesTitleAndStyleLines) {
  Ravelink tree;
  tree.setCurrentText("A & B <c> it's");
  tree.settings().styleTable.set("p { }");  // no line break: runs into the next line
  tree.settings().baseUrl.set("http://example.org/it's?a&b");
  tree.settings().baseTarget.set("");
  PageRun run;
  run.head =
      "<TITLE>Old</TITLE><meta name=x>\n"
      " <title>indented</title>\n"
      "<title>\n"
      ". {\n"
      "x\n"
      ".{ not the style line\n"
      ". { color: blue }";  // no line break at the end: no extra line
  run.end = "</body>";
  run.run(tree);
  EXPECT_EQ(
      "<title>A &amp; B &lt;c&gt; it's</title>\n"
      " <title>indented</title>\n"
      "<title>A &amp; B &lt;c&gt; it's</title>\n"
      "p { }x\n"
      ".{ not the style line\n"
      "p { }"
      "<base href='http://example.org/it&#39;s?a&amp;b' target=''>\n"
      "</body>\n",
      run.page);
}

TEST(PageWriter, EmptyStyleTableAndTitleLeaveNoTrace) {
  Ravelink tree;
  tree.addAsChild("", "empty.html");
  tree.addAsChild("Caf\xC3\xA9 <b>&\x01", "");
  PageRun run;
  run.head = "<title>x</title>\n<style>\n. { }\n</style>";
  run.end = "</html>";
  run.run(tree);
  EXPECT_EQ(
      "<title></title>\n"
      "<style>\n"
      "</style>\n"
      "<base target='_blank'>\n"
      "<p>\n"
      "<span id=paragraph1><a href='empty.html'></a></span>\n"
      "</p>\n"
      "<p>\n"
      "<span id=paragraph2>Caf\xC3\xA9 &lt;b&gt;&amp;</span>\n"
      "</p>\n"
      "</html>\n",
      run.page);
}

TEST(PageWriter, CopiesLongTemplateLinesWhole) {
  Ravelink tree;
  const std::string longLine = "<meta name=description content='" + std::string(500, 'x') + "'>";
  PageRun run;
  run.head = longLine + "\n<title>" + std::string(200, 't') + "\n";
  run.end = std::string(300, 'e');
  run.frame = "<frame name=frame1 " + std::string(200, 'f') + "\n" + longLine;
  run.run(tree, "frames.html");
  EXPECT_EQ(longLine + "\n<title></title>\n\n<base target='_blank'>\n" + std::string(300, 'e') + "\n",
            run.page);
  EXPECT_EQ("<frame name=frame1 src='links.html'>\n" + longLine + "\n", run.frameset);
}

TEST(PageWriter, KeepsTheUsersPlaceAndStack) {
  Ravelink tree;
  buildExampleTree(tree);
  tree.browseFirstChild();
  tree.pushActiveNode();
  tree.browseFirstChild();
  tree.browseNext();  // Rock 'n' roll
  const RavelinkChild* place = tree.getCurrent();
  PageRun run = exampleRun();
  run.run(tree, "frames.html", "welcome.html");
  EXPECT_EQ(place, tree.getCurrent());
  EXPECT_EQ(1, tree.references().activeCount);
  // The title is the root's text, wherever the user stood.
  EXPECT_NE(std::string::npos, run.page.find("<title>Links &amp; more</title>"));
  EXPECT_NE(std::string::npos, run.frameset.find("<title>Links &amp; more</title>"));
}

TEST(FramesetPage, WritesTheWorkedExample) {
  Ravelink tree;
  buildExampleTree(tree);
  {
    PageRun run = exampleRun();
    run.run(tree, "frames.html", "welcome.html", "links.html");
    EXPECT_TRUE(run.framesetOpened);
    EXPECT_EQ(0u, run.pageSizeWhenFramesetOpened);  // written before the page
    EXPECT_EQ(
        "<html>\n"
        "<title>Links &amp; more</title>\n"
        "<frameset cols='30%,*'>\n"
        "<frame name=frame1 src='links.html'>\n"
        "<frame name=frame2 src='welcome.html'>\n"
        "</frameset>\n"
        "</html>\n"
        "\n",
        run.frameset);
    EXPECT_NE(std::string::npos, run.page.find("<title>Links &amp; more</title>"));
  }
  {
    // Without a default page the frame2 line is the template's own.
    PageRun run = exampleRun();
    run.run(tree, "frames.html", "", "links.html");
    EXPECT_EQ(
        "<html>\n"
        "<title>Links &amp; more</title>\n"
        "<frameset cols='30%,*'>\n"
        "<frame name=frame1 src='links.html'>\n"
        "<frame name=frame2 src='start.html'>\n"
        "</frameset>\n"
        "</html>\n"
        "\n",
        run.frameset);
  }
}

// The file names are relative URLs: "#" and "?" would cut the path short,
// "%" would begin an escape, and quotes, brackets, blanks and control bytes
// have no place in an attribute value. UTF-8 and the rest stay as they are.
TEST(FramesetPage, WritesFileNamesAsRelativeUrls) {
  Ravelink tree;
  PageRun run;
  run.frame = "<frame name=frame1>\n<frame name=frame2>";
  run.run(tree, "frames.html", "a?b=c&d%e.html",
          std::string("my links #2 \"<\x01\x1f>\x7f\xC3\xA9/\\~+:;,=@!$(*).html"));
  EXPECT_EQ(
      "<frame name=frame1 src='my%20links%20%232%20%22%3C%01%1F%3E\x7f\xC3\xA9/\\~+:;,=@!$(*).html'>\n"
      "<frame name=frame2 src='a%3Fb=c&amp;d%25e.html'>\n",
      run.frameset);
}

TEST(FramesetPage, RecognisesOnlyTheExactFrameLines) {
  Ravelink tree;
  tree.setCurrentText("Caf\xC3\xA9 <\x01>");
  PageRun run;
  run.frame =
      "<FRAME NAME=FRAME1 SRC='x'>\n"
      "<frame name='frame1'>\n"
      "<frame  name=frame1>\n"
      " <frame name=frame1>\n"
      "<frame name=frame12>\n"
      "<frame name=frame1x scrolling=no>\n"
      "<frame name=frame3 src='c.html'>\n"
      "<Frame Name=Frame2 src='b.html' scrolling=no>\n"
      "<TITLE>old";
  run.run(tree, "frames.html", "it's & more.html", "a'b.html");
  EXPECT_EQ(
      "<frame name=frame1 src='a%27b.html'>\n"
      "<frame name='frame1'>\n"
      "<frame  name=frame1>\n"
      " <frame name=frame1>\n"
      "<frame name=frame1 src='a%27b.html'>\n"
      "<frame name=frame1 src='a%27b.html'>\n"
      "<frame name=frame3 src='c.html'>\n"
      "<frame name=frame2 src='it%27s%20&amp;%20more.html'>\n"
      "<title>Caf\xC3\xA9 &lt;&gt;</title>\n",
      run.frameset);
}

TEST(PageWriter, ReportsFailuresAndKeepsThePlace) {
  {
    // A full stack at quit: the stack's own error, nothing written.
    Ravelink tree;
    buildExampleTree(tree);
    tree.browseFirstChild();
    for (int i = 0; i < Ravelink::kStackSize; ++i) tree.pushActiveNode();
    PageRun run = exampleRun();
    EXPECT_ERROR(run.run(tree, "frames.html"), "pushActiveNode", "stack is full");
    EXPECT_EQ("", run.page);
    EXPECT_FALSE(run.framesetOpened);
    EXPECT_EQ("Search", std::string(tree.getCurrent()->getText()));
    EXPECT_EQ(Ravelink::kStackSize, tree.references().activeCount);
  }
  {
    // The frameset page cannot be created: the page stays empty.
    Ravelink tree;
    buildExampleTree(tree);
    tree.browseFirstChild();
    PageRun run = exampleRun();
    run.framesetCannotBeCreated = true;
    EXPECT_ERROR(run.run(tree, "frames.html"), "generateOutput", "error opening file(s)");
    EXPECT_EQ("", run.page);
    EXPECT_EQ("Search", std::string(tree.getCurrent()->getText()));
    EXPECT_EQ(0, tree.references().activeCount);
  }
  {
    // The page's disk fills up while the tree is written, and at its last byte.
    Ravelink tree;
    buildExampleTree(tree);
    PageRun whole = exampleRun();
    whole.run(tree);
    for (std::size_t room : {std::size_t{200}, whole.page.size() - 1}) {
      SCOPED_TRACE(room);
      tree.browseFirstChild();
      FullDiskBuffer disk(room);
      PageRun run = exampleRun();
      run.pageBuffer = &disk;
      EXPECT_ERROR(run.run(tree), "generateOutput", "error writing file(s)");
      EXPECT_EQ(whole.page.substr(0, room), disk.taken());
      EXPECT_EQ("Search", std::string(tree.getCurrent()->getText()));
      EXPECT_EQ(0, tree.references().activeCount);
      tree.gotoRoot();
    }
  }
  {
    // The frameset page's disk fills up.
    Ravelink tree;
    buildExampleTree(tree);
    FullDiskBuffer disk(20);
    PageRun run = exampleRun();
    run.framesetBuffer = &disk;
    EXPECT_ERROR(run.run(tree, "frames.html"), "generateOutput", "error writing file(s)");
    EXPECT_EQ("", run.page);
    EXPECT_EQ(0, tree.references().activeCount);
  }
}
