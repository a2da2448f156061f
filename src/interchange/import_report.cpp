#include "interchange/import_report.h"

#include <ostream>

#include "base/counts.h"
#include "tree/text_field.h"

namespace {

// A skipped href is listed whole up to this many bytes: enough to tell the
// link, and a hostile file's megabyte href does not flood the terminal.
constexpr std::size_t kListedHrefBytes = 200;

static_assert(kMaxImportedFolderLevel == 1000, "the report line below names the level");

// The report line of each kind of loss, in the order printed.
struct LossLine {
  Loss loss;
  const char* text;
};

constexpr LossLine kLossLines[] = {
    {Loss::kScriptHref, "Links skipped, script or data href (listed below): "},
    {Loss::kLongHref, "Links skipped, href longer than 127 bytes (listed below): "},
    {Loss::kTrackingHref, "Links shortened by removing tracking parameters: "},
    {Loss::kNoHref, "Links skipped, no href (listed below): "},
    {Loss::kBrowserHref, "Links skipped, browser-internal href (place:, about:, ...): "},
    {Loss::kDeepFolders, "Folders deeper than 1000 levels, flattened: "},
    {Loss::kTextCut, "Texts cut to 63 bytes: "},
    {Loss::kHostAsText, "Links without a title, named after their host: "},
    {Loss::kControlBytes, "Texts and hrefs with control characters dropped: "},
    {Loss::kSeparators, "Separators dropped: "},
    {Loss::kDates, "Dates dropped: "},
    {Loss::kIcons, "Icons dropped: "},
    {Loss::kTags, "Tags dropped: "},
    {Loss::kKeywords, "Keywords dropped: "},
    {Loss::kDescriptions, "Descriptions dropped: "},
    {Loss::kToolbarFlags, "Toolbar and folder flags dropped: "},
    {Loss::kOtherAttributes, "Other attributes dropped: "},
};

const char* reasonText(Loss reason) {
  switch (reason) {
    case Loss::kScriptHref:
      return "script or data href";
    case Loss::kLongHref:
      return "href longer than 127 bytes";
    default:
      return "no href";
  }
}

}  // namespace

void ImportReport::skip(Loss reason, std::string href, std::string folder) {
  count(reason);
  skipped_.push_back({std::move(href), std::move(folder), reason});
}

void ImportReport::print(std::ostream& out) const {
  out << "Imported " << countOf(static_cast<std::size_t>(links), "link", "links") << " and "
      << countOf(static_cast<std::size_t>(folders), "folder", "folders") << ".\n";
  if (alreadyHere > 0) {
    out << "Already here, not added again: "
        << countOf(static_cast<std::size_t>(alreadyHere), "link", "links") << ".\n";
  }
  for (const LossLine& line : kLossLines) {
    if (counted(line.loss) != 0) out << line.text << counted(line.loss) << '\n';
  }
  if (linkTagsInFile >= 0 && linkTagsInFile != linkTagsRead) {
    out << "Links in the file: " << linkTagsInFile << ", read: " << linkTagsRead
        << " (a raw <!--, <script> or <style> in a title hides what follows it)\n";
  }
  if (escapedAmpersands != 0) {
    out << "Not well-formed XML: read again with " << escapedAmpersands << " raw & escaped\n";
  }
  if (skipped_.empty()) return;
  out << "Skipped links:\n";
  for (const SkippedLink& link : skipped_) {
    std::size_t shown = utf8CutLength(link.href.data(), link.href.size(), kListedHrefBytes);
    out << "  ";
    out.write(link.href.data(), static_cast<std::streamsize>(shown));
    if (shown < link.href.size()) out << "...";
    out << " (in " << (link.folder.empty() ? "the top level" : link.folder) << ": "
        << reasonText(link.reason) << ")\n";
  }
}
