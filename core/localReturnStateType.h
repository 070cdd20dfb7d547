#pragma once
#include <cstdint>
#include <string>

// The status every scanning, evaluating, compiling and executing operation reports.
// Codes 0..5 are signals (block terminators, quit), 41 is success.
enum localReturnStateType : std::int32_t {
  localErrorTypeELSE = 0,
  localErrorTypeELSEIF = 1,
  localErrorTypeENDDO = 2,
  localErrorTypeENDFUNCTION = 3,
  localErrorTypeENDIF = 4,
  localErrorTypeQUIT = 5,
  localErrorTypeINDEXoutOfBounds = 6,
  localErrorTypeATTRIBUTEnotReadable = 7,
  localErrorTypeATTRIBUTEnotWritable = 8,
  localErrorTypeATTRIBUTEunknown = 9,
  localErrorTypeCONSTRUCTORmissing = 10,
  localErrorTypeSTATICmethodMissing = 11,
  localErrorTypeCLASSunknown = 12,
  localErrorTypeCODE = 13,
  localErrorTypeCOMMANDunknown = 14,
  localErrorTypeDIVISIONbyZero = 15,
  localErrorTypeCONTEXTmissing = 16,
  localErrorTypeFILEnotFound = 17,
  localErrorTypeFUNCTIONunknown = 18,
  // 19 is unused.
  localErrorTypeMETHODunknown = 20,
  localErrorTypeOBJECTcreation = 21,
  localErrorTypeSTATICcallUnsupported = 22,
  localErrorTypeOBJECTclassUnknown = 23,
  localErrorTypePARAMETERScount = 24,
  localErrorTypePARAMETERStype = 25,
  localErrorTypeSYNTAX = 26,
  localErrorTypeSYNTAXexpectedEqual = 27,
  localErrorTypeSYNTAXexpectedOpenBracket = 28,
  localErrorTypeSYNTAXexpectedCloseBracket = 29,
  localErrorTypeSYNTAXexpectedSemicolon = 30,
  localErrorTypeSYNTAXexpectedDO = 31,
  localErrorTypeSYNTAXexpectedENDDO = 32,
  localErrorTypeSYNTAXexpectedENDIF = 33,
  localErrorTypeSYNTAXexpectedENDFUNCTION = 34,
  localErrorTypeSYNTAXexpectedTHEN = 35,
  localErrorTypeSYNTAXexpectedTO = 36,
  localErrorTypeTYPEunknown = 37,
  localErrorTypeOPERANDtype = 38,
  localErrorTypeVALUEnotObject = 39,
  localErrorTypeVARIABLEunknown = 40,
  localErrorTypeOK = 41,
};

namespace localString {

// The Russian message of a state, as the console and the program runner print it
// (defined in core/localReturnStateMessages.cpp).
std::wstring returnStateAsString(const localReturnStateType& state);

}  // namespace localString
