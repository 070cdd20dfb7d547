// The stand-in for the command processor: the directory listing and running a
// command without a terminal (output relayed, no input, no hang).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "platform/localSystemParts.h"
#include "shell_test_support.h"

namespace {

namespace fs = std::filesystem;
using shellTest::CoutCapture;

TEST(PlatformSystem, DirectoryListingPutsFoldersFirst) {
  const fs::path directory = fs::temp_directory_path() / ("localinterp_dir_" + std::to_string(getpid()));
  fs::create_directories(directory / "zeta");
  fs::create_directories(directory / "alpha");
  std::ofstream(directory / "b.txt") << "12345";
  std::ofstream(directory / "a.prg") << "";
  std::ostringstream out;
  EXPECT_EQ(localPlatform::listDirectory(out, directory), 0);
  fs::remove_all(directory);
  EXPECT_EQ(out.str(),
            "<DIR>           alpha\n"
            "<DIR>           zeta\n"
            "             0  a.prg\n"
            "             5  b.txt\n"
            "             2 file(s), 2 folder(s)\n");
}

TEST(PlatformSystem, CommandStandardOutputIsRelayedToTheConsole) {
  CoutCapture capture;
  EXPECT_EQ(localPlatform::runShellCommand("echo out; echo err >&2 2>/dev/null", {}, false), 0);
  EXPECT_EQ(capture.text(), "out\n");
}

TEST(PlatformSystem, ArgumentsAndExitStatusTravel) {
  CoutCapture capture;
  EXPECT_EQ(localPlatform::runShellCommand("printf '[%s]' \"$1\"; exit 3", {"a b"}, false), 3);
  EXPECT_EQ(capture.text(), "[a b]");
}

TEST(PlatformSystem, CommandReadsNoInputAndBackgroundChildrenDoNotHang) {
  CoutCapture capture;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(localPlatform::runShellCommand("cat; sleep 5 & echo done", {}, false), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(capture.text(), "done\n");
}

}  // namespace
