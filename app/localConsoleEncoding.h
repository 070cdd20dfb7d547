#pragma once
#include <string>

#include "app/localCommandLine.h"

// Which encoding the console speaks. CP866 is the console as it always was; UTF-8 is
// for terminals of systems whose locale is UTF-8.
enum class localConsoleEncoding { cp866, utf8 };

// The choice for --encoding. `automatic` follows the locale's character set when a FILE or
// -c text runs (`followLocale`), wherever input and output go, as script interpreters
// do (and UTF-8 when the character set is empty: no locale, C or POSIX); the console alone is UTF-8 only when standard input and output are both terminals
// and the locale's character set is UTF-8, so that piped sessions stay CP866.
localConsoleEncoding localChooseEncoding(localCommandLine::encodingChoice choice, bool inputIsTerminal,
                                         bool outputIsTerminal, const std::string& localeCharset,
                                         bool followLocale = false);

// The character set of the user's locale (LC_CTYPE from the environment), e.g. "UTF-8";
// empty when there is no locale or it is C or POSIX.
std::string localLocaleCharset();

// Puts the process in the chosen encoding: the multibyte form of the text subsystem,
// and a character-type locale to match (line editing reads characters through it).
// Returns false when UTF-8 was chosen but no UTF-8 locale is available.
bool localApplyEncoding(localConsoleEncoding encoding);
