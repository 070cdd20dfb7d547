#pragma once

// The reference pages as UTF-8, built into the program from doc/ and doc/ru/ by the
// build (CMakeLists.txt writes the file that defines them).
extern const char* const localLspFunctionsPage;
extern const char* const localLspClassesPage;
extern const char* const localLspRussianFunctionsPage;
extern const char* const localLspRussianClassesPage;
