// ravelink: builds a tree of hyperlinks at a "-" prompt and publishes it as
// an HTML page when the user quits.
#include <unistd.h>

#include <iostream>
#include <new>

#include "driver/program.h"

namespace {

// A failed allocation ends the program abnormally: nothing catches this.
[[noreturn]] void outOfMemory() { throw "Memory overflow!"; }

}  // namespace

int main(int argc, char** argv) {
  std::set_new_handler(outOfMemory);
  std::ios::sync_with_stdio(false);
  FdInputBuffer input(STDIN_FILENO, &std::cout);
  Console console(input, std::cout, isatty(STDIN_FILENO) != 0);
  int status = runProgram(argc - 1, argv + 1, console);
  std::cout.flush();
  return status;
}
