#include "interchange/chromium_import.h"

#include <istream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "interchange/browser_tree.h"

namespace {

using Json = nlohmann::json;

// The roots in the order the browser shows them, with their folders' texts.
struct RootName {
  const char* key;
  const char* text;
};
constexpr RootName kRoots[] = {
    {"bookmark_bar", "Bookmarks bar"},
    {"other", "Other bookmarks"},
    {"synced", "Mobile bookmarks"},
};
constexpr std::uint32_t kNoItem = ~std::uint32_t{0};

// The SAX handler: a stack of what each open object or array is, and what
// the value after the last key goes into.
class BookmarksWalk : public nlohmann::json_sax<Json> {
 public:
  std::vector<BrowserItem> items;
  std::uint32_t roots[std::size(kRoots)] = {kNoItem, kNoItem, kNoItem};
  bool sawRoots = false;
  bool tooDeep = false;
  std::size_t errorAt = 0;

  bool null() override { return scalar(); }
  bool boolean(bool) override { return scalar(); }
  bool number_integer(number_integer_t) override { return scalar(); }
  bool number_unsigned(number_unsigned_t) override { return scalar(); }
  bool number_float(number_float_t, const string_t&) override { return scalar(); }
  bool binary(binary_t&) override { return scalar(); }
  bool string(string_t& value) override {
    if (!frames_.empty() && frames_.back().kind == kNode) {
      BrowserItem& item = items[frames_.back().item];
      switch (next_) {
        case kName:
          item.title = std::move(value);
          break;
        case kUrl:
          item.href = std::move(value);
          break;
        case kType:
          typed_.back() = value == "url" ? kTypedUrl : value == "folder" ? kTypedFolder : kTypedOther;
          break;
        default:
          break;
      }
    }
    next_ = kIgnore;
    return true;
  }

  bool start_object(std::size_t) override {
    Frame frame{kSkip, kNoItem};
    const Frame& outer = frames_.empty() ? frame : frames_.back();
    if (frames_.empty()) {
      frame.kind = kTop;
    } else if (outer.kind == kTop && next_ == kRootsObject) {
      frame.kind = kRootsFrame;
      sawRoots = true;
    } else if ((outer.kind == kRootsFrame && next_ >= kRootSlot) || outer.kind == kChildren) {
      frame = {kNode, newItem()};
      if (outer.kind == kRootsFrame) {
        roots[next_ - kRootSlot] = frame.item;
      } else {
        items[outer.item].children.push_back(frame.item);
      }
    }
    next_ = kIgnore;
    return push(frame);
  }

  bool end_object() override {
    if (frames_.back().kind == kNode) finishItem();
    frames_.pop_back();
    return true;
  }

  bool start_array(std::size_t) override {
    Frame frame{kSkip, kNoItem};
    if (!frames_.empty() && frames_.back().kind == kNode && next_ == kChildrenArray) {
      frame = {kChildren, frames_.back().item};
    }
    next_ = kIgnore;
    return push(frame);
  }

  bool end_array() override {
    frames_.pop_back();
    return true;
  }

  bool key(string_t& name) override {
    next_ = kIgnore;
    switch (frames_.back().kind) {
      case kTop:
        if (name == "roots") next_ = kRootsObject;
        break;
      case kRootsFrame:
        for (std::size_t i = 0; i < std::size(kRoots); ++i) {
          if (name == kRoots[i].key && roots[i] == kNoItem) next_ = static_cast<Next>(kRootSlot + i);
        }
        break;
      case kNode:
        if (name == "name") next_ = kName;
        if (name == "url") next_ = kUrl;
        if (name == "type") next_ = kType;
        if (name == "children") next_ = kChildrenArray;
        break;
      default:
        break;
    }
    return true;
  }

  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    errorAt = position;
    return false;
  }

 private:
  enum Kind { kTop, kRootsFrame, kNode, kChildren, kSkip };
  enum Next : int { kIgnore, kRootsObject, kName, kUrl, kType, kChildrenArray, kRootSlot };
  enum Typed { kUntyped, kTypedUrl, kTypedFolder, kTypedOther };
  struct Frame {
    Kind kind;
    std::uint32_t item;  // the node, or for children the folder they belong to
  };

  bool scalar() {
    next_ = kIgnore;
    return true;
  }

  bool push(const Frame& frame) {
    if (frames_.size() >= kMaxJsonNesting) {
      tooDeep = true;
      return false;
    }
    frames_.push_back(frame);
    return true;
  }

  std::uint32_t newItem() {
    items.emplace_back();
    typed_.push_back(kUntyped);
    return static_cast<std::uint32_t>(items.size() - 1);
  }

  // A node is complete: a link when its type says so (or, untyped, when it
  // has a url and no children); anything else is a folder.
  void finishItem() {
    BrowserItem& item = items[frames_.back().item];
    Typed typed = typed_[frames_.back().item];
    bool link = typed == kTypedUrl || (typed != kTypedFolder && !item.href.empty() && item.children.empty());
    if (link) {
      item.kind = BrowserItem::Kind::kLink;
      item.children.clear();  // a link's stray children are no part of it
    }
  }

  std::vector<Frame> frames_;
  std::vector<Typed> typed_;
  Next next_ = kIgnore;
};

}  // namespace

std::unique_ptr<ImportRun> readChromiumBookmarks(std::istream& in) {
  BookmarksWalk walk;
  bool parsed = Json::sax_parse(in, &walk, nlohmann::detail::input_format_t::json, true);
  if (in.bad()) throw myException(Fault::kImportRead);
  if (walk.tooDeep) throw myException("import", "JSON nested too deep");
  if (!parsed) {
    throw myException("import", ("bad JSON at byte " + std::to_string(walk.errorAt)).c_str());
  }
  if (!walk.sawRoots) throw myException(Fault::kImportUnknownFormat);
  std::vector<BrowserRoot> roots;
  for (std::size_t i = 0; i < std::size(kRoots); ++i) {
    if (walk.roots[i] != kNoItem) roots.push_back({walk.roots[i], kRoots[i].text});
  }
  auto run = std::make_unique<ImportRun>();
  importBrowserRoots(walk.items, roots, *run);
  return run;
}
