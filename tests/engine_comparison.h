#pragma once
// For comparing two runs of one program (the two engines): the variables of a context as
// text, and printed text with the addresses of objects masked, as those differ from run
// to run.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "context/localContextUTF8.h"
#include "text/localString.h"

namespace testSupport {

// "0x" and the hexadecimal digits after it become "0x?".
inline std::string withoutAddresses(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == '0' && i + 1 < text.size() && text[i + 1] == 'x' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      result += "x?";
      i += 2;
      while (i + 1 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))) ++i;
    }
  }
  return result;
}

// One line a variable with its name, its type and its fields, the number bit for bit
// (-0 prints as 0 otherwise), texts without addresses.
inline std::string describeVariables(localContextUTF8& context) {
  std::string text;
  for (unsigned i = 0; i < context.varCount(); ++i) {
    const localContextUTF8::variableDescription* variable = context.varByIdx(i);
    const localValueDescription& value = variable->value;
    text += localString::wstringToStdStringMultibyte(variable->name) + " type " + std::to_string(value.getType()) + " ";
    // An object by its class (its address differs from run to run), then the stale
    // number and text fields that every value carries.
    if (value.getType() == localValueDescription::typeObject)
      text += localString::wstringToStdStringMultibyte(value.getClassName()) + " ";
    std::uint64_t bits = 0;
    const double number = value.getNum();
    std::memcpy(&bits, &number, sizeof bits);
    text += std::to_string(bits) + " [" + withoutAddresses(localString::wstringToStdStringMultibyte(value.getStr())) + "]";
    text += "\n";
  }
  return text;
}

}  // namespace testSupport
