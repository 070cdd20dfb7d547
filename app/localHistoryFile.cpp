#include "app/localHistoryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

std::string localHistoryFilePath(const char* stateHome, const char* home) {
  std::filesystem::path base;
  if (stateHome != nullptr && stateHome[0] == '/') {
    base = stateHome;
  } else if (home != nullptr && home[0] == '/') {
    base = std::filesystem::path(home) / ".local" / "state";
  } else {
    return std::string();
  }
  return (base / "localinterp" / "history").string();
}

bool localPrepareHistoryFile(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) return false;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  return true;
}
