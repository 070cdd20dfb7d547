#pragma once
#include <string>

// Where the console keeps the lines typed at the prompt between sessions:
// $XDG_STATE_HOME/localinterp/history, or ~/.local/state/localinterp/history when
// XDG_STATE_HOME is unset or not an absolute path. Empty when neither is known.
std::string localHistoryFilePath(const char* stateHome, const char* home);

// The directory that must exist before anything is created for that path: $HOME, or the
// folder that holds $XDG_STATE_HOME (which may be made); empty when neither is known.
std::string localHistoryBase(const char* stateHome, const char* home);

// Creates the file's folders, and the file itself readable by its owner only, when they
// do not exist yet; but nothing at all when `base` is not an existing directory (a $HOME
// that does not exist is not made). False when that is not possible (history then lives
// for the session).
bool localPrepareHistoryFile(const std::string& path, const std::string& base);

// Appends one line at the end of the file in the editor's history format (the file's
// first line is the format's mark; blanks, backslashes and control characters are
// escaped), in one write, so that sessions open at the same time keep all their lines.
bool localAppendHistoryLine(const std::string& path, const std::string& line);
