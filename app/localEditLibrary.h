#pragma once

#ifdef LOCALINTERP_HAVE_LIBEDIT

#include <histedit.h>

// The line-editing library's functions the console uses, listed once for the table
// below and for looking them up by name.
#define LOCALINTERP_EDIT_FUNCTIONS(X)                                                           \
  X(el_init) X(el_end) X(el_set) X(el_wset) X(el_get) X(el_wgets) X(el_wline) X(el_winsertstr) \
  X(el_resize) X(el_source) X(history_init) X(history_end) X(history)

// The library is loaded when a console on a terminal first asks for it, not at start:
// runs on pipes and files never pay for loading it and the libraries it pulls in.
struct localEditLibrary {
#define LOCALINTERP_EDIT_POINTER(name) decltype(&::name) name;
  LOCALINTERP_EDIT_FUNCTIONS(LOCALINTERP_EDIT_POINTER)
#undef LOCALINTERP_EDIT_POINTER
};

// The library's file name as the dynamic linker looks it up (its soname).
extern const char* const localEditLibraryName;

// Loads the library on the first call and stays loaded; null when it is not installed
// or lacks one of the functions, and then the console reads plain lines.
const localEditLibrary* localLoadEditLibrary();

#endif
