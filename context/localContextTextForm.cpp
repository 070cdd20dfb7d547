#include "context/localContextUTF8.h"
#include "text/localString.h"

// The context's own text form, used by the built-in TOSTRING.
std::string localContextUTF8::toStdString() const {
  return localString::wstringToStdStringMultibyte(L"объект класса [КОНТЕКСТ] по адресу [" +
                                                  localString::pointerToStdWString(this) + L"]");
}
