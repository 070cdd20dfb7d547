// The text a compilation reads: numbered, so that a failure knows which program it belongs
// to, and indexed by line, so that every node learns its line and column at once.
#include <algorithm>
#include <vector>

#include "program/localCompileSteps.h"

namespace localCompile {

struct sourceScope::lines {
  const std::wstring* text = nullptr;
  std::uint32_t source = 0;
  std::vector<unsigned> starts;  // the first position of each line
};

namespace {

sourceScope::lines* current = nullptr;
std::uint32_t lastSource = 0;

}  // namespace

sourceScope::sourceScope(const std::wstring& text) {
  if (current != nullptr && current->text == &text) return;
  own_ = std::make_unique<lines>();
  own_->text = &text;
  own_->source = ++lastSource;
  if (lastSource == 0) own_->source = lastSource = 1;  // 0 stands for no source
  own_->starts.push_back(0);
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == L'\n') own_->starts.push_back(static_cast<unsigned>(i + 1));
  previous_ = current;
  current = own_.get();
}

sourceScope::~sourceScope() {
  if (own_ != nullptr) current = previous_;
}

std::uint32_t sourceScope::source() const { return current != nullptr ? current->source : 0; }

std::uint32_t currentSource() { return current != nullptr ? current->source : 0; }

localSourcePlace sourcePlaceOf(unsigned position) {
  if (current == nullptr) return {};
  const std::vector<unsigned>& starts = current->starts;
  const auto after = std::upper_bound(starts.begin(), starts.end(), position);
  const auto line = static_cast<std::uint32_t>(after - starts.begin());
  return localSourcePlace{line, position - starts[line - 1] + 1, false};
}

}  // namespace localCompile
