#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/localLspDocument.h"

// The answers of the language server, each computed from one document: the results of
// completion, hover, signature help, definition and document symbols, and the
// diagnostics to publish, as the protocol's JSON.
namespace localLspFeatures {

using json = nlohmann::json;

// The keywords and console command words completion offers, both spellings.
std::vector<std::wstring> keywords();

json range(const localLspDocument& document, std::size_t start, std::size_t end);
json diagnostics(const localLspDocument& document);
json completion(const localLspDocument& document, std::size_t offset);
json hover(const localLspDocument& document, std::size_t offset);
json signatureHelp(const localLspDocument& document, std::size_t offset);
json definition(const localLspDocument& document, std::size_t offset, const std::string& uri);
json documentSymbols(const localLspDocument& document);

}  // namespace localLspFeatures
