#include <algorithm>
#include <cstdint>
#include <iomanip>
#include <string>
#include <system_error>
#include <vector>

#include "platform/localSystemParts.h"

namespace localPlatform {

namespace {

struct entry {
  std::string name;
  bool folder = false;
  std::uintmax_t size = 0;
};

}  // namespace

int listDirectory(std::ostream& out, const std::filesystem::path& directory) {
  namespace fs = std::filesystem;
  std::error_code error;
  std::vector<entry> entries;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    entry item;
    item.name = it->path().filename().string();
    std::error_code typeError;
    item.folder = it->is_directory(typeError);
    if (!item.folder) {
      std::error_code sizeError;
      const std::uintmax_t size = it->file_size(sizeError);
      item.size = sizeError ? 0 : size;
    }
    entries.push_back(std::move(item));
  }
  if (error) {
    out << "dir: " << error.message() << "\n";
    return 1;
  }

  std::sort(entries.begin(), entries.end(), [](const entry& a, const entry& b) {
    if (a.folder != b.folder) return a.folder;
    return a.name < b.name;
  });
  unsigned folders = 0;
  unsigned files = 0;
  for (const entry& item : entries) {
    if (item.folder) {
      ++folders;
      out << std::left << std::setw(16) << "<DIR>" << item.name << "\n";
    } else {
      ++files;
      out << std::right << std::setw(14) << item.size << "  " << item.name << "\n";
    }
  }
  out << std::right << std::setw(14) << files << " file(s), " << folders << " folder(s)\n";
  return 0;
}

}  // namespace localPlatform
