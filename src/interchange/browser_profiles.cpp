#include "interchange/browser_profiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct Place {
  const char* folder;  // under the home folder
  const char* browser;
};

constexpr Place kChromiumPlaces[] = {
    {".config/chromium", "Chromium"},
    {".config/google-chrome", "Chrome"},
    {".config/microsoft-edge", "Edge"},
    {".config/BraveSoftware/Brave-Browser", "Brave"},
    {"snap/chromium/common/chromium", "Chromium"},
    {".var/app/org.chromium.Chromium/config/chromium", "Chromium"},
    {".var/app/com.google.Chrome/config/google-chrome", "Chrome"},
};

constexpr Place kFirefoxPlaces[] = {
    {".mozilla/firefox", "Firefox"},
    {"snap/firefox/common/.mozilla/firefox", "Firefox"},
    {".var/app/org.mozilla.firefox/.mozilla/firefox", "Firefox"},
};

bool isRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

void addChromiumProfiles(const fs::path& place, const char* browser,
                         std::vector<BrowserProfile>& profiles) {
  std::error_code error;
  std::vector<BrowserProfile> found;
  for (fs::directory_iterator entry(place, error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path bookmarks = entry->path() / "Bookmarks";
    if (!isRegularFile(bookmarks)) continue;
    found.push_back({browser, entry->path().filename().string(), entry->path().string(),
                     bookmarks.string()});
  }
  std::sort(found.begin(), found.end(),
            [](const BrowserProfile& a, const BrowserProfile& b) { return a.name < b.name; });
  profiles.insert(profiles.end(), found.begin(), found.end());
}

// One [Profile*] section of profiles.ini.
struct IniProfile {
  std::string name;
  std::string path;
  std::string relative;  // IsRelative=, "" when absent
};

void addFirefoxProfile(const fs::path& place, const char* browser, const IniProfile& entry,
                       std::vector<BrowserProfile>& profiles) {
  if (entry.path.empty()) return;
  bool relative = entry.relative.empty() ? entry.path[0] != '/' : entry.relative != "0";
  fs::path folder = relative ? place / entry.path : fs::path(entry.path);
  if (!isRegularFile(folder / "places.sqlite")) return;
  std::string name = entry.name.empty() ? folder.filename().string() : entry.name;
  profiles.push_back({browser, name, folder.string(), (folder / "places.sqlite").string()});
}

void addFirefoxProfiles(const fs::path& place, const char* browser,
                        std::vector<BrowserProfile>& profiles) {
  std::ifstream ini(place / "profiles.ini");
  if (!ini) return;
  std::string line;
  bool inProfile = false;
  IniProfile entry;
  while (std::getline(ini, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      if (inProfile) addFirefoxProfile(place, browser, entry, profiles);
      inProfile = line.rfind("[Profile", 0) == 0;
      entry = {};
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inProfile || equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "Name") entry.name = value;
    if (key == "Path") entry.path = value;
    if (key == "IsRelative") entry.relative = value;
  }
  if (inProfile) addFirefoxProfile(place, browser, entry, profiles);
}

void writePrintable(std::ostream& out, const std::string& text) {
  for (char c : text)
    out << (static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
}

}  // namespace

std::vector<BrowserProfile> findBrowserProfiles(const std::string& home) {
  std::vector<BrowserProfile> profiles;
  if (home.empty()) return profiles;
  for (const Place& place : kChromiumPlaces)
    addChromiumProfiles(fs::path(home) / place.folder, place.browser, profiles);
  for (const Place& place : kFirefoxPlaces)
    addFirefoxProfiles(fs::path(home) / place.folder, place.browser, profiles);
  return profiles;
}

void listBrowserProfiles(std::ostream& out, const std::vector<BrowserProfile>& profiles,
                         const std::string& home) {
  std::string prefix = home;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    const BrowserProfile& profile = profiles[i];
    out << i + 1 << "  " << profile.browser << ", profile ";
    writePrintable(out, profile.name);
    out << " (";
    const bool underHome =
        !home.empty() && profile.folder.compare(0, prefix.size(), prefix) == 0;
    writePrintable(out, underHome ? "~/" + profile.folder.substr(prefix.size()) : profile.folder);
    out << ")\n";
  }
}
