// The line-editing library is no dependency of the program's start: it is loaded when a
// console first asks for it, completely, and once.
#include <gtest/gtest.h>

#ifdef LOCALINTERP_HAVE_LIBEDIT

#include <dlfcn.h>

#include "app/localEditLibrary.h"

namespace {

bool loadedInProcess() {
  void* handle = dlopen(localEditLibraryName, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

TEST(EditLibrary, IsLoadedOnlyWhenFirstAskedForAndThenOnce) {
  // Another test of the same process (shuffled or repeated runs) may have loaded it.
  if (loadedInProcess() && localLoadEditLibrary() != nullptr) GTEST_SKIP() << "loaded by an earlier test";
  EXPECT_FALSE(loadedInProcess()) << "linked into the program, so every start loads it";
  const localEditLibrary* edit = localLoadEditLibrary();
  ASSERT_NE(edit, nullptr) << localEditLibraryName;
  EXPECT_TRUE(loadedInProcess());
  EXPECT_EQ(localLoadEditLibrary(), edit);
}

TEST(EditLibrary, MakesAHistoryThatKeepsEntries) {
  const localEditLibrary* edit = localLoadEditLibrary();
  ASSERT_NE(edit, nullptr);
  History* history = edit->history_init();
  ASSERT_NE(history, nullptr);
  HistEvent event;
  // The variadic calls go through the looked-up pointer; failures are negative.
  EXPECT_GE(edit->history(history, &event, H_SETSIZE, 10), 0);
  EXPECT_GE(edit->history(history, &event, H_ENTER, "? 1 + 1;"), 0);
  ASSERT_GE(edit->history(history, &event, H_FIRST), 0);
  EXPECT_STREQ(event.str, "? 1 + 1;");
  edit->history_end(history);
}

}  // namespace

#endif
