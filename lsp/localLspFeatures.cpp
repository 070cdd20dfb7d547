#include "lsp/localLspFeatures.h"

#include <algorithm>

#include "lsp/localLspCheck.h"
#include "lsp/localLspOutline.h"
#include "lsp/localLspReference.h"
#include "shell/localKeywordWords.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace localLspFeatures {

namespace {

// Completion item kinds of the protocol.
enum itemKind { methodItem = 2, functionItem = 3, propertyItem = 10, variableItem = 6, keywordItem = 14 };
constexpr int functionSymbol = 12;


std::string utf8(const std::wstring& text) { return localString::wstringToUtf8(text); }
std::wstring upper(const std::wstring& text) { return localString::wstringToUpper(text); }

json markdown(const std::wstring& text) { return {{"kind", "markdown"}, {"value", utf8(text)}}; }

std::wstring codeBlock(const std::wstring& code) { return L"```localinterp\n" + code + L"\n```"; }

std::wstring header(const localLspOutline::procedure& p) {
  std::wstring text = (p.isFunction ? L"FUNCTION " : L"PROCEDURE ") + p.name + L"(";
  for (std::size_t i = 0; i < p.parameters.size(); ++i) text += (i > 0 ? L", " : L"") + p.parameters[i];
  return text + L")";
}

std::wstring entryHelp(const localLspReference::entry& e) {
  std::wstring signatures;
  for (const std::wstring& s : e.signatures) signatures += (signatures.empty() ? L"" : L"\n") + s;
  if (signatures.empty()) signatures = e.names.front();
  return codeBlock(signatures) + L"\n\n" + e.description;
}

// The procedures of the file with this name, last declared first (the last one counts).
std::vector<const localLspOutline::procedure*> proceduresNamed(const localLspOutline::outline& o,
                                                               const std::wstring& upperName) {
  std::vector<const localLspOutline::procedure*> found;
  for (auto p = o.procedures.rbegin(); p != o.procedures.rend(); ++p) {
    if (upper(p->name) == upperName) found.push_back(&*p);
  }
  return found;
}

// The class of `object` as the file makes it, or null.
const localLspReference::classEntry* classOf(const localLspOutline::outline& o, const std::wstring& object) {
  const auto found = o.objects.find(upper(object));
  return found == o.objects.end() ? nullptr : localLspReference::classNamed(found->second);
}

// A member of the object's class, or of any class when the file does not say what it is.
const localLspReference::entry* memberOf(const localLspOutline::outline& o, const std::wstring& object,
                                         const std::wstring& upperName) {
  if (const localLspReference::classEntry* owner = classOf(o, object)) return localLspReference::member(*owner, upperName);
  for (const localLspReference::classEntry& c : localLspReference::classes()) {
    if (const localLspReference::entry* e = localLspReference::member(c, upperName)) return e;
  }
  return nullptr;
}

json item(const std::wstring& label, int kind, const std::wstring& detail = {}, const std::wstring& help = {}) {
  json made = {{"label", utf8(label)}, {"kind", kind}};
  if (!detail.empty()) made["detail"] = utf8(detail);
  if (!help.empty()) made["documentation"] = markdown(help);
  return made;
}

json signatureOf(const std::wstring& label, const std::wstring& help) {
  json parameters = json::array();
  // Each parameter as its [start, end) in the label, counted in UTF-16 units (all here are
  // in the 16-bit plane).
  const std::size_t open = label.find(L'(');
  if (open != std::wstring::npos) {
    std::size_t from = open + 1;
    for (const std::wstring& name : localLspReference::parameters(label)) {
      const std::size_t at = label.find(name, from);
      if (at == std::wstring::npos) break;
      parameters.push_back({{"label", {at, at + name.size()}}});
      from = at + name.size();
    }
  }
  json made = {{"label", utf8(label)}, {"parameters", parameters}};
  if (!help.empty()) made["documentation"] = markdown(help);
  return made;
}

}  // namespace

std::vector<std::wstring> keywords() { return {std::begin(localKeywordWords), std::end(localKeywordWords)}; }

json range(const localLspDocument& document, std::size_t start, std::size_t end) {
  std::size_t line = 0;
  std::size_t character = 0;
  document.positionOf(start, line, character);
  json from = {{"line", line}, {"character", character}};
  document.positionOf(end, line, character);
  return {{"start", from}, {"end", {{"line", line}, {"character", character}}}};
}

json diagnostics(const localLspDocument& document) {
  json list = json::array();
  for (const localLspCheck::problem& p : localLspCheck::check(document.text())) {
    json made = {{"range", range(document, p.start, p.end)},
                 {"severity", static_cast<int>(p.level)},
                 {"source", "localinterp"},
                 {"message", utf8(p.message)}};
    if (!p.code.empty()) made["code"] = utf8(p.code);
    list.push_back(std::move(made));
  }
  return list;
}

