#include <filesystem>
#include <string>
#include <system_error>

#include "text/localString.h"

// Which files a program may be read from or an editor be started on: a device, pipe or
// directory would be read until memory runs out or wait for ever, and a file of
// gigabytes has nothing to do with a program. Checked before the file is opened.

namespace localString {

std::wstring fileRefusal(const std::string& name, std::uintmax_t maxBytes) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(name, error);
  // A missing or unreachable file is no refusal: opening it reports that.
  if (error || !std::filesystem::exists(status)) return {};
  const std::wstring shown = L"[" + stdStringMultibyteToStdWString(name) + L"]";
  if (!std::filesystem::is_regular_file(status)) return shown + L" не является обычным файлом";
  const std::uintmax_t size = std::filesystem::file_size(name, error);
  if (!error && size > maxBytes) return shown + L" длиннее " + std::to_wstring(maxBytes) + L" байт";
  return {};
}

}  // namespace localString
