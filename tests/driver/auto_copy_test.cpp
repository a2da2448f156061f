// The automatic copy on real files: its name, when it is written and
// removed, and how a copy left by a killed session is kept. The lock between
// two live sessions is tested with the real binary (tests/e2e/terminal).
#include "driver/auto_copy.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "driver/rescue_file.h"
#include "tree/edit_history.h"
#include "tree/ravelink.h"
#include "treefiles/unsaved_work_names.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void setWritten(const std::string& path, std::time_t when) {
  const timespec times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0));
}

void addNode(Ravelink& tree, EditHistory& history, const char* text) {
  history.beginStep("aac");
  tree.addAsChild(text, "");
  history.endStep();
}

class AutoCopyFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ravelink-copy-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    scratch_ = fs::canonical(pattern);
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr) savedState_ = state;
    setenv("XDG_STATE_HOME", (scratch_ / "state").c_str(), 1);
    page_ = (scratch_ / "run" / "page.html").string();
    fs::create_directory(scratch_ / "run");
  }
  void TearDown() override {
    if (savedState_.empty()) {
      unsetenv("XDG_STATE_HOME");
    } else {
      setenv("XDG_STATE_HOME", savedState_.c_str(), 1);
    }
    fs::remove_all(scratch_);
  }
  std::string folder() const { return (scratch_ / "state" / "ravelink").string(); }
  std::string keptPath(std::time_t when, const char* after = "") const {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return folder() + "/" + autoCopyName(page_) + ".kept-" + stamp + after + ".tree";
  }

  fs::path scratch_;
  std::string savedState_;
  std::string page_;
};

}  // namespace

TEST(AutoCopyName, EscapesSoThatNoTwoPagesShareOne) {
  EXPECT_EQ("home%2Fann%2Flinks%2Fpage.html", autoCopyName("/home/ann/links/page.html"));
  // A '%' of the path itself is escaped too, so these stay apart.
  EXPECT_EQ("a%2Fb%252Fc", autoCopyName("/a/b%2Fc"));
  EXPECT_NE(autoCopyName("/a/b%2Fc"), autoCopyName("/a/b/c"));

  // Too long for a file name: a hash tells the paths apart, the end still
  // shows the page.
  const std::string deep = "/" + std::string(150, 'x') + "/" + std::string(150, 'y');
  const std::string longA = autoCopyName(deep + "/a/page.html");
  const std::string longB = autoCopyName("/z" + deep.substr(2) + "/a/page.html");
  EXPECT_LE(longA.size(), AutoCopy::kMaxName);
  EXPECT_NE(longA, longB);
  EXPECT_TRUE(longA.ends_with("a%2Fpage.html")) << longA;
  EXPECT_EQ(std::string::npos, longA.find('/'));
}

TEST(UnsavedWorkNames, KnowsTheProgramsOwnFilesOnly) {
  EXPECT_TRUE(namesUnsavedWork(rescueName("out.html", 1)));
  EXPECT_TRUE(namesUnsavedWork(rescueName("/srv/www/out.html", 12)));
  EXPECT_TRUE(namesUnsavedWork("/s/ravelink/a%2Fpage.html.autosave.tree"));
  EXPECT_TRUE(namesUnsavedWork("a%2Fpage.html.kept-20240131-235959.tree"));
  EXPECT_TRUE(namesUnsavedWork("a%2Fpage.html.kept-20240131-235959-3.tree"));
  EXPECT_FALSE(namesUnsavedWork("links.tree"));
  EXPECT_FALSE(namesUnsavedWork("out.html.rescue.tree.old"));
  EXPECT_FALSE(namesUnsavedWork("out.html.rescue.x.tree"));
  EXPECT_FALSE(namesUnsavedWork("my.kept-notes.tree"));
  EXPECT_FALSE(namesUnsavedWork("a.kept-20240131-2359.tree"));
  EXPECT_FALSE(namesUnsavedWork("out.rescue.tree/links.tree"));
}

TEST_F(AutoCopyFiles, WrittenOnlyForChangesNotYetWrittenAndGoneWhenSaved) {
  Ravelink tree;
  EditHistory history(tree);
  AutoCopy copy(page_);
  ASSERT_TRUE(copy.begin());
  EXPECT_EQ(folder() + "/" + autoCopyName(page_) + ".autosave.tree", copy.copyPath());

  copy.writeIfChanged(tree, history);
  copy.waitForWriter();
  EXPECT_FALSE(fs::exists(copy.copyPath())) << "an unchanged tree needs no copy";

  addNode(tree, history, "first");
  copy.writeIfChanged(tree, history);
  copy.waitForWriter();
  EXPECT_EQ("\r\n\r\nc\r\nfirst\r\n\r\np\r\n", contents(copy.copyPath()));
  EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
            fs::status(copy.copyPath()).permissions() & fs::perms::all);

  // The same version is not written again (the file is left as found).
  std::ofstream(copy.copyPath()) << "marker";
  copy.writeIfChanged(tree, history);
  copy.waitForWriter();
  EXPECT_EQ("marker", contents(copy.copyPath()));

  // Undone back to the start: the tree is as saved, and the copy goes.
  history.undo();
  copy.removeIfSaved(history);
  EXPECT_FALSE(fs::exists(copy.copyPath()));
  history.redo();
  copy.writeIfChanged(tree, history);
  copy.waitForWriter();
  EXPECT_TRUE(fs::exists(copy.copyPath()));
  history.markSaved();
  copy.removeIfSaved(history);
  EXPECT_FALSE(fs::exists(copy.copyPath()));
}

TEST_F(AutoCopyFiles, ACopyLeftBehindIsKeptUnderItsTimeAndNeverReplaced) {
  const std::time_t when = 1700000000;
  std::string copyPath;
  {
    Ravelink tree;
    EditHistory history(tree);
    AutoCopy killed(page_);
    ASSERT_TRUE(killed.begin());
    addNode(tree, history, "lost");
    killed.writeIfChanged(tree, history);
    killed.waitForWriter();
    copyPath = killed.copyPath();
  }  // as a killed session does: the lock goes, the copy stays
  setWritten(copyPath, when);
  const std::string lost = contents(copyPath);

  AutoCopy next(page_);
  ASSERT_TRUE(next.begin());
  const auto kept = next.keepLeftover();
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(keptPath(when), kept->path);
  EXPECT_EQ(when, kept->written);
  EXPECT_TRUE(namesUnsavedWork(kept->path));
  EXPECT_EQ(lost, contents(kept->path));
  EXPECT_FALSE(fs::exists(copyPath));
  EXPECT_FALSE(next.keepLeftover().has_value()) << "kept once";

  // A second copy written in the same second gets a name of its own.
  std::ofstream(copyPath) << "later";
  setWritten(copyPath, when);
  const auto second = next.keepLeftover();
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(keptPath(when, "-2"), second->path);
  EXPECT_EQ(lost, contents(kept->path));
  EXPECT_EQ("later", contents(second->path));

  // The end of a run removes its own copy only.
  next.remove();
  EXPECT_TRUE(fs::exists(kept->path));
  EXPECT_TRUE(fs::exists(second->path));
}
