#include "page/template_files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <initializer_list>

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

// The current folder as an absolute path, or "." when it cannot be told.
std::string currentFolder() {
  std::string folder(256, '\0');
  while (::getcwd(folder.data(), folder.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    folder.resize(folder.size() * 2);
  }
  folder.resize(folder.find('\0'));
  return folder;
}

// `folder` (a prefix of templateFolders()) as the user should read it.
std::string absoluteFolder(const std::string& folder, const std::string& current) {
  std::string path = folder.empty() || folder[0] != '/' ? withSlash(current) + folder : folder;
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
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

std::vector<std::string> missingTemplates() {
  std::vector<std::string> missing;
  for (const char* name : {kHeadTemplate, kEndTemplate, kFrameTemplate}) {
    std::ifstream in;
    if (!openTemplate(in, name)) missing.emplace_back(name);
  }
  return missing;
}

std::string notFoundLine(const std::string& name) {
  const std::string current = currentFolder();
  std::string line = "ravelink: " + name + " is in none of: ";
  bool first = true;
  for (const std::string& folder : templateFolders()) {
    line += (first ? "" : ", ") + absoluteFolder(folder, current);
    first = false;
  }
  return line;
}
