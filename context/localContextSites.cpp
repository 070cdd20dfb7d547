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
