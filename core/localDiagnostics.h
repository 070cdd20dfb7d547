#pragma once
#include <iosfwd>
#include <string>

// Where the system's own diagnostic lines go: trace lines, the lines of a failed compile
// and the message of a failed line. The console keeps them on standard output among
// everything else; a FILE or -c run sends them to standard error, so that what a program
// prints stays apart. The stream is chosen by the entry point.
std::ostream& localDiagnostics();

// Null: standard output again. Returns the stream set before (null for standard output).
std::ostream* localSetDiagnostics(std::ostream* stream);

// Trace lines and the like are dropped until another stream is set: a quiet FILE or -c
// run prints only what the user needs, and that it writes to standard error itself; the
// checker compiles without a word. Returns the stream set before, to put back.
std::ostream* localDiscardDiagnostics();

// Whether diagnostics are being dropped now.
bool localDiagnosticsDiscarded();

// A warning for the user on standard error, "localinterp: warning: TEXT" and a line end.
// Never part of what the console prints on standard output.
void localWarning(const std::string& text);
