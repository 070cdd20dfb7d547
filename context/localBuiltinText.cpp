// Built-in functions on texts: conversions, lengths, parts and trimming.
#include "core/localIntegerConversion.h"
#include "context/localBuiltinLibrary.h"
#include "text/localString.h"

namespace {

// A part of the argument's text as the result. It shares the argument's characters
// instead of copying them: a scan that trims or takes tails of a long text would
// otherwise copy it every time.
void setPart(localValueDescription& result, const localValueDescription& source, std::wstring_view part) {
  const std::wstring_view whole = source.getStrView();
  result.setValPartOf(source, static_cast<std::size_t>(part.data() - whole.data()), part.size());
}

}  // namespace

namespace localBuiltin {

bool number(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
            localValueDescription& result) {
  result.setVal(localDecimalPrefixToDouble(localString::trimL(arguments[0]->getStrRef())));
  return true;
}

bool rightPart(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
               localValueDescription& result) {
  const std::uint32_t count = localTruncateToUint32Modulo(arguments[1]->getNum());
  setPart(result, *arguments[0], localString::rightView(arguments[0]->getStrView(), count));
  return true;
}

bool textForm(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
              localValueDescription& result) {
  result.setVal(arguments[0]->toString());
  return true;
}

bool textLength(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
                localValueDescription& result) {
  result.setVal(static_cast<double>(arguments[0]->getStrView().size()));
  return true;
}

bool trimAll(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
             localValueDescription& result) {
  setPart(result, *arguments[0], localString::trimLView(localString::trimRView(arguments[0]->getStrView())));
  return true;
}

bool trimLeft(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
              localValueDescription& result) {
  setPart(result, *arguments[0], localString::trimLView(arguments[0]->getStrView()));
  return true;
}

bool trimRight(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
               localValueDescription& result) {
  setPart(result, *arguments[0], localString::trimRView(arguments[0]->getStrView()));
  return true;
}

bool typeName(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
              localValueDescription& result) {
  result.setVal(arguments[0]->getTypeName());
  return true;
}

}  // namespace localBuiltin
