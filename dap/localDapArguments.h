#pragma once
// What the debug adapter reads from the client's arguments, checked: whole numbers within
// their range (never an out-of-range conversion), strings, flags, and file paths made
// absolute so that the editor's names and the program's meet.
#include <string>

#include <nlohmann/json.hpp>

namespace localDapArguments {

using json = nlohmann::json;

std::string utf8(const std::wstring& text);
// UTF-8 from the client; bytes that are not UTF-8 are taken leniently.
std::wstring wide(const std::string& bytes);

// A whole number within [low, high]; anything else throws std::invalid_argument.
long long number(const json& value, long long low, long long high);
// The same for an optional field: `absent` when it is missing or null.
long long optionalNumber(const json& object, const char* key, long long low, long long high, long long absent);
// A boolean field that is true (missing or of another type: false).
bool flag(const json& object, const char* key);
// A string field; missing or of another type throws std::invalid_argument.
std::string text(const json& object, const char* key);

std::wstring absolutePath(const std::wstring& file);

}  // namespace localDapArguments
