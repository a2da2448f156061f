// publishPage on real files, in a scratch folder of its own, with the
// template folders pinned inside it.
#include "driver/publish_page.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "page/template_files.h"
#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace fs = std::filesystem;

namespace {

class PublishPage : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::current_path();
    char pattern[] = "/tmp/ravelink-page-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    scratch_ = pattern;
    fs::current_path(scratch_);
    setenv("HOME", (scratch_ / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch_ / "config").c_str(), 1);
    setenv("RAVELINK_INSTALLED_TEMPLATES", (scratch_ / "installed").c_str(), 1);
    write(kHeadTemplate, "<title>x</title>\n");
    write(kEndTemplate, "end\n");
    write(kFrameTemplate, "<frame name=frame1>\n");
  }
  void TearDown() override {
    fs::current_path(home_);
    fs::remove_all(scratch_);
    unsetenv("RAVELINK_INSTALLED_TEMPLATES");
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
  // The names in the scratch folder, sorted, without the templates.
  static std::string listing() {
    std::string names;
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(".")) {
      std::string name = entry.path().filename().string();
      if (name.size() < 4 || name.substr(name.size() - 4) != ".tem") found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) names += (names.empty() ? "" : " ") + name;
    return names;
  }

 private:
  fs::path home_;
  fs::path scratch_;
};

}  // namespace

TEST_F(PublishPage, WritesBothPages) {
  Ravelink tree;
  buildShape(tree, "Top(a)");
  publishPage({"page.html", "frames.html", ""}, tree);
  EXPECT_EQ(
      "<title>Top</title>\n\n<base target='_blank'>\n<p>\n<span id=paragraph1>a</span>\n</p>\n"
      "end\n\n",
      read("page.html"));
  EXPECT_EQ("<frame name=frame1 src='page.html'>\n\n", read("frames.html"));
  EXPECT_EQ("frames.html page.html", listing());
}

// Every failure before the renames keeps both old pages and leaves no
// temporary file: the page used to be emptied first.
TEST_F(PublishPage, AFailureKeepsTheOldPages) {
  const auto expectOldPages = [](const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ("old page\n", read("page.html"));
    EXPECT_EQ("old frames\n", read("frames.html"));
    EXPECT_EQ("frames.html page.html", listing());
  };
  write("page.html", "old page\n");
  write("frames.html", "old frames\n");
  for (const char* missing : {kHeadTemplate, kEndTemplate, kFrameTemplate}) {
    const std::string saved = read(missing);
    fs::remove(missing);
    Ravelink tree;
    EXPECT_ERROR(publishPage({"page.html", "frames.html", ""}, tree), "generateOutput",
                 "error opening file(s)");
    expectOldPages(missing);
    write(missing, saved);
  }
  {
    Ravelink tree;
    for (int i = 0; i < Ravelink::kStackSize; ++i) tree.pushActiveNode();
    EXPECT_ERROR(publishPage({"page.html", "frames.html", ""}, tree), "pushActiveNode",
                 "stack is full");
    expectOldPages("stack full");
  }
  {
    Ravelink tree;
    EXPECT_ERROR(publishPage({"page.html", "no/such/folder/frames.html", ""}, tree),
                 "generateOutput", "error opening file(s)");
    expectOldPages("frameset in a missing folder");
  }
  if (fs::exists("/dev/full")) {
    // The page is written completely, but the frameset page fails: neither moves.
    Ravelink tree;
    buildShape(tree, "Top(a,b,c)");
    EXPECT_ERROR(publishPage({"page.html", "/dev/full", ""}, tree), "generateOutput",
                 "error writing file(s)");
    expectOldPages("frameset on a full device");
    EXPECT_ERROR(publishPage({"/dev/full", "", ""}, tree), "generateOutput",
                 "error writing file(s)");
  }
  {
    // A folder in a template's place cannot be read, in any folder searched.
    fs::remove(kEndTemplate);
    fs::create_directory(kEndTemplate);
    Ravelink tree;
    EXPECT_ERROR(publishPage({"page.html", "", ""}, tree), "generateOutput",
                 "error opening file(s)");
    fs::remove(kEndTemplate);
  }
  {
    Ravelink tree;
    EXPECT_ERROR(publishPage({"no/such/folder/page.html", "", ""}, tree), "generateOutput",
                 "error opening file(s)");
  }
}

// Each template is taken from the first folder that has it: the current
// folder, the user's configuration folder, the installed folder.
TEST_F(PublishPage, TemplatesComeFromTheFirstFolderHoldingThem) {
  fs::create_directories("config/ravelink");
  fs::create_directories("installed");
  fs::remove(kHeadTemplate);
  fs::remove(kEndTemplate);
  fs::remove(kFrameTemplate);
  write("installed/" + std::string(kHeadTemplate), "installed head\n");
  write("installed/" + std::string(kEndTemplate), "installed end\n");
  write("installed/" + std::string(kFrameTemplate), "installed frame\n");
  write("config/ravelink/" + std::string(kEndTemplate), "config end\n");
  write("config/ravelink/" + std::string(kFrameTemplate), "config frame\n");
  write(kFrameTemplate, "here frame\n");
  Ravelink tree;
  publishPage({"page.html", "frames.html", ""}, tree);
  EXPECT_EQ("installed head\n\n<base target='_blank'>\nconfig end\n\n", read("page.html"));
  EXPECT_EQ("here frame\n\n", read("frames.html"));

  // Without XDG_CONFIG_HOME (or with a relative one), ~/.config/ravelink counts.
  fs::create_directories("home/.config/ravelink");
  write("home/.config/ravelink/" + std::string(kEndTemplate), "home end\n");
  for (const char* config : {"", "config"}) {
    setenv("XDG_CONFIG_HOME", config, 1);
    publishPage({"page.html", "", ""}, tree);
    EXPECT_EQ("installed head\n\n<base target='_blank'>\nhome end\n\n", read("page.html"));
  }
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  fs::remove("installed/" + std::string(kHeadTemplate));
  EXPECT_ERROR(publishPage({"page.html", "", ""}, tree), "generateOutput",
               "error opening file(s)");
}

TEST(SameFile, TellsNamesOfOneFile) {
  EXPECT_TRUE(sameFile("p.html", "p.html"));
  EXPECT_TRUE(sameFile("p.html", "./p.html"));
  EXPECT_TRUE(sameFile("/tmp/../tmp/p-that-is-not-there.html", "/tmp/p-that-is-not-there.html"));
  EXPECT_FALSE(sameFile("p.html", "P.html"));
  EXPECT_FALSE(sameFile("p.html", "q.html"));
  EXPECT_FALSE(sameFile("p.html", "no/such/folder/p.html"));
}
