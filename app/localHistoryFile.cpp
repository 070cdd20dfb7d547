#include "app/localHistoryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
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

std::string localHistoryBase(const char* stateHome, const char* home) {
  if (stateHome != nullptr && stateHome[0] == '/') return std::filesystem::path(stateHome).parent_path().string();
  if (home != nullptr && home[0] == '/') return home;
  return std::string();
}

bool localPrepareHistoryFile(const std::string& path, const std::string& base) {
  if (path.empty() || base.empty()) return false;
  std::error_code error;
  if (!std::filesystem::is_directory(base, error)) return false;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) return false;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool localAppendHistoryLine(const std::string& path, const std::string& line) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::string record;
  struct stat status {};
  if (fstat(fd, &status) == 0 && status.st_size == 0) record = "_HiStOrY_V2_\n";
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      record += "\\\\";
    } else if (byte <= 0x20 || byte == 0x7F) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned>(byte));
      record += octal;
    } else {
      record.push_back(c);
    }
  }
  record.push_back('\n');
  const bool written = write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
  close(fd);
  return written;
}
