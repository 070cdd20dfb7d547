// Name sites: a program place remembers the record its name found, checked against the
// context's generation, so a loop does not look the same name up at every pass.
#include "context/localContextUTF8.h"
#include "text/localString.h"

namespace {

// One counter for all contexts: a context made where an old one was gets numbers that
// no site can remember.
std::uint64_t lastGeneration = 0;

template <class Record>
bool remembers(const localNameSite<Record>& site, const localContextUTF8* context) {
  return site.context == context && site.generation == context->generation();
}

}  // namespace

void localContextUTF8::recordsChanged() { generation_ = ++lastGeneration; }

localContextUTF8::variableDescription* localContextUTF8::varAtSite(localNameSite<variableDescription>& site,
                                                                   const std::wstring& name) {
  if (!remembers(site, this)) {
    site.record = varGetPointer(name);
    site.context = this;
    site.generation = generation_;
  }
  return site.record;
}

localContextUTF8::functionDescription* localContextUTF8::funcAtSite(localNameSite<functionDescription>& site,
                                                                    const std::wstring& upperName) {
  if (!remembers(site, this)) {
    site.record = funcGetPointer(upperName);
    site.context = this;
    site.generation = generation_;
  }
  return site.record;
}

void localContextUTF8::varSetValueAtSite(localNameSite<variableDescription>& site, const std::wstring& name,
                                         localValueDescription&& value) {
  variableDescription* variable = varAtSite(site, name);
  if (variable == nullptr) {
    varSetValue(name, &value);  // creates the record: the generation moves on
    return;
  }
  variable->value = std::move(value);
}
