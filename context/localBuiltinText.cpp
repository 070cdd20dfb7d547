// Built-in functions on texts: conversions, lengths, parts and trimming.
#include "classes/localIntegerConversion.h"
#include "context/localBuiltinLibrary.h"
#include "text/localString.h"

namespace localBuiltin {

bool number(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
            localValueDescription& result) {
  result.setVal(localDecimalPrefixToDouble(localString::trimL(arguments[0]->getStrRef())));
  return true;
}

bool rightPart(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
               localValueDescription& result) {
  const std::uint32_t count = localTruncateToUint32Modulo(arguments[1]->getNum());
  result.setVal(localString::right(arguments[0]->getStrRef(), count));
  return true;
}

bool textForm(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
              localValueDescription& result) {
  result.setVal(arguments[0]->toString());
  return true;
}

bool textLength(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
                localValueDescription& result) {
  result.setVal(static_cast<double>(arguments[0]->getStrRef().size()));
  return true;
}

bool trimAll(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
             localValueDescription& result) {
  result.setVal(localString::trimL(localString::trimR(arguments[0]->getStrRef())));
  return true;
}

bool trimLeft(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
              localValueDescription& result) {
  result.setVal(localString::trimL(arguments[0]->getStrRef()));
  return true;
}

bool trimRight(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
               localValueDescription& result) {
  result.setVal(localString::trimR(arguments[0]->getStrRef()));
  return true;
}

bool typeName(localReturnStateType&, localContextUTF8*, const localValueList& arguments,
              localValueDescription& result) {
  result.setVal(arguments[0]->getTypeName());
  return true;
}

}  // namespace localBuiltin
