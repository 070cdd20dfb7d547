// Name sites: a program place remembers where its name's record was found, checked
// against the context's generation, so a loop does not look the same name up at every pass.
#include "context/localContextUTF8.h"

namespace {

// One counter for all contexts: a context made where an old one was gets numbers that
// no site can remember.
std::uint64_t lastGeneration = 0;

// The site's remembered position when it is still right, otherwise the lookup's.
template <class Lookup>
std::size_t throughSite(localNameSite& site, const localContextUTF8* context, Lookup lookup) {
  if (site.context != context || site.generation != context->generation()) {
    site.position = lookup();
    site.context = context;
    site.generation = context->generation();
  }
  return site.position;
}

}  // namespace

void localContextUTF8::recordsChanged() { generation_ = ++lastGeneration; }

std::size_t localContextUTF8::varFindAtSite(localNameSite& site, std::wstring_view name) {
  return throughSite(site, this, [&] { return varFind(name); });
}

std::size_t localContextUTF8::funcFindAtSite(localNameSite& site, std::wstring_view name) {
  return throughSite(site, this, [&] { return funcFind(name); });
}

void localContextUTF8::varSetValueAtSite(localNameSite& site, std::wstring_view name, localValueDescription&& value) {
  const std::size_t position = varFindAtSite(site, name);
  if (position == npos) {
    varSetValue(name, std::move(value));  // creates the record: the generation moves on
    return;
  }
  varSettlePostponedRead();
  variables[position].value = std::move(value);
}
