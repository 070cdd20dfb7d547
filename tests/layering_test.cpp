// Keeps the folders layered: a source file includes headers of its own layer or of the
// layers below it. The one include that goes up by design is listed in allowedUpward.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// From the bottom up.
const std::vector<std::string> layers = {"platform", "protocol", "text",  "core",  "classes", "context", "interp",
                                         "program",  "shell",    "check", "debug", "dap",     "lsp", "app"};

// The context runs the compiled bodies of user functions.
const std::vector<std::pair<std::string, std::string>> allowedUpward = {
    {"context", "program/localOperatorCompiled.h"},
};

int rankOf(const std::string& folder) {
  for (std::size_t i = 0; i < layers.size(); ++i) {
    if (layers[i] == folder) return static_cast<int>(i);
  }
  return -1;
}

bool allowed(const std::string& folder, const std::string& header) {
  for (const auto& [from, to] : allowedUpward) {
    if (from == folder && to == header) return true;
  }
  return false;
}

TEST(Layering, NoFileIncludesAHeaderOfAHigherLayer) {
  const std::regex include(R"re(^\s*#\s*include\s*"(([^/"]+)/[^"]+)")re");
  std::vector<std::string> faults;
  std::size_t files = 0;
  for (const std::string& folder : layers) {
    const fs::path directory = fs::path(LOCALINTERP_SOURCE_DIR) / folder;
    ASSERT_TRUE(fs::is_directory(directory)) << directory;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
      ++files;
      std::ifstream in(entry.path());
      std::string line;
      std::smatch match;
      while (std::getline(in, line)) {
        if (!std::regex_search(line, match, include)) continue;
        const std::string header = match[1];
        const int target = rankOf(match[2]);
        const std::string where = folder + "/" + entry.path().filename().string() + " -> " + header;
        if (target < 0) {
          faults.push_back(where + " (folder is no layer)");
        } else if (target > rankOf(folder) && !allowed(folder, header)) {
          faults.push_back(where);
        }
      }
    }
  }
  EXPECT_GT(files, 50u);
  std::string list;
  for (const std::string& fault : faults) list += "  " + fault + "\n";
  EXPECT_TRUE(faults.empty()) << "includes of a higher layer:\n" << list;
}

}  // namespace
