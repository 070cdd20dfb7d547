#pragma once

#ifdef LOCALINTERP_HAVE_LIBEDIT

#include <histedit.h>

// The line-editing library's functions the console uses. The library is loaded when a
// console on a terminal first asks for it, not at start: runs on pipes and files never
// pay for loading it and the libraries it pulls in.
struct localEditLibrary {
  decltype(&::el_init) el_init;
  decltype(&::el_end) el_end;
  decltype(&::el_set) el_set;
  decltype(&::el_wset) el_wset;
  decltype(&::el_get) el_get;
  decltype(&::el_gets) el_gets;
  decltype(&::el_wline) el_wline;
  decltype(&::el_winsertstr) el_winsertstr;
  decltype(&::el_resize) el_resize;
  decltype(&::el_source) el_source;
  decltype(&::history_init) history_init;
  decltype(&::history_end) history_end;
  decltype(&::history) history;
};

// The library's file name as the dynamic linker looks it up (its soname).
extern const char* const localEditLibraryName;

// Loads the library on the first call and stays loaded; null when it is not installed
// or lacks one of the functions, and then the console reads plain lines.
const localEditLibrary* localLoadEditLibrary();

#endif
