#ifndef RAVELINK_TREE_TEXT_RULES_H_
#define RAVELINK_TREE_TEXT_RULES_H_

// The two rules by which ravelink reads text, the console's input and the
// tree files alike, the same on every platform: a CR byte is dropped
// wherever it stands, and a byte 0x1A ends the input as the end of a file
// does (what follows it is never read). The readers keep their own fast
// paths; these are the bytes they look for.

/// Dropped wherever it stands in text read.
constexpr char kCarriageReturn = 0x0D;
/// Ends the text read; it and everything after it are left unread.
constexpr char kEndOfInputByte = 0x1A;

#endif  // RAVELINK_TREE_TEXT_RULES_H_
