#include "driver/publish_page.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <ostream>

#include "page/page_writer.h"
#include "page/template_files.h"
#include "tree/ravelink.h"
#include "treefiles/safe_replace.h"

namespace {

std::string folderOf(const std::string& name);
std::string lastPart(const std::string& name);

// Whether the folder takes a file name as long as `name`'s last part. The
// temporary file's short name always fits; this finds a page that could not
// be created before anything is written.
bool fitsItsFolder(const std::string& name) {
  long longest = ::pathconf(folderOf(name).c_str(), _PC_NAME_MAX);
  return longest < 0 || lastPart(name).size() <= static_cast<std::size_t>(longest);
}

// One page file being written: through a temporary file renamed over it at
// the end (treefiles/safe_replace.h), or, for a device or a pipe, straight.
class PageFile {
 public:
  explicit PageFile(const std::string& name) : name_(name), replacement_(name.c_str()) {}

  bool open() {
    struct stat info;
    straight_ = ::stat(name_.c_str(), &info) == 0 && !S_ISREG(info.st_mode) &&
                !S_ISDIR(info.st_mode);
    if (!straight_) return fitsItsFolder(name_) && replacement_.open();
    straightStream_.open(name_);
    return straightStream_.is_open();
  }
  std::ostream& stream() { return straight_ ? straightStream_ : replacement_.stream(); }
  /// Everything written and closed; no sync: the page is made again from
  /// the tree at every run.
  bool finish() {
    if (!straight_) return replacement_.finish(false);
    straightStream_.close();
    return !straightStream_.fail();
  }
  bool replace() { return straight_ || replacement_.replace(); }

 private:
  std::string name_;
  bool straight_ = false;
  SafeReplace replacement_;
  std::ofstream straightStream_;
};

// The folder of `name` ("." when none) and its last part.
std::string folderOf(const std::string& name) {
  std::string::size_type slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

std::string lastPart(const std::string& name) {
  std::string::size_type slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool sameInode(const std::string& a, const std::string& b) {
  struct stat infoA;
  struct stat infoB;
  return ::stat(a.c_str(), &infoA) == 0 && ::stat(b.c_str(), &infoB) == 0 &&
         infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  if (sameInode(a, b)) return true;
  return lastPart(a) == lastPart(b) && sameInode(folderOf(a), folderOf(b));
}

void publishPage(const FileNames& names, const Ravelink& tree) {
  std::ifstream head;
  std::ifstream end;
  std::ifstream frame;
  // Every template is looked for, even an unused frame template, so a
  // missing one is found before any page is touched.
  const bool headOpen = openTemplate(head, kHeadTemplate);
  const bool endOpen = openTemplate(end, kEndTemplate);
  const bool frameOpen = openTemplate(frame, kFrameTemplate);
  if (!headOpen || !endOpen || !frameOpen) throw myException(Fault::kGenerateOpen);

  PageFile page(names.page);
  PageFile frameset(names.frameset);
  if (!page.open()) throw myException(Fault::kGenerateOpen);
  PageStreams streams{head, end, frame, page.stream(),
                      [&frameset]() -> std::unique_ptr<std::ostream> {
                        if (!frameset.open()) return nullptr;
                        return std::make_unique<std::ostream>(frameset.stream().rdbuf());
                      }};
  generateOutput(names.page, names.frameset, names.defaultPage, tree, streams);
  const bool hasFrameset = !names.frameset.empty();
  if ((hasFrameset && !frameset.finish()) || !page.finish()) {
    throw myException(Fault::kGenerateWrite);
  }
  if ((hasFrameset && !frameset.replace()) || !page.replace()) {
    throw myException(Fault::kGenerateWrite);
  }
}
