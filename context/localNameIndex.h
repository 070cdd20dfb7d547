#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

// Hash index from a name to the position of its record in a vector of records. Names
// match without regard to the case of Latin and Russian letters, so a caller looks up
// the name exactly as the text spelled it, without making an upper-cased copy. The
// first record of a name wins: adding a name that is present keeps the old position.
class localNameIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  std::size_t find(std::wstring_view name) const;
  // Adds name (upper-cased by the caller) at position unless the name is present.
  void add(const std::wstring& name, std::size_t position);
  void clear() { positions_.clear(); }

  // Indexes the names of records (anything with a `name` member) from scratch.
  template <class Records>
  void rebuild(const Records& records) {
    clear();
    for (std::size_t i = 0; i < records.size(); ++i) add(records[i].name, i);
  }

 private:
  struct caseBlindHash {
    using is_transparent = void;
    std::size_t operator()(std::wstring_view name) const;
  };
  struct caseBlindEqual {
    using is_transparent = void;
    bool operator()(std::wstring_view left, std::wstring_view right) const;
  };
  std::unordered_map<std::wstring, std::size_t, caseBlindHash, caseBlindEqual> positions_;
};
