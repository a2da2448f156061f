// Opening a link in the desktop's browser, as the view's `o` key does.
#include "view/opener.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

std::string findOnPath(const std::string& program, const char* path) {
  if (path == nullptr || program.empty()) return "";
  const std::string folders = path;
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + program;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return "";
}

bool startDetached(const std::string& program, const std::string& argument) {
  // Prepared before fork: the child does nothing but system calls.
  const char* const args[] = {program.c_str(), argument.c_str(), nullptr};
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    // The child starts the program in a grandchild and ends at once, so
    // the program belongs to init and never waits on us, nor we on it.
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild > 0 ? 0 : 1);
    setsid();
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      if (null > STDERR_FILENO) close(null);
    }
    execv(args[0], const_cast<char* const*>(args));
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string openHref(const std::string& href) {
  if (href.empty()) return "no href to open";
  const std::string opener = findOnPath("xdg-open", std::getenv("PATH"));
  if (opener.empty()) return "no xdg-open to open links with";
  if (!startDetached(opener, href)) return "could not start xdg-open";
  return "opening " + href;
}
