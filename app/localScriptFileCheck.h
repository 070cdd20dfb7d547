#pragma once
#include <string>

// Whether a file named on the command line holds program text at all. A binary file (an
// executable, an image, a UTF-16 file) would otherwise be compiled as CP1251 and its bytes
// echoed in the failure; it is refused before anything runs.
namespace localScriptFileCheck {

// Empty when `bytes` may be program text; otherwise why not, in a few words
// ("a zero byte at offset 12").
std::string whyNotText(const std::string& bytes);

// The same for the file `name`, read up to the first 64 KiB; empty when it cannot be read
// (reading it later reports that).
std::string whyFileIsNotText(const std::string& name);

}  // namespace localScriptFileCheck
