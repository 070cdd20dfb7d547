#include "core/localTrace.h"

#include <iostream>

#include "core/localDiagnostics.h"
#include "text/localString.h"

namespace {

void writeTrace(std::ostream& stream, const std::wstring& lead, const std::string& operation, unsigned line,
                const std::string& file) {
  stream << localString::wstringToStdStringMultibyte(lead) << operation << " file: " << file << " line: " << line
         << "\n";
}

}  // namespace

void localTrace(const std::wstring& lead, const std::string& operation, unsigned line, const std::string& file) {
  writeTrace(localDiagnostics(), lead, operation, line, file);
}

void localTraceOutput(const std::wstring& lead, const std::string& operation, unsigned line,
                      const std::string& file) {
  writeTrace(std::cout, lead, operation, line, file);
}
