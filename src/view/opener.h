#ifndef RAVELINK_VIEW_OPENER_H_
#define RAVELINK_VIEW_OPENER_H_

#include <string>

/// The full name of the executable file `program` in the folders of `path`
/// (a PATH value: folders joined by ':', an empty one meaning the current
/// folder), or "" when there is none.
std::string findOnPath(const std::string& program, const char* path);

/// Starts `program` with the one argument `argument`, detached: without a
/// shell, its input and output on /dev/null, in a process of its own that
/// is not waited for (and leaves no zombie behind). Returns false when no
/// process could be started; a program that fails later is not noticed.
bool startDetached(const std::string& program, const std::string& argument);

/// What the view's `o` key does with `href`: starts xdg-open on it when
/// PATH has one, and returns the status line's message.
std::string openHref(const std::string& href);

#endif  // RAVELINK_VIEW_OPENER_H_
