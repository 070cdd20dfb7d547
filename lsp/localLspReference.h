#pragma once
#include <string>
#include <vector>

// Help on the built-in functions and the members of the built-in classes, taken from
// the language reference itself (doc/functions.md and doc/classes.md, built into the
// program): each entry's text is its section of the reference up to the first example,
// and its signatures are the code spans there that write a call of it (`RIGHT(text, n)`,
// `t.NEWLINE(position)`). Editing the reference changes the help; nothing is kept twice.
// A name spelled in Russian is explained by the Russian reference (doc/ru/), whose
// sections are those of the English one, where it has the section.
namespace localLspReference {

struct entry {
  std::vector<std::wstring> names;       // upper case, English first
  std::vector<std::wstring> signatures;  // as the reference writes them
  std::wstring description;              // Markdown
  bool isAttribute = false;              // a class member read without brackets
};

struct classEntry {
  std::vector<std::wstring> names;  // upper case, English first
  std::wstring description;
  std::vector<entry> members;
};

const std::vector<entry>& functions();
const std::vector<classEntry>& classes();

// By upper-case name in either language, from the page of that name's language; null
// when none.
const entry* function(const std::wstring& upperName);
const classEntry* classNamed(const std::wstring& upperName);
const entry* member(const classEntry& owner, const std::wstring& upperName);

// The parameters of a signature: `RIGHT(text, n)` gives text and n.
std::vector<std::wstring> parameters(const std::wstring& signature);

// The pages parsed as the functions above parse the built-in ones (for tests).
std::vector<entry> parseFunctions(const std::wstring& page);
std::vector<classEntry> parseClasses(const std::wstring& page);

}  // namespace localLspReference
