#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// The pieces of the command-processor stand-in.
namespace localPlatform {

// Lists a directory, folders first, each group sorted by name, then a count line.
// Returns 0, or 1 when the directory cannot be read (the reason is printed).
int listDirectory(std::ostream& out, const std::filesystem::path& directory);

// Runs `/bin/sh -c script sh arguments...` and waits for it. With a terminal the child
// shares it; without one the child reads /dev/null, its standard output is copied to
// std::cout and its error output goes to ours. Returns the exit status, or -1 when it
// could not start.
int runShellCommand(const std::string& script, const std::vector<std::string>& arguments, bool terminal);

// Opens FILE for editing: the user's editor on a terminal here, the editor pane in the
// browser build. Returns 0 when it was opened.
int openEditor(const std::string& fileName);

// Runs an external command line (an empty one opens an interactive shell where there is
// one). Returns its exit status, or nonzero when it could not run.
int runCommand(const std::string& command);

}  // namespace localPlatform
