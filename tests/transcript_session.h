#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "transcript_format.h"

// Runs one session of a transcript (files, console input in CP866, expected output and
// files) in a fresh interpreter process in an empty directory, and reports every
// difference through GoogleTest assertions. Shared by the transcripts and the examples
// of the reference in doc/.
namespace transcript {

void runSession(const std::string& binary, const Transcript& session);

// The files of directory whose names end in extension, sorted: one test each.
std::vector<std::string> filesEndingIn(const std::string& directory, const std::string& extension);

// A test's name made of its file's stem (characters other than letters and digits as _).
std::string testNameOfFile(const testing::TestParamInfo<std::string>& info);

}  // namespace transcript
