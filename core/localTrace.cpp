#include "core/localTrace.h"

#include <iostream>

#include "text/localString.h"

void localTrace(const std::wstring& lead, const std::string& operation, unsigned line,
                const std::string& file) {
  std::cout << localString::wstringToStdStringMultibyte(lead) << operation << " file: " << file
            << " line: " << line << "\n";
}
