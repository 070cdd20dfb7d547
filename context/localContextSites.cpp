// Name sites: a program place remembers where its name's record was found, checked
// against the context's generation, so a loop does not look the same name up at every pass.
#include "context/localContextUTF8.h"

namespace {

// One counter for all contexts: a context made where an old one was gets numbers that
// no site can remember.
std::uint64_t lastGeneration = 0;

}  // namespace

void localContextUTF8::recordsChanged() { generation_ = ++lastGeneration; }

std::size_t localContextUTF8::lookUp(localNameSite& site, std::size_t position) const {
  site.position = position;
  site.generation = generation_;
  return position;
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
