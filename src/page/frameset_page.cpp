#include "page/frameset_page.h"

#include <ostream>

#include "page/escape.h"
#include "page/template_reader.h"

namespace {

void writeFrameLine(std::ostream& out, const char* frameName, const std::string& source) {
  out << "<frame name=" << frameName << " src='";
  escapeAttribute(source.c_str(), out);
  out << "'>\n";
}

}  // namespace

void writeFramesetPage(std::istream& frameTemplate, std::ostream& out, const char* title,
                       const std::string& pageName, const std::string& defaultPage) {
  TemplateReader reader(frameTemplate);
  std::string line;
  while (reader.readLine(line)) {
    if (lineBegins(line, "<title>")) {
      writeTitleLine(out, title);
    } else if (lineBegins(line, "<frame name=frame1")) {
      writeFrameLine(out, "frame1", pageName);
    } else if (!defaultPage.empty() && lineBegins(line, "<frame name=frame2")) {
      writeFrameLine(out, "frame2", defaultPage);
    } else {
      out << line << '\n';
    }
  }
}
