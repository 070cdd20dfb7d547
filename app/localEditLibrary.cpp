#include "app/localEditLibrary.h"

#ifdef LOCALINTERP_HAVE_LIBEDIT

#include <dlfcn.h>

#include <optional>
#include <type_traits>

// The build names the library it found, e.g. "libedit.so.2".
const char* const localEditLibraryName = LOCALINTERP_LIBEDIT_SONAME;

namespace {

std::optional<localEditLibrary> load() {
  void* handle = dlopen(localEditLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return std::nullopt;
  localEditLibrary library{};
  bool complete = true;
  const auto bind = [&](auto& function, const char* name) {
    void* symbol = dlsym(handle, name);
    complete = complete && symbol != nullptr;
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(symbol);
  };
#define LOCALINTERP_EDIT_BIND(name) bind(library.name, #name);
  LOCALINTERP_EDIT_FUNCTIONS(LOCALINTERP_EDIT_BIND)
#undef LOCALINTERP_EDIT_BIND
  if (!complete) {
    dlclose(handle);
    return std::nullopt;
  }
  // The handle is kept: the functions are used until the process ends.
  return library;
}

}  // namespace

const localEditLibrary* localLoadEditLibrary() {
  static const std::optional<localEditLibrary> library = load();
  return library ? &*library : nullptr;
}

#endif
