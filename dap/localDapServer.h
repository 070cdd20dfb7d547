#pragma once
// `localinterp --dap`: a debug adapter on these two streams (framed messages, protocol/).
// It runs one program file under the debugger core on the calling thread, while a
// thread of its own reads the editor's messages, so that a pause or a disconnect reaches
// a program that runs. What the program prints comes to the editor as output events:
// nothing but protocol messages is written to `output`.
#include <functional>
#include <iosfwd>
#include <string>

#include "core/localReturnStateType.h"

class localContextUTF8;

namespace localDapServer {

// Runs a program file as the command line runs one, its failure told on standard error,
// with `debugRun` doing the run itself; returns the exit status the run would have.
using debugRun = std::function<bool(localReturnStateType& state, const std::wstring& file)>;
using programRunner = std::function<int(const std::wstring& file, const debugRun& run)>;

// Serves until the disconnect request or the end of input; returns 0.
int serve(std::istream& input, std::ostream& output, localContextUTF8& context, const programRunner& runner);

}  // namespace localDapServer
