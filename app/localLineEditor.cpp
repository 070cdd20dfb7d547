#include "app/localLineEditor.h"

#ifdef LOCALINTERP_HAVE_LIBEDIT

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/localCompletion.h"
#include "app/localEditLibrary.h"
#include "app/localHistoryFile.h"
#include "app/localKeyDecoder.h"
#include "text/localUtf8.h"

namespace {

constexpr int historySize = 1000;
constexpr std::uintmax_t historyCompactBytes = 256 * 1024;

std::atomic<bool> interruptedAtPrompt{false};

extern "C" void onPromptInterrupt(int) { interruptedAtPrompt.store(true); }

// The editor's key reader. The built-in one blocks in read(), so a Ctrl-C that lands while
// the editor is busy between two reads would only be seen after the next key. This one
// waits in short polls and looks at the flag before every wait, so the abandoned line is
// noticed at once however the signal and the keys interleave. Keys are UTF-8 (the editor
// runs only with a UTF-8 locale); a byte that is not becomes an escape the line keeps.
localKeyDecoder keyDecoder;
std::wstring decodedKeys;  // decoded and not yet handed to the editor

int readKey(EditLine*, wchar_t* key) {
  for (;;) {
    if (!decodedKeys.empty()) {
      *key = decodedKeys.front();
      decodedKeys.erase(0, 1);
      return 1;
    }
    if (interruptedAtPrompt.load()) {
      errno = EINTR;
      return -1;
    }
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, 50);
    if (ready < 0 && errno != EINTR) return -1;
    if (ready <= 0) continue;
    char byte = 0;
    const ssize_t count = read(STDIN_FILENO, &byte, 1);
    if (count == 0) return 0;  // end of input
    if (count < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return -1;
    }
    keyDecoder.feed(byte, decodedKeys);
  }
}

// While the editor waits for a key, Ctrl-C must end the wait (no restart of the read)
// and only mark the line as abandoned; the running-line handler comes back afterwards.
class promptInterruptHandler {
 public:
  promptInterruptHandler() {
    interruptedAtPrompt.store(false);
    struct sigaction action {};
    action.sa_handler = onPromptInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &saved_);
  }
  ~promptInterruptHandler() { sigaction(SIGINT, &saved_, nullptr); }
  promptInterruptHandler(const promptInterruptHandler&) = delete;
  promptInterruptHandler& operator=(const promptInterruptHandler&) = delete;

 private:
  struct sigaction saved_ {};
};

