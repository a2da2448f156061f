#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/command_loop.h"
#include "shell/commands.h"

namespace {

// Runs one settings command on `input`, then reads what is left of the
// input as one more line ("<END>" when nothing is left): the line the next
// prompt would get.
struct Outcome {
  std::string output;
  std::string nextLine;
};

Outcome run(Ravelink& tree, void (*command)(Shell&), const std::string& input,
        bool interactive = false) {
  std::istringstream in(input);
  std::ostringstream out;
  Console console(*in.rdbuf(), out, interactive);
  Shell shell(tree, console);
  command(shell);
  char line[Shell::kLineSize];
  Outcome result;
  result.nextLine = readConsoleLine(console, line, sizeof line) ? line : "<END>";
  result.output = out.str();
  return result;
}

const char kCssHeader[] =
    "Example CSS style table: \n"
    ". { font-family: Tahoma, Verdana, MS Sans Serif; font-size: 8pt; color: silver }\n"
    "body { background-color: darkblue }\n"
    "a { color: silver }\n"
    "a:hover { color: white; background-color: violet }\n"
    "\n"
    "Current CSS style table: \n";

}  // namespace

TEST(SetCss, ReadsUpToTheEndOfInputLineFeedsIncluded) {
  Ravelink tree;
  Outcome three = run(tree, setCssCommand, "p { margin: 0 }\nh1 { color: red }\n\na { x: y }");
  EXPECT_STREQ("p { margin: 0 }\nh1 { color: red }\n\na { x: y }", tree.settings().styleTable.get());
  EXPECT_EQ(std::string(kCssHeader) + "\nPlease enter new style table (^Z to end): \n", three.output);
  EXPECT_EQ("<END>", three.nextLine);

  // The old table is shown; ending at once stores the empty table.
  Outcome nothing = run(tree, setCssCommand, "");
  EXPECT_NE(std::string::npos, nothing.output.find("Current CSS style table: \n"
                                                   "p { margin: 0 }\nh1 { color: red }\n\na { x: y }\n"
                                                   "Please enter"));
  EXPECT_STREQ("", tree.settings().styleTable.get());

  // 0x1A ends the table like the end of a file; carriage returns are dropped.
  run(tree, setCssCommand, "body {}\r\n\x1A" "list\n");
  EXPECT_STREQ("body {}\n", tree.settings().styleTable.get());
}

TEST(SetCss, CutsAtTheLimitAndDropsTheRestOfThatLine) {
  Ravelink tree;
  Outcome longLine = run(tree, setCssCommand, std::string(400, 'x') + "\nlist\n");
  EXPECT_EQ(std::string(319, 'x'), tree.settings().styleTable.get());
  EXPECT_EQ("list", longLine.nextLine);

  // When the byte past the limit is the line feed, the next line is kept.
  Outcome exact = run(tree, setCssCommand, std::string(319, 'y') + "\nlist\n");
  EXPECT_EQ(std::string(319, 'y'), tree.settings().styleTable.get());
  EXPECT_EQ("list", exact.nextLine);

  // Many short lines: the limit counts the line feeds too.
  std::string lines;
  for (int i = 0; i < 120; ++i) lines += "ab\n";
  Outcome many = run(tree, setCssCommand, lines);
  EXPECT_EQ(lines.substr(0, 319), tree.settings().styleTable.get());
  // 106 whole lines and the "a" of line 107; its "b" met the limit, so the
  // rest of line 107 went with it and line 108 comes next.
  EXPECT_EQ("ab", many.nextLine);
}

TEST(SetCss, Ctrl1AEndsOnlyTheTableAndAScriptGoesOnAtTheNextLine) {
  // At a terminal the end-of-file key ends only the table: the next read
  // goes on with what is typed afterwards.
  Ravelink tree;
  Outcome terminal = run(tree, setCssCommand, "a {}\n\x1A" " rest\nlist\n", true);
  EXPECT_STREQ("a {}\n", tree.settings().styleTable.get());
  EXPECT_EQ(" rest", terminal.nextLine);

  // A script once ended at the 0x1A that ends the table; now the rest of
  // that line goes and the script goes on at the next.
  Outcome pipe = run(tree, setCssCommand, "b {}\n<\x1A" " rest\nlist\n");
  EXPECT_STREQ("b {}\n<", tree.settings().styleTable.get());
  EXPECT_EQ("list", pipe.nextLine);
  Outcome lineEnd = run(tree, setCssCommand, "c {}\x1A\nlist\n");
  EXPECT_STREQ("c {}", tree.settings().styleTable.get());
  EXPECT_EQ("list", lineEnd.nextLine);
  // The end of the stream still ends the script, and so does a second 0x1A.
  EXPECT_EQ("<END>", run(tree, setCssCommand, "d {}").nextLine);
  EXPECT_EQ("<END>", run(tree, setCssCommand, "e\x1A x\x1A\nlist\n").nextLine);
  EXPECT_STREQ("e", tree.settings().styleTable.get());
}

TEST(SetUsingPara, TakesTheFirstByteAndDropsTheRestOfTheLine) {
  struct Case {
    const char* input;
    bool before;
    bool after;
    bool error;
    const char* nextLine;
  } cases[] = {
      {"p\nlist\n", false, true, false, "list"},
      {"P\n", false, true, false, "<END>"},
      {"D\nlist\n", true, false, false, "list"},
      {"d", true, false, false, "<END>"},
      {"pxyz\nlist\n", false, true, false, "list"},
      {"\nlist\n", false, false, true, "list"},  // an empty answer keeps the next line
      {"\nlist\n", true, true, true, "list"},
      {" P\nlist\n", false, false, true, "list"},
      {"x\r\nlist\n", true, true, true, "list"},
      {"", true, true, true, "<END>"},
  };
  for (const Case& c : cases) {
    Ravelink tree;
    tree.settings().usingPara = c.before;
    Outcome result = run(tree, setUsingParaCommand, c.input);
    EXPECT_EQ(c.after, tree.settings().usingPara) << c.input;
    EXPECT_EQ(std::string("Use paragraph <p> or division <div>? [P/D] ") +
                  (c.error ? "Error entering!\n" : ""),
              result.output)
        << c.input;
    EXPECT_EQ(c.nextLine, result.nextLine) << c.input;
  }
}
