#pragma once
#include <string>

// Encodings used by the transcript harness, written independently of the interpreter's
// own converters so that the harness checks them too. Transcripts are UTF-8; the console
// speaks CP866 and program files are CP1251. Only ASCII and the 66 Russian letters are
// mapped; `\xNN` in a transcript stands for the raw byte NN.
namespace transcript {

enum class CodePage { cp866, cp1251 };

// UTF-8 text (with \xNN escapes) to bytes of the code page. Returns false and describes
// the offending character in error when the text holds something the page cannot carry.
bool encodeLine(const std::string& utf8, CodePage page, std::string& bytes, std::string& error);

// CP866 console output to UTF-8: ASCII printable characters, tab and line feed stay, the
// Russian letters become UTF-8, every other byte is written \xNN (upper-case hex).
std::string decodeConsoleOutput(const std::string& cp866);

// The same for a CP1251 file, used to show a file's content in failure messages.
std::string decodeCp1251(const std::string& bytes);

}  // namespace transcript
