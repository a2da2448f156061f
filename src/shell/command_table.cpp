// The command table and the help command that reads it. The list lines and
// the topics are written exactly as they stand here, the blanks that end some
// lines included.
#include "shell/command_table.h"

#include <cstring>
#include <ostream>

#include "interchange/format_libraries.h"
#include "linkcheck/link_checker.h"
#include "shell/commands.h"
#include "tree/edit_history.h"
#include "view/view_screen.h"

namespace {

constexpr const char* kSaveTopic =
    "Saves the tree in a file.\n"
    "You will be prompted for the name of the file.\n"
    "\"savevcl\" supports VCL format.\n";

constexpr const char* kLoadTopic =
    "Loads a tree from a file.\n"
    "You will be prompted for the name of the file.\n"
    "\"loadvcl\" supports VCL format.\n";

// The command list is the list lines in table order, after this heading.
constexpr const char* kCommandListHeading = "Command list:\n\n";

// In the order of the command list, which is also the order in which a typed
// word and a topic are looked up. New commands go after "quit".
constexpr CommandRow kCommandTable[] = {
    {.words = {"aac"},
     .run = addChildCommand,
     .listLine = "aac - add as child",
     .topics = {"Adds a new node as a child node of the currently browsed node.\n"
                "You will be prompted to enter the text and href information \n"
                "for the node.\n"
                "NOTE: The node will be added after all existing child nodes \n"
                "of the currently browsed node.\n"},
     .changesTree = true},
    {.words = {"aann"},
     .run = addNextCommand,
     .listLine = "aann - add as the next node",
     .topics = {"Adds a new node as the next node of the currently browsed node.\n"
                "You will be prompted to enter the text and href information \n"
                "for the node.\n"
                "NOTE: The root node cannot be added brother to.\n"},
     .changesTree = true},
    {.words = {"aapn"},
     .run = addPreviousCommand,
     .listLine = "aapn - add as the previous node",
     .topics = {"Adds a new node as the previous node of the currently browsed node.\n"
                "You will be prompted to enter the text and href information \n"
                "for the node.\n"
                "NOTE: The root node cannot be added brother to.\n"},
     .changesTree = true},
    {.words = {"del"},
     .run = deleteCommand,
     .listLine = "del - delete current node",
     .topics = {"Deletes the currently browsed node.\n"
                "NOTE: The root node cannot be deleted.\n"},
     .changesTree = true},
    {.words = {"bfc"},
     .run = browseFirstChildCommand,
     .listLine = "bfc - browse first child",
     .topics = {"Locates the first child node of the currently browsed node.\n"
                "NOTE: This requires that at least one child node exists.\n"}},
    {.words = {"bnn"},
     .run = browseNextCommand,
     .listLine = "bnn - browse the next node",
     .topics = {"Locates the next node of the currently browsed node.\n"
                "NOTE: This requires the existence of the next node.\n"}},
    {.words = {"bpn"},
     .run = browsePreviousCommand,
     .listLine = "bpn - browse the previous node",
     .topics = {"Locates the previous node of the currently browsed node.\n"
                "NOTE: This requires the existence of the previous node.\n"}},
    {.words = {"bparn"},
     .run = browseParentCommand,
     .listLine = "bparn - browse the parent node",
     .topics = {"Locates the parent node of the currently browsed node.\n"
                "NOTE: This requires the existence of the parent node.\n"}},
    {.words = {"list"},
     .run = listCommand,
     .listLine = "list - list the tree",
     .topics = {"Lists the tree.\n"}},
    {.words = {"getinfo"},
     .run = getInfoCommand,
     .listLine = "getinfo - show current node information (text and hyper reference)",
     .topics = {"Shows the text and the href of the currently browsed node.\n"}},
    {.words = {"settext"},
     .run = setTextCommand,
     .listLine = "settext - set current node text",
     .topics = {"Shows the text of the currently browsed node and lets you modify it.\n"},
     .changesTree = true},
    {.words = {"sethref"},
     .run = setHrefCommand,
     .listLine = "sethref - set current node href",
     .topics = {"Shows the href of the currently browsed node and lets you modify it.\n"},
     .changesTree = true},
    {.words = {"setprefix"},
     .run = setPrefixCommand,
     .listLine = "setprefix - set hyper reference prefix",
     .topics =
         {"Shows and lets you set the href prefix.\n"
          "NOTE: The prefix will be automatically added every time you create a new node.\n"},
     .changesTree = true},
    {.words = {"setsuffix"},
     .run = setSuffixCommand,
     .listLine = "setsuffix - set hyper reference suffix",
     .topics =
         {"Shows and lets you set the href suffix.\n"
          "NOTE: The suffix will be automatically added every time you create a new node.\n"},
     .changesTree = true},
    {.words = {"setbu"},
     .run = setBaseUrlCommand,
     .listLine = "setbu - set base URL",
     .topics = {"Shows and lets you set the base URL.\n"
                "NOTE: The base URL will affect all hyper references in the whole document.\n"
                "It will be a virtual prefix to all hyper references in the document.\n"},
     .changesTree = true},
    {.words = {"setbt"},
     .run = setBaseTargetCommand,
     .listLine = "setbt - set base target",
     .topics = {"Shows and lets you set the base target.\n"
                "NOTE: The base target will affect all <A> tags in the document.\n"
                "It will make hyper links opened in the target window by default.\n"},
     .changesTree = true},
    {.words = {"save", "savevcl"},
     .run = saveCommand,
     .listLine = "save/savevcl - save the tree in a file",
     .topics = {kSaveTopic, kSaveTopic}},
    {.words = {"load", "loadvcl"},
     .run = loadCommand,
     .listLine = "load/loadvcl - load a tree from a file",
     .topics = {kLoadTopic, kLoadTopic},
     .changesTree = true},
    {.words = {"zap"},
     .run = zapCommand,
     .listLine = "zap - delete the whole tree",
     .topics = {"Deletes the whole tree.\n"},
     .changesTree = true},
    {.words = {"push"},
     .run = pushCommand,
     .listLine = "push - push the active node into the stack",
     .topics = {"Pushes the current active node into the stack.\n"}},
    {.words = {"pop"},
     .run = popCommand,
     .listLine = "pop - pop one active node from the stack",
     .pauseAfter = true,
     .topics = {"Pops previously pushed active node from the stack.\n"}},
    {.words = {"copy"},
     .run = copyCommand,
     .listLine = "copy - copy the active node to the clipboard",
     .topics = {"Copies the active node to the clipboard.\n"}},
    {.words = {"pasbef"},
     .run = pasteBeforeCommand,
     .listLine = "pasbef - paste the node in the clipboard before the current",
     .topics = {"Pastes the node in the clipboard before the current.\n"},
     .changesTree = true},
    {.words = {"pasaft"},
     .run = pasteAfterCommand,
     .listLine = "pasaft - paste the node in the clipboard after the current",
     .topics = {"Pastes the node in the clipboard after the current.\n"},
     .changesTree = true},
    {.words = {"paschd"},
     .run = pasteChildCommand,
     .listLine = "paschd - paste the node in the clipboard as a child",
     .topics = {"Pastes the node in the clipboard as a child of the current.\n"},
     .changesTree = true},
    {.words = {"setwp1"},
     .run = setWorkPlace1Command,
     .listLine = "setwp1/setwp2 - set working place 1 / 2",
     .topics = {"Saves current working place in wp1.\n"}},
    {.words = {"setwp2"},
     .run = setWorkPlace2Command,
     .topics = {"Saves current working place in wp2.\n"}},
    {.words = {"gotowp1"},
     .run = gotoWorkPlace1Command,
     .listLine = "gotowp1/gotowp2 - go to working place 1 / 2",
     .topics = {"Goes to working place 1.\n"}},
    {.words = {"gotowp2"}, .run = gotoWorkPlace2Command, .topics = {"Goes to working place 2.\n"}},
    {.words = {"move12"},
     .run = move12Command,
     .listLine = "move12 - moves a node from wp1 to wp2",
     .topics = {"Moves a node in from wp1 to wp2.\n"
                "It is a batch of gotowp1, copy, gotowp2, pasaft, gotowp1, del\n"},
     .changesTree = true},
    {.words = {"sample"},
     .run = sampleCommand,
     .listLine = "sample - create a sample tree",
     .topics = {"Creates a sample tree. All information in the tree you are editing will be\n"
                "cleared.\n"},
     .changesTree = true},
    {.words = {"setcss"},
     .run = setCssCommand,
     .listLine = "setcss - sets the style table",
     .topics = {"Sets the style table for the web page\n"},
     .changesTree = true},
    {.words = {"setusingpara"},
     .run = setUsingParaCommand,
     .listLine = "setusingpara - choose whether to use <p> or <div>",
     .topics = {"Sets whether the program uses <p> or <div> as default tags.\n"},
     .changesTree = true},
    {.words = {"help", "?"},
     .run = helpCommand,
     .listLine = "help / ? - display help information",
     .topics = {"Displays helpful information.\n"
                "You can use it in the format \"help <command>\".\n"}},
    {.words = {"quit"}, .run = quitCommand, .listLine = "quit - quit"},
    {.words = {"import"},
     .run = importCommand,
     .listLine = "import - add the links of a browser's bookmark file or an OPML file",
     .topics = {"Adds the links of a bookmark file exported by a web browser, of an\n"
                "OPML file, or of a browser profile's own Bookmarks or places.sqlite,\n"
                "as the last children of the current node.\n"
                "You will be prompted for the name of the file; its format is found\n"
                "from its content. An empty name lists the browser profiles found in\n"
                "your home folder and asks which one to import.\n"
                "Folders become nodes with their links below them. Links the folder\n"
                "they go into holds already are not added again, and a folder of the\n"
                "same text there is merged into.\n"
                "The root of an empty tree takes the file's title.\n"
                "A report follows: what was read, and everything left out or cut.\n"
                "Script, data and too long hrefs are never imported; they are listed.\n"},
     .missingLibrary = kImportMissingLibrary,
     .changesTree = true},
    {.words = {"export"},
     .run = exportCommand,
     .listLine = "export - write the tree as a bookmark file, OPML or Markdown",
     .topics = {"Writes the whole tree to a file other programs read.\n"
                "You will be prompted for the name of the file; its ending chooses the format:\n"
                ".html or .htm  a bookmark file, which every browser imports\n"
                ".opml          OPML, for outliners and feed readers\n"
                ".md            a Markdown list\n"
                "The root's text is the title. In a bookmark file a node with children or\n"
                "without an href is a folder; the href of a node with children is the\n"
                "folder's first link.\n"}},
    {.words = {"find"},
     .run = findNodeCommand,
     .listLine = "find - find a node by its text or href",
     .topics = {"Finds the next node whose text or href contains what you type.\n"
                "The search starts after the current node, goes on through the whole tree\n"
                "and comes back round to it; the case of the letters A to Z is ignored. The\n"
                "node found becomes current and its path is shown. An empty answer repeats\n"
                "the last search.\n"}},
    {.words = {"view"},
     .run = viewCommand,
     .listLine = "view - see the tree on the whole screen",
     .topics = {"Shows the tree on the whole screen (at a terminal).\n"
                "Up/Down or k/j move, Right or l opens a folded node or goes to its first\n"
                "child, Left or h folds a node or goes to its parent, PgUp/PgDn/Home/End\n"
                "move further. / finds like find, n finds again, o opens the link with\n"
                "xdg-open. Enter makes the highlighted node current; q, Escape or Ctrl-C\n"
                "go back without changing it.\n"},
     .missingLibrary = kHaveFullScreenView ? nullptr : "ncurses"},
    {.words = {"check"},
     .run = checkCommand,
     .listLine = "check - check the links below the current node for dead ones",
     .topics = {"Checks every http and https link in the subtree of the current node\n"
                "(at the root: the whole tree), many at once, and reports the ones that\n"
                "are not fine: dead (4xx or 5xx), moved permanently, or failed (timed out,\n"
                "no such host, connection refused, too many redirects, a redirect loop,\n"
                "a TLS error). Relative hrefs are resolved against the base URL when it\n"
                "is http or https. Each line gives the node's path, its href and what\n"
                "happened; a summary follows. Then, when links moved permanently, it\n"
                "offers to change their absolute hrefs to the new addresses (one undo step).\n"
                "At a terminal a status line shows the progress, and Ctrl-C stops the\n"
                "check and reports what was checked so far.\n"},
     .missingLibrary = kHaveLinkChecker ? nullptr : "libcurl",
     .changesTree = true},
    {.words = {"undo"},
     .run = undoCommand,
     .listLine = "undo - undo the last change",
     .topics = {"Undoes the last command that changed the tree or a setting: the tree,\n"
                "the settings and the current node become as they were before it. Nodes\n"
                "it deleted come back as they were, and the stack, the clipboard and the\n"
                "working places find them again. Can be repeated, back to the start of\n"
                "the session or as far as the history keeps (at least 64 MiB of changes).\n"}},
    {.words = {"redo"},
     .run = redoCommand,
     .listLine = "redo - redo the change undone last",
     .topics = {"Does again the change undone last, without asking anything or reading\n"
                "any file again. A new change after an undo ends what can be redone.\n"}},
    {.words = {"dupes"},
     .run = dupesCommand,
     .listLine = "dupes - list the links filed more than once",
     .topics = {"Lists every link that more than one node holds in the subtree of the\n"
                "current node (at the root: the whole tree), with the path of each node.\n"
                "Two hrefs are one link when they differ only in the case of the scheme\n"
                "and the host, a default port (80, 443) or an empty path; http and https\n"
                "are different links. Then it offers to delete the later copies: every\n"
                "node but the first of each link, except a node with children. The\n"
                "deletion is one change for undo.\n"},
     .changesTree = true},
    {.words = {"sort"},
     .run = sortCommand,
     .listLine = "sort - sort the children of the current node",
     .topics = {"Sorts the children of the current node: nodes with children first, then\n"
                "the others, each by text (A to Z without regard to case). Their own\n"
                "children keep their order. One change for undo.\n"},
     .changesTree = true},
};

}  // namespace

