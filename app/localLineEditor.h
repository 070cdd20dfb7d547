#pragma once
#include <memory>

#include "app/localConsole.h"

class localContextUTF8;

// Line editing for the console on a terminal: arrows, Home/End, history kept across
// sessions, Ctrl-R search, Tab completion of names; Ctrl-C discards the typed line,
// Ctrl-D on an empty line ends the input. Lines are UTF-8.
// Null when the program was built without the line-editing library or it is not
// installed: the console then reads plain lines.
std::unique_ptr<localConsoleInput> localMakeLineEditor(localContextUTF8& context);
