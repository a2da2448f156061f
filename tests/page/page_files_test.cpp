// generateOutput on real files, in a scratch folder of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "page/page_writer.h"
#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace fs = std::filesystem;

namespace {

class PageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::current_path();
    char pattern[] = "/tmp/ravelink-page-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    scratch_ = pattern;
    fs::current_path(scratch_);
    write(kHeadTemplate, "<title>x</title>\n");
    write(kEndTemplate, "end\n");
    write(kFrameTemplate, "<frame name=frame1>\n");
  }
  void TearDown() override {
    fs::current_path(home_);
    fs::remove_all(scratch_);
  }

  static void write(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
  }
  static std::string read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  fs::path home_;
  fs::path scratch_;
};

}  // namespace

TEST_F(PageFiles, WritesBothPages) {
  Ravelink tree;
  buildShape(tree, "Top(a)");
  generateOutput("page.html", "frames.html", "", tree);
  EXPECT_EQ(
      "<title>Top</title>\n\n<base target='_blank'>\n<p>\n<span id=paragraph1>a</span>\n</p>\n"
      "end\n\n",
      read("page.html"));
  EXPECT_EQ("<frame name=frame1 src='page.html'>\n\n", read("frames.html"));
}

TEST_F(PageFiles, AMissingTemplateLeavesTheOldPages) {
  for (const char* missing : {kHeadTemplate, kEndTemplate, kFrameTemplate}) {
    SCOPED_TRACE(missing);
    const std::string saved = read(missing);
    fs::remove(missing);
    write("page.html", "old page\n");
    Ravelink tree;
    EXPECT_ERROR(generateOutput("page.html", "frames.html", "", tree), "generateOutput",
                 "error opening file(s)");
    EXPECT_EQ("old page\n", read("page.html"));
    EXPECT_FALSE(fs::exists("frames.html"));
    write(missing, saved);
  }
  {
    // A folder in a template's place cannot be read either.
    fs::remove(kEndTemplate);
    fs::create_directory(kEndTemplate);
    Ravelink tree;
    EXPECT_ERROR(generateOutput("page.html", "", "", tree), "generateOutput",
                 "error opening file(s)");
    EXPECT_EQ("old page\n", read("page.html"));
  }
}

TEST_F(PageFiles, ReportsPagesThatCannotBeCreatedOrWritten) {
  {
    Ravelink tree;
    EXPECT_ERROR(generateOutput("no/such/folder/page.html", "", "", tree), "generateOutput",
                 "error opening file(s)");
  }
  {
    Ravelink tree;
    EXPECT_ERROR(generateOutput("page.html", "no/such/folder/frames.html", "", tree),
                 "generateOutput", "error opening file(s)");
    EXPECT_EQ("", read("page.html"));
  }
  if (fs::exists("/dev/full")) {
    Ravelink tree;
    EXPECT_ERROR(generateOutput("/dev/full", "", "", tree), "generateOutput",
                 "error writing file(s)");
    EXPECT_ERROR(generateOutput("page.html", "/dev/full", "", tree), "generateOutput",
                 "error writing file(s)");
    EXPECT_EQ(0, tree.getActiveCount());
  }
}
