// The help command: the command list, paged in two parts, and one text per
// command word. Texts are written exactly as they stand here, the blanks
// that end some lines included.
#include <cstring>
#include <ostream>

#include "shell/commands.h"

namespace {

constexpr const char* kCommandListFirst =
    "Command list:\n"
    "\n"
    "aac - add as child\n"
    "aann - add as the next node\n"
    "aapn - add as the previous node\n"
    "del - delete current node\n"
    "bfc - browse first child\n"
    "bnn - browse the next node\n"
    "bpn - browse the previous node\n"
    "bparn - browse the parent node\n"
    "list - list the tree\n"
    "getinfo - show current node information (text and hyper reference)\n"
    "settext - set current node text\n"
    "sethref - set current node href\n"
    "setprefix - set hyper reference prefix\n"
    "setsuffix - set hyper reference suffix\n"
    "setbu - set base URL\n"
    "setbt - set base target\n"
    "save/savevcl - save the tree in a file\n"
    "load/loadvcl - load a tree from a file\n"
    "zap - delete the whole tree\n"
    "push - push the active node into the stack\n"
    "pop - pop one active node from the stack\n";

constexpr const char* kCommandListSecond =
    "copy - copy the active node to the clipboard\n"
    "pasbef - paste the node in the clipboard before the current\n"
    "pasaft - paste the node in the clipboard after the current\n"
    "paschd - paste the node in the clipboard as a child\n"
    "setwp1/setwp2 - set working place 1 / 2\n"
    "gotowp1/gotowp2 - go to working place 1 / 2\n"
    "move12 - moves a node from wp1 to wp2\n"
    "sample - create a sample tree\n"
    "setcss - sets the style table\n"
    "setusingpara - choose whether to use <p> or <div>\n"
    "help / ? - display help information\n"
    "quit - quit\n"
    "import - add the links of a browser's bookmark file or an OPML file\n";

struct Topic {
  const char* word;
  const char* otherWord;  // a second word for the same text, or nullptr
  const char* text;
};

// In the order in which a topic is compared.
constexpr Topic kTopics[] = {
    {"aac", nullptr,
     "Adds a new node as a child node of the currently browsed node.\n"
     "You will be prompted to enter the text and href information \n"
     "for the node.\n"
     "NOTE: The node will be added after all existing child nodes \n"
     "of the currently browsed node.\n"},
    {"aann", nullptr,
     "Adds a new node as the next node of the currently browsed node.\n"
     "You will be prompted to enter the text and href information \n"
     "for the node.\n"
     "NOTE: The root node cannot be added brother to.\n"},
    {"aapn", nullptr,
     "Adds a new node as the previous node of the currently browsed node.\n"
     "You will be prompted to enter the text and href information \n"
     "for the node.\n"
     "NOTE: The root node cannot be added brother to.\n"},
    {"del", nullptr,
     "Deletes the currently browsed node.\n"
     "NOTE: The root node cannot be deleted.\n"},
    {"bfc", nullptr,
     "Locates the first child node of the currently browsed node.\n"
     "NOTE: This requires that at least one child node exists.\n"},
    {"bnn", nullptr,
     "Locates the next node of the currently browsed node.\n"
     "NOTE: This requires the existence of the next node.\n"},
    {"bpn", nullptr,
     "Locates the previous node of the currently browsed node.\n"
     "NOTE: This requires the existence of the previous node.\n"},
    {"bparn", nullptr,
     "Locates the parent node of the currently browsed node.\n"
     "NOTE: This requires the existence of the parent node.\n"},
    {"list", nullptr,
     "Lists the tree.\n"},
    {"getinfo", nullptr,
     "Shows the text and the href of the currently browsed node.\n"},
    {"settext", nullptr,
     "Shows the text of the currently browsed node and lets you modify it.\n"},
    {"sethref", nullptr,
     "Shows the href of the currently browsed node and lets you modify it.\n"},
    {"setprefix", nullptr,
     "Shows and lets you set the href prefix.\n"
     "NOTE: The prefix will be automatically added every time you create a new node.\n"},
    {"setsuffix", nullptr,
     "Shows and lets you set the href suffix.\n"
     "NOTE: The suffix will be automatically added every time you create a new node.\n"},
    {"setbu", nullptr,
     "Shows and lets you set the base URL.\n"
     "NOTE: The base URL will affect all hyper references in the whole document.\n"
     "It will be a virtual prefix to all hyper references in the document.\n"},
    {"setbt", nullptr,
     "Shows and lets you set the base target.\n"
     "NOTE: The base target will affect all <A> tags in the document.\n"
     "It will make hyper links opened in the target window by default.\n"},
    {"save", "savevcl",
     "Saves the tree in a file.\n"
     "You will be prompted for the name of the file.\n"
     "\"savevcl\" supports VCL format.\n"},
    {"load", "loadvcl",
     "Loads a tree from a file.\n"
     "You will be prompted for the name of the file.\n"
     "\"loadvcl\" supports VCL format.\n"},
    {"zap", nullptr,
     "Deletes the whole tree.\n"},
    {"help", nullptr,
     "Displays helpful information.\n"
     "You can use it in the format \"help <command>\".\n"},
    {"push", nullptr,
     "Pushes the current active node into the stack.\n"},
    {"pop", nullptr,
     "Pops previously pushed active node from the stack.\n"},
    {"copy", nullptr,
     "Copies the active node to the clipboard.\n"},
    {"pasbef", nullptr,
     "Pastes the node in the clipboard before the current.\n"},
    {"pasaft", nullptr,
     "Pastes the node in the clipboard after the current.\n"},
    {"paschd", nullptr,
     "Pastes the node in the clipboard as a child of the current.\n"},
    {"setwp1", nullptr,
     "Saves current working place in wp1.\n"},
    {"setwp2", nullptr,
     "Saves current working place in wp2.\n"},
    {"gotowp1", nullptr,
     "Goes to working place 1.\n"},
    {"gotowp2", nullptr,
     "Goes to working place 2.\n"},
    {"move12", nullptr,
     "Moves a node in from wp1 to wp2.\n"
     "It is a batch of gotowp1, copy, gotowp2, pasaft, gotowp1, del\n"},
    {"sample", nullptr,
     "Creates a sample tree. All information in the tree you are editing will be\n"
     "cleared.\n"},
    {"setcss", nullptr,
     "Sets the style table for the web page\n"},
    {"setusingpara", nullptr,
     "Sets whether the program uses <p> or <div> as default tags.\n"},
    {"import", nullptr,
     "Adds the links of a bookmark file exported by a web browser, or of an\n"
     "OPML file, as the last children of the current node.\n"
     "You will be prompted for the name of the file; its format is found\n"
     "from its content. Folders become nodes with their links below them.\n"
     "The root of an empty tree takes the file's title.\n"
     "A report follows: what was read, and everything left out or cut.\n"
     "Script, data and too long hrefs are never imported; they are listed.\n"},
};

const Topic* findTopic(const char* word) {
  for (const Topic& topic : kTopics) {
    if (std::strcmp(topic.word, word) == 0) return &topic;
    if (topic.otherWord != nullptr && std::strcmp(topic.otherWord, word) == 0) return &topic;
  }
  return nullptr;
}

}  // namespace

// "help" alone writes the command list; "help WORD" that word's text. Only
// the word right after the command counts; the rest of the line is ignored.
void helpCommand(Shell& shell) {
  char topic[Shell::kLineSize];
  try {
    shell.words.wCaseOutputStr(topic);
  } catch (const myException&) {
    shell.out() << kCommandListFirst;
    if (morePause(shell.console)) shell.out() << kCommandListSecond;
    return;
  }
  if (const Topic* found = findTopic(topic)) {
    shell.out() << found->text;
  } else {
    shell.out() << "There is not such a command that matchs your request.\n";
  }
}
