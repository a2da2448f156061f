#include "page/template_reader.h"

#include <istream>
#include <ostream>

#include "page/escape.h"

bool TemplateReader::readLine(std::string& line) {
  line.clear();
  if (done_) return false;
  if (!std::getline(in_, line)) {
    // Nothing was left: the end of the template is this last, empty piece.
    done_ = true;
    return true;
  }
  if (in_.eof()) {
    done_ = true;  // the template did not end with a line break
  } else if (!line.empty() && line.back() == '\r') {
    line.pop_back();  // a CR LF line end is one line break
  }
  return true;
}

bool lineBegins(const std::string& line, const char* prefix) {
  constexpr std::size_t kProbeLength = 31;
  std::size_t i = 0;
  for (; prefix[i] != '\0'; ++i) {
    if (i >= kProbeLength || i >= line.size()) return false;
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

void writeTitleLine(std::ostream& out, const char* title) {
  out << "<title>";
  escapeText(title, out);
  out << "</title>\n";
}
