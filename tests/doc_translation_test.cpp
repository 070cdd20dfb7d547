// The Russian reference (doc/ru/) keeps step with the English one (doc/): the same pages,
// the same sections in the same order (heading levels, and the names in backticks that
// headings give), and the same examples, word for word, so that neither can fall behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path english = fs::path(LOCALINTERP_SOURCE_DIR) / "doc";
const fs::path russian = english / "ru";

std::set<std::string> pagesIn(const fs::path& directory) {
  std::set<std::string> pages;
  for (const auto& entry : fs::directory_iterator(directory))
    if (entry.is_regular_file() && entry.path().extension() == ".md") pages.insert(entry.path().filename().string());
  return pages;
}

// What must match between a page and its translation.
struct outline {
  std::vector<std::string> sections;  // "## `STRLEN` `СТРДЛИНА`": level and code spans
  std::vector<std::string> examples;  // every console and prg block, fence lines included
};

std::string headingShape(const std::string& line) {
  const std::size_t level = line.find_first_not_of('#');
  std::string shape(level, '#');
  for (std::size_t open = line.find('`'); open != std::string::npos;) {
    const std::size_t close = line.find('`', open + 1);
    if (close == std::string::npos) break;
    shape += " " + line.substr(open, close - open + 1);
    open = line.find('`', close + 1);
  }
  return shape;
}

outline outlineOf(const fs::path& page) {
  std::ifstream in(page);
  outline result;
  std::string line;
  bool inFence = false;
  bool runFence = false;
  std::string example;
  while (std::getline(in, line)) {
    if (line.rfind("```", 0) == 0) {
      if (!inFence) {
        runFence = line == "```console" || line.rfind("```prg ", 0) == 0;
        example = line + "\n";
      } else if (runFence) {
        result.examples.push_back(example + line);
      }
      inFence = !inFence;
      continue;
    }
    if (inFence) {
      if (runFence) example += line + "\n";
    } else if (line.rfind("#", 0) == 0) {
      result.sections.push_back(headingShape(line));
    }
  }
  return result;
}

TEST(RussianReference, HasThePagesOfTheEnglishOne) {
  ASSERT_TRUE(fs::is_directory(russian)) << russian;
  EXPECT_EQ(pagesIn(russian), pagesIn(english));
}

TEST(RussianReference, EveryPageHasTheSameSectionsAndExamples) {
  for (const std::string& page : pagesIn(english)) {
    if (!fs::exists(russian / page)) continue;  // reported by the test above
    SCOPED_TRACE(page);
    const outline original = outlineOf(english / page);
    const outline translated = outlineOf(russian / page);
    EXPECT_EQ(translated.sections, original.sections);
    EXPECT_EQ(translated.examples, original.examples);
  }
}

}  // namespace
