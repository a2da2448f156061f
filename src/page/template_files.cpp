#include "page/template_files.h"

#include <cstdlib>

// The build defines the installed folder from its install prefix; a build
// outside CMake (the fuzz targets) has none.
#ifndef RAVELINK_TEMPLATE_DIR
#define RAVELINK_TEMPLATE_DIR ""
#endif

namespace {

// The value of an environment variable, or "" when it is unset.
std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::vector<std::string> templateFolders() {
  std::vector<std::string> folders{""};
  const std::string config = environment("XDG_CONFIG_HOME");
  const std::string home = environment("HOME");
  if (!config.empty() && config[0] == '/') {
    folders.push_back(withSlash(config) + "ravelink/");
  } else if (!home.empty()) {
    folders.push_back(withSlash(home) + ".config/ravelink/");
  }
  const char* installed = std::getenv("RAVELINK_INSTALLED_TEMPLATES");
  const std::string folder = installed != nullptr ? installed : RAVELINK_TEMPLATE_DIR;
  if (!folder.empty()) folders.push_back(withSlash(folder));
  return folders;
}

bool openTemplate(std::ifstream& in, const char* name) {
  for (const std::string& folder : templateFolders()) {
    std::ifstream candidate(folder + name);
    candidate.peek();  // a folder opens, but cannot be read
    if (candidate.is_open() && !candidate.bad()) {
      in = std::move(candidate);
      return true;
    }
  }
  return false;
}
