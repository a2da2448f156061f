#ifndef RAVELINK_PAGE_TEMPLATE_FILES_H_
#define RAVELINK_PAGE_TEMPLATE_FILES_H_

#include <fstream>
#include <string>
#include <vector>

/// The names of the templates.
inline constexpr const char* kHeadTemplate = "templateHead.tem";
inline constexpr const char* kEndTemplate = "templateEnd.tem";
inline constexpr const char* kFrameTemplate = "templateFrame.tem";

/// The folders searched for each template, in this order, each given as the
/// prefix put before a template's name:
/// - the current folder ("");
/// - "$XDG_CONFIG_HOME/ravelink/", or "$HOME/.config/ravelink/" when
///   XDG_CONFIG_HOME is unset, empty or not an absolute path (left out when
///   HOME is unset or empty too);
/// - the installed templates folder: the value of the environment variable
///   RAVELINK_INSTALLED_TEMPLATES when it is set (tests set it, so that what
///   is installed on the machine never counts; empty: no such folder), else
///   <prefix>/share/ravelink/templates of the build's install prefix.
std::vector<std::string> templateFolders();

/// Opens the template `name` from the first of templateFolders() that holds
/// it as a file that can be read (a folder by that name does not count).
/// False when none does.
bool openTemplate(std::ifstream& in, const char* name);

/// The templates that openTemplate cannot open, of the three in the order
/// head, end, frame.
std::vector<std::string> missingTemplates();

/// The line that tells where a missing template was looked for, without a
/// line feed: "ravelink: NAME is in none of: FOLDER, FOLDER" with the folders
/// of templateFolders() in order, each as an absolute path without its
/// trailing slash (a relative one is taken from the current folder).
std::string notFoundLine(const std::string& name);

#endif  // RAVELINK_PAGE_TEMPLATE_FILES_H_
