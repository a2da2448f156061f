// Finding the opener on PATH and starting it detached.
#include "view/opener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

// A scratch folder removed at the end of the test.
struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    char name[] = "/tmp/ravelink-opener-XXXXXX";
    path = mkdtemp(name);
  }
  ~ScratchFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
  void write(const std::string& name, const std::string& text, mode_t mode) const {
    std::ofstream(path + "/" + name) << text;
    chmod((path + "/" + name).c_str(), mode);
  }
};

}  // namespace

// Only an executable regular file counts, in the first folder that has one;
// an empty entry is the current folder.
TEST(Opener, FindsTheFirstExecutableOnThePath) {
  ScratchFolder a;
  ScratchFolder b;
  a.write("tool", "#!/bin/sh\n", 0644);  // not executable
  mkdir((a.path + "/dir").c_str(), 0755);
  b.write("tool", "#!/bin/sh\n", 0755);
  b.write("dir", "#!/bin/sh\n", 0755);
  const std::string path = a.path + ":" + b.path;
  EXPECT_EQ(b.path + "/tool", findOnPath("tool", path.c_str()));
  EXPECT_EQ(b.path + "/dir", findOnPath("dir", path.c_str()));  // a folder is no program
  EXPECT_EQ("", findOnPath("missing", path.c_str()));
  EXPECT_EQ("", findOnPath("tool", nullptr));
  EXPECT_EQ("", findOnPath("tool", ""));  // the current folder holds none
}

// `o` in the view: xdg-open found on PATH runs with the href as its one
// argument, taken as it is (no shell sees it), its output going nowhere;
// without one, or without an href, the status line says so.
TEST(Opener, OpensTheHrefWithXdgOpenFromThePath) {
  ScratchFolder folder;
  const std::string record = folder.path + "/record";
  folder.write(
      "xdg-open",
      "#!/bin/sh\nPATH=/usr/bin:/bin\necho visible output\nprintf '%s|%s' \"$#\" \"$1\" > " +
          record + ".tmp && mv " + record + ".tmp " + record + "\n",
      0755);
  const char* before = std::getenv("PATH");
  const std::string savedPath = before != nullptr ? before : "";
  const std::string href = "https://example.org/?a=1&b='2' $(x)";

  setenv("PATH", "/nonexistent", 1);
  EXPECT_EQ("no xdg-open to open links with", openHref(href));
  setenv("PATH", folder.path.c_str(), 1);
  EXPECT_EQ("no href to open", openHref(""));
  EXPECT_EQ("opening " + href, openHref(href));
  setenv("PATH", savedPath.c_str(), 1);

  std::string got;
  for (int i = 0; i < 250 && got.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    got = text.str();
  }
  EXPECT_EQ("1|" + href, got);
}
