#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/localIntegerConversion.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

class localContextUTF8;

// The table behind the built-in function library: each function's two names, how many
// arguments it takes, which kinds each argument may have, and its body. The shared
// routine checks count and kinds from the table before it calls the body.
namespace localBuiltin {

// Kind masks, one bit per value kind.
constexpr unsigned kindNumber = 1u << localValueDescription::typeNumber;
constexpr unsigned kindString = 1u << localValueDescription::typeString;
constexpr unsigned kindBoolean = 1u << localValueDescription::typeBoolean;
constexpr unsigned kindObject = 1u << localValueDescription::typeObject;
constexpr unsigned kindAny = kindNumber | kindString | kindBoolean | kindObject;

constexpr std::size_t unlimited = static_cast<std::size_t>(-1);
constexpr std::size_t maxCheckedArguments = 2;

// Body of a function; arguments have been checked against the entry already.
// context may be null when the routine was called without one.
using body = bool (*)(localReturnStateType& state, localContextUTF8* context, const localValueList& arguments,
                      localValueDescription& result);

struct entry {
  const wchar_t* english;
  const wchar_t* russian;
  std::size_t minArguments;
  std::size_t maxArguments;
  unsigned kinds[maxCheckedArguments];  // allowed kinds of the first arguments; later ones take any
  bool falseResultOnFailure;            // the result becomes boolean false when the call fails
  body run;
};

// All entries, in the library's member order.
const entry* entries();
std::size_t entryCount();
// The entry of an upper-cased name, English or Russian; null when there is none.
const entry* findEntry(std::wstring_view name);
// Checks the arguments against the entry and runs its body; arguments may be null.
bool call(localReturnStateType& state, localContextUTF8* context, const entry& function,
          const localValueList* arguments, localValueDescription& result);

// The pure numeric built-ins: INT, MAX and MIN on numbers. Their work is inline here:
// their bodies run it, and so does the program engine's numeric instruction after it has
// checked what the shared routine would (the function, the count, the kinds).
enum class numeric : std::uint8_t { integerPart, maximum, minimum, none };
// The numeric built-in an upper-cased name (either spelling) is, or none.
numeric numericNamed(std::wstring_view name);
const entry* numericEntry(numeric function);
constexpr bool numericTakes(numeric function, std::size_t count) {
  return function == numeric::integerPart ? count == 1 : function != numeric::none && count >= 1 && count <= 3;
}
[[gnu::always_inline]] inline void integerPartOf(const localValueDescription& number, localValueDescription& result) {
  result.setVal(static_cast<double>(localTruncateToInt32(number.getNum())));
}
// The greatest (or least) of count numbers, argument(i) the i-th: of equal ones the first.
template <class Argument>
[[gnu::always_inline]] inline const localValueDescription* extremeNumber(std::size_t count, Argument&& argument,
                                                                         bool wantGreatest) {
  const localValueDescription* best = argument(0);
  for (std::size_t i = 1; i < count; ++i) {
    const localValueDescription* candidate = argument(i);
    if (wantGreatest ? candidate->getNum() > best->getNum() : best->getNum() > candidate->getNum()) best = candidate;
  }
  return best;
}

// Bodies, grouped by file.
bool classLoad(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool createObject(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool contextToString(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);

bool emptyValue(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool integerPart(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool maximum(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool minimum(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool message(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool randomNumber(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);

bool number(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool rightPart(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool textForm(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool textLength(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool trimAll(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool trimLeft(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool trimRight(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);
bool typeName(localReturnStateType&, localContextUTF8*, const localValueList&, localValueDescription&);

}  // namespace localBuiltin

// The longest beginning of text that forms a decimal number (optional sign, digits,
// optional point and digits, optional exponent with at least one digit), as a double;
// 0 when the text has no such beginning. Hexadecimal, inf and nan are not numbers here.
double localDecimalPrefixToDouble(const std::wstring& text);