std::span<const CommandRow> commandTable() { return kCommandTable; }

const CommandRow* findCommand(std::string_view word) {
  for (const CommandRow& row : kCommandTable) {
    for (const char* rowWord : row.words) {
      if (rowWord != nullptr && rowWord == word) return &row;
    }
  }
  return nullptr;
}

const char* findTopic(std::string_view word) {
  for (const CommandRow& row : kCommandTable) {
    for (std::size_t i = 0; i < CommandRow::kMaxWords; ++i) {
      if (row.words[i] != nullptr && row.topics[i] != nullptr && row.words[i] == word) {
        return row.topics[i];
      }
    }
  }
  return nullptr;
}

void runStep(Shell& shell, const CommandRow& row) {
  if (!row.changesTree || shell.history == nullptr || row.missingLibrary != nullptr) {
    runCommand(shell, row);
    return;
  }
  // The word lives in the table, as long as the history.
  const char* word = row.words[0];
  for (const char* rowWord : row.words) {
    if (rowWord != nullptr && std::strcmp(rowWord, shell.word) == 0) word = rowWord;
  }
  shell.history->beginStep(word);
  try {
    row.run(shell);
  } catch (...) {
    shell.history->endStep();
    throw;
  }
  shell.history->endStep();
}

void runCommand(Shell& shell, const CommandRow& row) {
  if (row.missingLibrary != nullptr) {
    shell.out() << "This build has no " << row.missingLibrary << ": \"" << shell.word
                << "\" is not available.\n";
    return;
  }
  row.run(shell);
}

// "help" alone writes the command list; "help WORD" that word's topic. Only
// the word right after the command counts; the rest of the line is ignored.
void helpCommand(Shell& shell) {
  char topic[Shell::kLineSize];
  try {
    shell.words.wCaseOutputStr(topic);
  } catch (const myException&) {
    shell.out() << kCommandListHeading;
    for (const CommandRow& row : kCommandTable) {
      if (row.listLine != nullptr) shell.out() << row.listLine << '\n';
      if (row.pauseAfter && !morePause(shell.console)) return;
    }
    return;
  }
  if (const char* text = findTopic(topic)) {
    shell.out() << text;
  } else {
    shell.out() << "There is not such a command that matchs your request.\n";
  }
}
