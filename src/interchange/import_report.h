#ifndef RAVELINK_INTERCHANGE_IMPORT_REPORT_H_
#define RAVELINK_INTERCHANGE_IMPORT_REPORT_H_

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

/// The deepest level below the node imported into at which an import
/// creates a folder (the top-level items are at level 1). The items of a
/// folder deeper in the file go into the folder at this level: a page
/// nests a block per level, so 10,000 levels made one of 200 MB.
inline constexpr std::size_t kMaxImportedFolderLevel = 1000;

/// Everything an import did not carry over whole, by kind.
enum class Loss {
  kScriptHref,    // link skipped and listed: javascript:, vbscript:, data:
  kLongHref,      // link skipped and listed: href over 127 bytes (never cut)
  kTrackingHref,  // href over 127 bytes kept whole once its tracking parameters went
  kNoHref,        // link skipped and listed: no href at all
  kBrowserHref,   // link skipped and counted: place:, about:, chrome: ...
  kDeepFolders,   // folders below the deepest level, their items kept one level up
  kTextCut,       // text cut to 63 bytes
  kHostAsText,    // link without a title, named after its host
  kControlBytes,  // control characters dropped from a text or an href
  kSeparators,
  kDates,
  kIcons,
  kTags,
  kKeywords,
  kDescriptions,
  kToolbarFlags,     // toolbar, unfiled and folded flags of folders
  kOtherAttributes,  // any other attribute of a link or a folder
  kLossCount,
};

/// A link an import left out, as the report lists it.
struct SkippedLink {
  std::string href;    // whole, however long
  std::string folder;  // "Bar > Tools"; empty at the top level
  Loss reason;
};

/// What one import read and what it lost; printed after the import.
class ImportReport {
 public:
  void count(Loss loss, std::int64_t n = 1) { counts_[static_cast<int>(loss)] += n; }
  std::int64_t counted(Loss loss) const { return counts_[static_cast<int>(loss)]; }
  /// Counts the skip and lists the link.
  void skip(Loss reason, std::string href, std::string folder);

  std::int64_t links = 0;    // nodes made from links
  std::int64_t folders = 0;  // nodes made from folders
  /// Links not added again: the folder they went into held them already.
  std::int64_t alreadyHere = 0;
  /// Bookmark files: the "<A" tags counted in the raw bytes and the links
  /// the parser gave; a difference means part of the file was not read.
  std::int64_t linkTagsInFile = -1;
  std::int64_t linkTagsRead = 0;
  /// OPML: the raw "&" escaped to read a file that was not well-formed.
  std::int64_t escapedAmpersands = 0;

  const std::vector<SkippedLink>& skipped() const { return skipped_; }

  /// Writes "Imported N links and M folders." (see base/counts.h), then
  /// "Already here, not added again: N links." when there were any, then a line per kind of loss
  /// with its count, then every listed link with its folder and reason (an
  /// href of more than 200 bytes cut there, on a character boundary, and
  /// followed by "...").
  void print(std::ostream& out) const;

 private:
  std::int64_t counts_[static_cast<int>(Loss::kLossCount)] = {};
  std::vector<SkippedLink> skipped_;
};

#endif  // RAVELINK_INTERCHANGE_IMPORT_REPORT_H_
