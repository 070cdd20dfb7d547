#pragma once
#include <string>

#include "transcript_format.h"

// Runs one session of a transcript (files, console input in CP866, expected output and
// files) in a fresh interpreter process in an empty directory, and reports every
// difference through GoogleTest assertions. Shared by the transcripts and the examples
// of the reference in doc/.
namespace transcript {

void runSession(const std::string& binary, const Transcript& session);

}  // namespace transcript
