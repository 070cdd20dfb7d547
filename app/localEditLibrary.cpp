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
  bind(library.el_init, "el_init");
  bind(library.el_end, "el_end");
  bind(library.el_set, "el_set");
  bind(library.el_wset, "el_wset");
  bind(library.el_get, "el_get");
  bind(library.el_gets, "el_gets");
  bind(library.el_wline, "el_wline");
  bind(library.el_winsertstr, "el_winsertstr");
  bind(library.el_resize, "el_resize");
  bind(library.el_source, "el_source");
  bind(library.history_init, "history_init");
  bind(library.history_end, "history_end");
  bind(library.history, "history");
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
