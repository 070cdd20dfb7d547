#pragma once
#include "app/localCommandLine.h"
#include "app/localConsoleEncoding.h"

// One run of the program after its command line is read: FILE or -c TEXT, then the
// console when there was neither or -i asked for it. Returns the exit status.
// `lineEditing` lets the console read through the line editor (a terminal is attached).
int localSessionRun(const localCommandLine::options& options, localConsoleEncoding encoding,
                    bool lineEditing);
