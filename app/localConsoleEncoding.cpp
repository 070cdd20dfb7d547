#include "app/localConsoleEncoding.h"

#include <langinfo.h>

#include <clocale>
#include <cstdlib>

#include "text/localUtf8.h"

namespace {

bool isUtf8Name(const std::string& charset) {
  return charset == "UTF-8" || charset == "utf8" || charset == "UTF8" || charset == "utf-8";
}

}  // namespace

localConsoleEncoding localChooseEncoding(localCommandLine::encodingChoice choice, bool inputIsTerminal,
                                         bool outputIsTerminal, const std::string& localeCharset,
                                         bool followLocale) {
  switch (choice) {
    case localCommandLine::encodingChoice::cp866:
      return localConsoleEncoding::cp866;
    case localCommandLine::encodingChoice::utf8:
      return localConsoleEncoding::utf8;
    case localCommandLine::encodingChoice::automatic:
      break;
  }
  // Scripts without a locale (cron, containers, env -i) get UTF-8, as script interpreters do.
  if (followLocale) return isUtf8Name(localeCharset) || localeCharset.empty() ? localConsoleEncoding::utf8
                                                                             : localConsoleEncoding::cp866;
  const bool utf8 = inputIsTerminal && outputIsTerminal && isUtf8Name(localeCharset);
  return utf8 ? localConsoleEncoding::utf8 : localConsoleEncoding::cp866;
}

namespace {

// The locale the environment names for the character type, as the C library looks it up.
std::string localeNameFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return std::string();
}

}  // namespace

std::string localLocaleCharset() {
  const std::string name = localeNameFromEnvironment();
  if (name.empty() || name == "C" || name == "POSIX") return std::string();
  // Only the character type is taken from the environment, and only to read its name;
  // the process goes back to the C locale it always ran in.
  if (std::setlocale(LC_CTYPE, "") == nullptr) {
    // A locale that is not installed still says its character set in its name.
    const std::size_t dot = name.find('.');
    const std::string charset = dot == std::string::npos ? std::string() : name.substr(dot + 1, name.find('@') - dot - 1);
    return isUtf8Name(charset) ? "UTF-8" : "ANSI_X3.4-1968";
  }
  const std::string charset = nl_langinfo(CODESET);
  std::setlocale(LC_CTYPE, "C");
  return charset;
}

bool localApplyEncoding(localConsoleEncoding encoding) {
  if (encoding == localConsoleEncoding::cp866) {
    localString::setUtf8Mode(false);
    std::setlocale(LC_CTYPE, "C");
    return true;
  }
  localString::setUtf8Mode(true);
  // The user's own locale when it is UTF-8, otherwise the one every system has.
  if (std::setlocale(LC_CTYPE, "") != nullptr && isUtf8Name(nl_langinfo(CODESET))) return true;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr) return true;
  std::setlocale(LC_CTYPE, "C");
  return false;
}