json completion(const localLspDocument& document, std::size_t offset) {
  const std::wstring& text = document.text();
  json items = json::array();
  json result = {{"isIncomplete", false}, {"items", items}};
  if (localLspOutline::inCommentOrString(text, offset)) return result;
  const localLspOutline::outline o = localLspOutline::read(text);
  const localLspOutline::span word = localLspOutline::wordAt(text, offset);
  const std::wstring object = localLspOutline::objectBefore(text, word.start);
  if (!object.empty()) {
    // After `t.`: the members of t's class, when the file makes t an object.
    if (const localLspReference::classEntry* owner = classOf(o, object)) {
      for (const localLspReference::entry& listed : owner->members) {
        for (const std::wstring& name : listed.names) {
          // Each spelling with the help of its own language.
          const localLspReference::entry& member = *localLspReference::member(*owner, name);
          items.push_back(item(name, member.isAttribute ? propertyItem : methodItem,
                               member.signatures.empty() ? std::wstring() : member.signatures.front(),
                               member.description));
        }
      }
    }
    result["items"] = std::move(items);
    return result;
  }
  for (const wchar_t* keyword : localKeywordWords) items.push_back(item(keyword, keywordItem));
  for (const localLspReference::entry& listed : localLspReference::functions()) {
    for (const std::wstring& name : listed.names) {
      const localLspReference::entry& function = *localLspReference::function(name);
      items.push_back(item(name, functionItem, function.signatures.front(), function.description));
    }
  }
  for (const localLspOutline::procedure& p : o.procedures) items.push_back(item(p.name, functionItem, header(p)));
  const std::wstring typed = upper(text.substr(word.start, word.end - word.start));
  for (const std::wstring& variable : o.variables) {
    // The word being typed is no variable to offer.
    if (upper(variable) != typed) items.push_back(item(variable, variableItem));
  }
  result["items"] = std::move(items);
  return result;
}

json hover(const localLspDocument& document, std::size_t offset) {
  const std::wstring& text = document.text();
  const localLspOutline::span word = localLspOutline::wordAt(text, offset);
  if (word.start == word.end || localLspOutline::inCommentOrString(text, word.start + 1)) return nullptr;
  const std::wstring name = upper(text.substr(word.start, word.end - word.start));
  const localLspOutline::outline o = localLspOutline::read(text);
  const std::wstring object = localLspOutline::objectBefore(text, word.start);
  std::wstring help;
  if (!object.empty()) {
    if (const localLspReference::entry* member = memberOf(o, object, name)) help = entryHelp(*member);
  } else if (const auto declared = proceduresNamed(o, name); !declared.empty()) {
    help = codeBlock(header(*declared.front()));
  } else if (const localLspReference::entry* function = localLspReference::function(name)) {
    help = entryHelp(*function);
  }
  if (help.empty()) return nullptr;
  return {{"contents", markdown(help)}, {"range", range(document, word.start, word.end)}};
}

json signatureHelp(const localLspDocument& document, std::size_t offset) {
  const std::wstring& text = document.text();
  if (localLspOutline::inCommentOrString(text, offset)) return nullptr;
  const localLspOutline::call call = localLspOutline::callAt(text, offset);
  if (!call.found) return nullptr;
  const localLspOutline::outline o = localLspOutline::read(text);
  const std::wstring name = upper(call.name);
  json signatures = json::array();
  const localLspReference::entry* entry = nullptr;
  if (!call.object.empty()) {
    entry = memberOf(o, call.object, name);
  } else if (const auto declared = proceduresNamed(o, name); !declared.empty()) {
    signatures.push_back(signatureOf(header(*declared.front()), {}));
  } else {
    entry = localLspReference::function(name);
  }
  if (entry != nullptr) {
    for (const std::wstring& s : entry->signatures) signatures.push_back(signatureOf(s, entry->description));
  }
  if (signatures.empty()) return nullptr;
  // The first signature that has the argument being typed.
  std::size_t active = 0;
  for (std::size_t i = 0; i < signatures.size(); ++i) {
    if (signatures[i]["parameters"].size() > call.argument) {
      active = i;
      break;
    }
  }
  return {{"signatures", signatures}, {"activeSignature", active}, {"activeParameter", call.argument}};
}

json definition(const localLspDocument& document, std::size_t offset, const std::string& uri) {
  const std::wstring& text = document.text();
  const localLspOutline::span word = localLspOutline::wordAt(text, offset);
  if (word.start == word.end || !localLspOutline::objectBefore(text, word.start).empty()) return nullptr;
  const localLspOutline::outline o = localLspOutline::read(text);
  json locations = json::array();
  for (const localLspOutline::procedure* p : proceduresNamed(o, upper(text.substr(word.start, word.end - word.start))))
    locations.push_back({{"uri", uri}, {"range", range(document, p->nameSpan.start, p->nameSpan.end)}});
  if (locations.empty()) return nullptr;
  return locations;
}

json documentSymbols(const localLspDocument& document) {
  json symbols = json::array();
  for (const localLspOutline::procedure& p : localLspOutline::read(document.text()).procedures) {
    symbols.push_back({{"name", utf8(p.name)},
                       {"detail", utf8(header(p))},
                       {"kind", functionSymbol},
                       {"range", range(document, p.whole.start, p.whole.end)},
                       {"selectionRange", range(document, p.nameSpan.start, p.nameSpan.end)}});
  }
  return symbols;
}

}  // namespace localLspFeatures
