#include "shell/command_loop.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/tree_shape.h"

// The fuzz targets check the tree through the observer: a line it does not
// see is a command whose damage goes unnoticed.
TEST(CommandObserver, SeesTheTreeAfterEveryLineButQuit) {
  Ravelink tree;
  std::istringstream in("aac\nA\n\n\n  \nbogus\nbnn\nbfc\nzap\nn\nquit\nbfc\n");
  std::ostringstream out;
  Console console(*in.rdbuf(), out, false);
  std::vector<std::string> seen;
  commandLoop(tree, console,
              [&seen](const Ravelink& t, EditHistory*) { seen.push_back(treeShape(t)); });
  // aac, the empty line, the blank line, a bad word, a failed bnn, bfc and a
  // refused zap; nothing after quit.
  EXPECT_EQ((std::vector<std::string>{"*(A)", "*(A)", "*(A)", "*(A)", "*(A)", "(A*)", "(A*)"}),
            seen);
}

TEST(CommandObserver, WhatItThrowsEndsTheLoop) {
  Ravelink tree;
  std::istringstream in("aac\nA\n\naac\nB\n\naac\nC\n\n");
  std::ostringstream out;
  Console console(*in.rdbuf(), out, false);
  int calls = 0;
  auto stopAtTwo = [&calls](const Ravelink&, EditHistory*) {
    if (++calls == 2) throw 2;
  };
  EXPECT_THROW(commandLoop(tree, console, stopAtTwo), int);
  EXPECT_EQ("*(A,B)", treeShape(tree));
}