class lineEditorInput : public localConsoleInput {
 public:
  lineEditorInput(const localEditLibrary& edit, localContextUTF8& context)
      : edit_(edit),
        context_(context),
        editor_(edit.el_init("localinterp", stdin, stdout, stderr)),
        history_(edit.history_init()),
        historyPath_(localHistoryFilePath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"))) {
    if (!ready()) return;
    HistEvent event;
    edit_.history(history_, &event, H_SETSIZE, historySize);
    edit_.history(history_, &event, H_SETUNIQUE, 1);
    if (localPrepareHistoryFile(historyPath_,
                                localHistoryBase(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")))) {
      edit_.history(history_, &event, H_LOAD, historyPath_.c_str());
      compactHistoryFile();
    } else {
      historyPath_.clear();
    }
    edit_.el_set(editor_, EL_CLIENTDATA, this);
    edit_.el_set(editor_, EL_EDITOR, "emacs");
    edit_.el_set(editor_, EL_HIST, edit_.history, history_);
    edit_.el_set(editor_, EL_PROMPT, &lineEditorInput::promptOf);
    edit_.el_wset(editor_, EL_GETCFN, &readKey);
    // The wide form: the narrow one keeps copies of the two names that it never frees.
    edit_.el_wset(editor_, EL_ADDFN, L"localinterp-complete", L"complete a name", &lineEditorInput::completeKey);
    edit_.el_set(editor_, EL_BIND, "^I", "localinterp-complete", nullptr);
    edit_.el_set(editor_, EL_BIND, "^R", "em-inc-search-prev", nullptr);
    // Home and End as the common terminals send them.
    for (const char* home : {"\\e[H", "\\eOH", "\\e[1~", "\\e[7~"})
      edit_.el_set(editor_, EL_BIND, home, "ed-move-to-beg", nullptr);
    for (const char* end : {"\\e[F", "\\eOF", "\\e[4~", "\\e[8~"})
      edit_.el_set(editor_, EL_BIND, end, "ed-move-to-end", nullptr);
    edit_.el_set(editor_, EL_BIND, "\\e[3~", "ed-delete-next-char", nullptr);
    edit_.el_source(editor_, nullptr);  // the user's ~/.editrc
  }

  ~lineEditorInput() override {
    if (history_ != nullptr) edit_.history_end(history_);
    if (editor_ != nullptr) edit_.el_end(editor_);
  }

  lineEditorInput(const lineEditorInput&) = delete;
  lineEditorInput& operator=(const lineEditorInput&) = delete;

  bool ready() const { return editor_ != nullptr && history_ != nullptr; }

  result readLine(const std::string& prompt, std::string& bytes) override {
    prompt_ = prompt;
    std::cout.flush();
    edit_.el_resize(editor_);  // the window may have changed while a line ran
    // Raw mode before the prompt shows: keys typed as soon as it appears are the
    // editor's, not echoed by the terminal or taken as its end-of-file.
    edit_.el_set(editor_, EL_PREP_TERM, 1);
    int count = 0;
    const wchar_t* text = nullptr;
    {
      promptInterruptHandler handler;
      text = edit_.el_wgets(editor_, &count);
    }
    if (text == nullptr || count <= 0) {
      if (interruptedAtPrompt.load()) {
        std::fputs("\n", stdout);
        std::fflush(stdout);
        return result::interrupted;
      }
      return count < 0 && errno == EINTR ? result::skipped : result::endOfInput;
    }
    bytes = localKeyLineBytes(std::wstring(text, static_cast<std::size_t>(count)));
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
    remember(bytes);
    return result::line;
  }

  std::string continuationPrompt() const override { return localContinuationPrompt; }

  void inputEnded() override {
    // Ctrl-D leaves the cursor after the prompt: give the shell a fresh line.
    std::fputs("\n", stdout);
    std::fflush(stdout);
  }

 private:
  void remember(const std::string& line) {
    if (line.find_first_not_of(" \t") == std::string::npos) return;
    HistEvent event;
    edit_.history(history_, &event, H_ENTER, line.c_str());
    if (historyPath_.empty()) return;
    // Appended, not saved whole: a session open beside this one keeps its lines too.
    localAppendHistoryLine(historyPath_, line);
  }

  // Appending makes the file grow; once it holds far more than is loaded, it is written
  // anew with the lines just loaded, the newest ones.
  void compactHistoryFile() {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(historyPath_, error);
    if (error || size < historyCompactBytes) return;
    HistEvent event;
    edit_.history(history_, &event, H_SAVE, historyPath_.c_str());
  }

  static lineEditorInput* self(EditLine* editor) {
    void* data = nullptr;
    // Loaded already: the editor calling back was made with it.
    localLoadEditLibrary()->el_get(editor, EL_CLIENTDATA, &data);
    return static_cast<lineEditorInput*>(data);
  }

  static char* promptOf(EditLine* editor) { return self(editor)->prompt_.data(); }

  static unsigned char completeKey(EditLine* editor, int) { return self(editor)->complete(); }

  unsigned char complete() {
    const LineInfoW* info = edit_.el_wline(editor_);
    const std::wstring line(info->buffer, static_cast<std::size_t>(info->lastchar - info->buffer));
    const std::size_t cursor = static_cast<std::size_t>(info->cursor - info->buffer);
    const std::size_t start = localCompletion::wordStart(line, cursor);
    const localCompletion::result found =
        localCompletion::complete(line.substr(start, cursor - start), localCompletion::knownNames(context_));
    if (!found.insert.empty()) {
      edit_.el_winsertstr(editor_, found.insert.c_str());
      return CC_REFRESH;
    }
    if (found.matches.size() < 2) return CC_ERROR;
    // Several names fit and none is longer than what is typed: show them.
    std::string list = "\n";
    for (const std::wstring& name : found.matches) list += localString::wstringToUtf8(name) + "  ";
    list += "\n";
    std::fputs(list.c_str(), stdout);
    return CC_REDISPLAY;
  }

  const localEditLibrary& edit_;
  localContextUTF8& context_;
  EditLine* editor_;
  History* history_;
  std::string historyPath_;
  std::string prompt_;
};

}  // namespace

std::unique_ptr<localConsoleInput> localMakeLineEditor(localContextUTF8& context) {
  const localEditLibrary* edit = localLoadEditLibrary();
  if (edit == nullptr) return nullptr;
  auto editor = std::make_unique<lineEditorInput>(*edit, context);
  if (!editor->ready()) return nullptr;
  return editor;
}

#else

std::unique_ptr<localConsoleInput> localMakeLineEditor(localContextUTF8&) { return nullptr; }

#endif
