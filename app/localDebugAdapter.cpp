#include "app/localDebugAdapter.h"

#include <csignal>
#include <iostream>
#include <memory>
#include <ostream>

#include "app/localCommandLine.h"
#include "app/localConsoleEncoding.h"
#include "app/localScriptRun.h"
#include "context/localContextUTF8.h"
#include "core/localInterrupt.h"
#include "core/localKeepAlive.h"
#include "dap/localDapServer.h"
#include "protocol/localDescriptorOutput.h"
#include "text/localUtf8.h"

int localDebugAdapterRun() {
  // The protocol has standard output to itself; whatever else would print there goes to
  // /dev/null, and the program's own output is captured by the adapter.
  const int protocol = localDescriptorOutput::takeStandardOutput();
  if (protocol < 0) {
    std::cerr << "localinterp: cannot set up standard output for --dap\n";
    return localCommandLine::exitFailure;
  }
  std::signal(SIGPIPE, SIG_IGN);  // an editor that has gone ends the adapter at the end of input
  localApplyEncoding(localConsoleEncoding::utf8);
  localInterruptInstall();
  localContextUTF8& context = *localKeepAlive(std::make_unique<localContextUTF8>());
  localDescriptorOutput buffer(protocol);
  std::ostream output(&buffer);
  return localDapServer::serve(std::cin, output, context,
                               [](const std::wstring& file, const localDapServer::debugRun& run) {
                                 return localScriptRun::runFile(localConsoleEncoding::utf8,
                                                                localString::wstringToUtf8(file), run);
                               });
}
