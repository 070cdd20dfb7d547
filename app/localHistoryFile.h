#pragma once
#include <string>

// Where the console keeps the lines typed at the prompt between sessions:
// $XDG_STATE_HOME/localinterp/history, or ~/.local/state/localinterp/history when
// XDG_STATE_HOME is unset or not an absolute path. Empty when neither is known.
std::string localHistoryFilePath(const char* stateHome, const char* home);

// Creates the file's folder, and the file itself readable by its owner only, when they
// do not exist yet. False when that is not possible (history then lives for the session).
bool localPrepareHistoryFile(const std::string& path);
