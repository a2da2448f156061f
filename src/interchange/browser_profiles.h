#ifndef RAVELINK_INTERCHANGE_BROWSER_PROFILES_H_
#define RAVELINK_INTERCHANGE_BROWSER_PROFILES_H_

#include <iosfwd>
#include <string>
#include <vector>

// The browser profiles under a home folder whose bookmarks import can read:
// Chromium-family profiles (a folder holding a Bookmarks file) and
// Firefox-family ones (listed in profiles.ini, holding places.sqlite).

struct BrowserProfile {
  std::string browser;  // "Chromium", "Chrome", "Edge", "Brave", "Firefox"
  std::string name;     // "Default", "Profile 1"; for Firefox its Name=
  std::string folder;   // the profile folder
  std::string file;     // its Bookmarks or places.sqlite
};

/// The profiles under `home`, searched in a fixed order: the Chromium
/// family's user-data folders (~/.config/chromium, google-chrome,
/// microsoft-edge, BraveSoftware/Brave-Browser, then the snap and flatpak
/// ones), each subfolder with a Bookmarks file, by name; then Firefox's
/// (~/.mozilla/firefox, then snap and flatpak), each [Profile*] section of
/// profiles.ini, in file order, whose folder holds places.sqlite. Folders
/// that cannot be read are passed over. Empty for an empty `home`.
std::vector<BrowserProfile> findBrowserProfiles(const std::string& home);

/// Writes the list, one profile a line, numbered from 1:
/// "1  Firefox, profile default-esr (~/.mozilla/firefox/x1y2.default-esr)";
/// a folder under `home` is written from "~". Control characters in names
/// are written as "?".
void listBrowserProfiles(std::ostream& out, const std::vector<BrowserProfile>& profiles,
                         const std::string& home);

#endif  // RAVELINK_INTERCHANGE_BROWSER_PROFILES_H_
