#ifndef RAVELINK_TESTS_TREEFILES_FILE_TEST_SUPPORT_H_
#define RAVELINK_TESTS_TREEFILES_FILE_TEST_SUPPORT_H_

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <streambuf>
#include <string>
#include <vector>

#include "support/full_disk_buffer.h"
#include "tree/ravelink.h"
#include "support/tree_round_trip.h"

/// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    std::filesystem::path pattern = std::filesystem::temp_directory_path() / "ravelink-XXXXXX";
    std::string name = pattern.string();
    path_ = ::mkdtemp(name.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  /// The names in the folder, sorted, separated by spaces.
  std::string listing() const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    std::string names;
    for (const std::string& name : found) names += (names.empty() ? "" : " ") + name;
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string readBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}


#endif  // RAVELINK_TESTS_TREEFILES_FILE_TEST_SUPPORT_H_
