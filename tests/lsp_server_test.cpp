// The language server through its streams, as an editor talks to it: the session's
// order, diagnostics on open and change, completion, hover, signature help, definition
// and symbols, and input it must refuse without ending.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "classes/localLoadableClasses.h"
#include "context/localContextUTF8.h"
#include "core/localClassDeclaration.h"
#include "lsp/localLspOutline.h"
#include "lsp/localLspReference.h"
#include "lsp/localLspServer.h"
#include "protocol/localJsonRpc.h"
#include "protocol/localMessageFraming.h"
#include "text/localString.h"
#include "text/localUtf8.h"

namespace {

using json = localJsonRpc::json;

const std::string uri = "file:///work/prog.prg";

json request(int id, const std::string& method, const json& params) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
}
json notification(const std::string& method, const json& params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
}
json opened(const std::string& text) {
  return notification("textDocument/didOpen",
                      {{"textDocument", {{"uri", uri}, {"languageId", "localinterp"}, {"version", 1}, {"text", text}}}});
}
json at(int id, const std::string& method, int line, int character) {
  return request(id, method, {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}});
}

struct session {
  std::vector<json> messages;  // everything the server wrote, in order
  int status = -1;
  json response(int id) const {
    for (const json& m : messages) {
      if (m.contains("id") && m["id"] == id) return m;
    }
    ADD_FAILURE() << "no response " << id;
    return {};
  }
  std::vector<json> diagnostics() const {
    std::vector<json> found;
    for (const json& m : messages) {
      if (m.value("method", "") == "textDocument/publishDiagnostics") found.push_back(m["params"]["diagnostics"]);
    }
    return found;
  }
};

// Runs a whole session: initialize, the messages given, shutdown and exit.
session run(const std::vector<json>& messages, bool orderly = true, std::size_t largestDocument = 1000) {
  std::string bytes;
  std::vector<json> all;
  if (orderly) all.push_back(request(1000, "initialize", {{"capabilities", json::object()}}));
  all.insert(all.end(), messages.begin(), messages.end());
  if (orderly) {
    all.push_back(request(1001, "shutdown", nullptr));
    all.push_back(notification("exit", nullptr));
  }
  for (const json& m : all) {
    const std::string content = m.dump();
    bytes += "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
  }
  std::istringstream input(bytes);
  std::ostringstream output;
  session result;
  result.status = localLspServer::serve(input, output, largestDocument);
  // The output is nothing but framed JSON messages.
  std::istringstream written(output.str());
  localMessageFraming::reader reader(written);
  for (auto m = reader.next(); m.status != localMessageFraming::message::kind::endOfInput; m = reader.next()) {
    EXPECT_EQ(m.status, localMessageFraming::message::kind::content) << output.str();
    result.messages.push_back(json::parse(m.content));
  }
  return result;
}

std::vector<std::string> labels(const json& completion) {
  std::vector<std::string> found;
  for (const json& item : completion["result"]["items"]) found.push_back(item["label"]);
  return found;
}

bool has(const std::vector<std::string>& list, const std::string& word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

TEST(LspServer, SessionOrderIsKept) {
  const session early = run({at(1, "textDocument/hover", 0, 0), request(2, "initialize", json::object()),
                             request(3, "initialize", json::object()), notification("exit", nullptr)},
                            false);
  EXPECT_EQ(early.response(1)["error"]["code"], -32002);
  EXPECT_TRUE(early.response(2)["result"]["capabilities"]["hoverProvider"].get<bool>());
  EXPECT_EQ(early.response(3)["error"]["code"], -32600);
  EXPECT_EQ(early.status, 1);  // exit without shutdown
  EXPECT_EQ(run({}).status, 0);
}

TEST(LspServer, DiagnosticsFollowOpenAndEveryChange) {
  // An edit that inserts "1" before the ";" that the error stands on.
  const json change = notification(
      "textDocument/didChange",
      {{"textDocument", {{"uri", uri}, {"version", 2}}},
       {"contentChanges", {{{"range", {{"start", {{"line", 1}, {"character", 11}}}, {"end", {{"line", 1}, {"character", 11}}}}},
                            {"text", "1"}}}}});
  const session s = run({opened("// ok\r\nx = '🙂' + ;\r\n? 8 / 2 * 4;\r\n"), change,
                         notification("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 3}}},
                                                                 {"contentChanges", {{{"text", "y = 1\n? y;"}}}}}),
                         notification("textDocument/didClose", {{"textDocument", {{"uri", uri}}}})});
  const std::vector<json> published = s.diagnostics();
  ASSERT_EQ(published.size(), 4u);
  ASSERT_EQ(published[0].size(), 2u) << published[0];
  // Columns count UTF-16 units: the emoji before the error takes two.
  EXPECT_EQ(published[0][0]["severity"], 1);
  EXPECT_EQ(published[0][0]["range"]["start"], json({{"line", 1}, {"character", 11}}));
  EXPECT_FALSE(published[0][0]["message"].get<std::string>().empty());
  const json warning = published[0][1];
  EXPECT_EQ(warning["severity"], 2);
  EXPECT_EQ(warning["code"], "operator-binding");
  EXPECT_EQ(warning["range"], json({{"start", {{"line", 2}, {"character", 4}}}, {"end", {{"line", 2}, {"character", 9}}}}));
  ASSERT_EQ(published[1].size(), 1u) << published[1];
  EXPECT_EQ(published[1][0]["code"], "operator-binding");
  // A missing ";" is marked at the end of the statement that lacks it.
  ASSERT_EQ(published[2].size(), 1u);
  EXPECT_EQ(published[2][0]["range"]["start"], json({{"line", 0}, {"character", 5}}));
  EXPECT_TRUE(published[3].empty());
}

TEST(LspServer, CompletionOffersWordsNamesAndATablesMembers) {
  const std::string text =
      "PROCEDURE Show(a)\n  ? a;\nENDPROCEDURE;\ntotal = 0;\nt = CREATEOBJECT('VALUETABLE');\n"
      "t.\nn = 5; n.\n// t.\n";
  const session s = run({opened(text), at(1, "textDocument/completion", 7, 0), at(2, "textDocument/completion", 5, 2),
                         at(3, "textDocument/completion", 6, 9), at(4, "textDocument/completion", 7, 5)});
  const std::vector<std::string> everything = labels(s.response(1));
  for (const char* word : {"IF", "ЕСЛИ", "КОНЕЦЦИКЛА", "STRLEN", "СТРДЛИНА", "Show", "total", "t", "DISPLAY"})
    EXPECT_TRUE(has(everything, word)) << word;
  const std::vector<std::string> members = labels(s.response(2));
  for (const char* word : {"NEWCOLUMN", "НОВАЯКОЛОНКА", "SORT", "GETVALUE"}) EXPECT_TRUE(has(members, word)) << word;
  EXPECT_FALSE(has(members, "STRLEN"));
  EXPECT_TRUE(labels(s.response(3)).empty());  // n is no object
  EXPECT_TRUE(labels(s.response(4)).empty());  // in a comment
}

TEST(LspServer, HoverAndSignatureHelpComeFromTheReference) {
  const session s = run({opened("FUNCTION Twice(x)\nENDFUNCTION;\nt = СОЗДАТЬОБЪЕКТ('ТаблицаЗначений');\n"
                                "? RIGHT('abc', 1) + СТРДЛИНА('x');\nt.SETVALUE(1, \nTwice(\n"),
                         at(1, "textDocument/hover", 3, 3), at(2, "textDocument/hover", 3, 20), at(3, "textDocument/hover", 4, 4),
                         at(4, "textDocument/signatureHelp", 3, 14), at(5, "textDocument/signatureHelp", 4, 14),
                         at(6, "textDocument/hover", 5, 1), at(7, "textDocument/signatureHelp", 5, 6),
                         at(8, "textDocument/hover", 0, 0)});
  const std::string right = s.response(1)["result"]["contents"]["value"];
  EXPECT_NE(right.find("RIGHT(text, n)"), std::string::npos) << right;
  EXPECT_NE(right.find("the last n characters"), std::string::npos) << right;
  // A Russian spelling is explained by the Russian reference.
  EXPECT_NE(s.response(2)["result"]["contents"]["value"].get<std::string>().find("СТРДЛИНА(текст)"), std::string::npos);
  EXPECT_NE(s.response(3)["result"]["contents"]["value"].get<std::string>().find("t.SETVALUE("), std::string::npos);
  const json help = s.response(4)["result"];
  EXPECT_EQ(help["activeParameter"], 1);
  EXPECT_EQ(help["signatures"][0]["label"], "RIGHT(text, n)");
  EXPECT_EQ(help["signatures"][0]["parameters"][1]["label"], json({12, 13}));
  EXPECT_EQ(s.response(5)["result"]["activeParameter"], 1);
  EXPECT_EQ(s.response(6)["result"]["contents"]["value"], "```localinterp\nFUNCTION Twice(x)\n```");
  EXPECT_EQ(s.response(7)["result"]["signatures"][0]["label"], "FUNCTION Twice(x)");
  EXPECT_TRUE(s.response(8)["result"].is_null());  // a keyword
}

TEST(LspServer, DefinitionAndSymbolsNameTheDeclarations) {
  const session s = run({opened("Процедура Показать()\n  ? 1;\nКонецПроцедуры;\nFUNCTION f(a, b)\nENDFUNCTION;\nПоказать();\n"),
                         at(1, "textDocument/definition", 5, 2), request(2, "textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}}),
                         at(3, "textDocument/definition", 1, 4)});
  const json location = s.response(1)["result"];
  ASSERT_EQ(location.size(), 1u);
  EXPECT_EQ(location[0]["range"], json({{"start", {{"line", 0}, {"character", 10}}}, {"end", {{"line", 0}, {"character", 18}}}}));
  const json symbols = s.response(2)["result"];
  ASSERT_EQ(symbols.size(), 2u);
  EXPECT_EQ(symbols[0]["name"], "Показать");
  EXPECT_EQ(symbols[0]["range"]["end"], json({{"line", 2}, {"character", 14}}));
  EXPECT_EQ(symbols[1]["detail"], "FUNCTION f(a, b)");
  EXPECT_TRUE(s.response(3)["result"].is_null());
}

TEST(LspServer, BadRequestsAndHugeDocumentsGetErrorsAndTheServerGoesOn) {
  const std::string huge(1001, 'x');
  const session s = run({request(1, "textDocument/nosuch", json::object()), at(2, "textDocument/hover", 0, 0),
                         opened("x = 1;"), at(3, "textDocument/hover", -1, 0),
                         request(4, "textDocument/hover", {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 1e300}, {"character", 0}}}}),
                         at(5, "textDocument/hover", 9999, 9999), opened(huge), at(6, "textDocument/completion", 0, 0)});
  EXPECT_EQ(s.response(1)["error"]["code"], -32601);
  EXPECT_EQ(s.response(2)["error"]["code"], -32602);  // not open
  EXPECT_EQ(s.response(3)["error"]["code"], -32602);
  EXPECT_EQ(s.response(4)["error"]["code"], -32602);
  EXPECT_TRUE(s.response(5)["result"].is_null());
  EXPECT_EQ(s.response(6)["error"]["code"], -32803);
  EXPECT_EQ(s.diagnostics().back()[0]["severity"], 2);
  EXPECT_EQ(s.status, 0);
}

TEST(LspOutline, CallsObjectsAndDeclarationsInTextBeingTyped) {
  const std::wstring call = L"x = MAX(STRLEN('a,(b'), INT(2 // ), \n), ";
  const localLspOutline::call found = localLspOutline::callAt(call, call.size());
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.name, L"MAX");
  EXPECT_EQ(found.argument, 2u);
  EXPECT_FALSE(localLspOutline::callAt(L"F(1); x = (2, ", 14).found);  // a bracket, no call

  const localLspOutline::outline o = localLspOutline::read(
      L"t = CREATEOBJECT( 'ValueTable' );\ncopy = t;\nother = t.GETVALUE(1, 1);\nIF t = 1 THEN x = 1; ENDIF;\n"
      L"u = t; u = 5;\nFUNCTION Broken(a, b\n");
  EXPECT_EQ(o.objects, (std::map<std::wstring, std::wstring>{{L"T", L"VALUETABLE"}, {L"COPY", L"VALUETABLE"}}));
  EXPECT_EQ(o.variables, (std::vector<std::wstring>{L"t", L"copy", L"other", L"x", L"u", L"a", L"b"}));
  ASSERT_EQ(o.procedures.size(), 1u);
  EXPECT_EQ(o.procedures[0].parameters, (std::vector<std::wstring>{L"a", L"b"}));
}

// Hover and completion help is the reference's own text: every built-in function and
// every member of a loadable class has a section there with its call written out.
TEST(LspReference, EveryBuiltInAndMemberHasHelpWithASignature) {
  localContextUTF8 context;
  for (unsigned i = 0; i < context.funcCount(); ++i) {
    const std::wstring name = context.funcByIdx(i).name;
    const localLspReference::entry* entry = localLspReference::function(localString::wstringToUpper(name));
    ASSERT_NE(entry, nullptr) << localString::wstringToUtf8(name);
    EXPECT_FALSE(entry->signatures.empty() || entry->description.empty()) << localString::wstringToUtf8(name);
  }
  for (const localLoadableClass& loadable : localLoadableClassTable()) {
    const localLspReference::classEntry* documented = localLspReference::classNamed(loadable.english);
    ASSERT_NE(documented, nullptr);
    for (const localClassDeclaration::classMember* member : loadable.declaration()->members) {
      if (member->name.empty()) continue;  // the constructor
      const localLspReference::entry* entry = localLspReference::member(*documented, member->name);
      ASSERT_NE(entry, nullptr) << localString::wstringToUtf8(member->name);
      EXPECT_TRUE(entry->isAttribute || !entry->signatures.empty()) << localString::wstringToUtf8(member->name);
    }
  }
  const localLspReference::entry* newLine =
      localLspReference::member(*localLspReference::classNamed(L"ТАБЛИЦАЗНАЧЕНИЙ"), L"NEWLINE");
  ASSERT_NE(newLine, nullptr);
  EXPECT_EQ(newLine->signatures, (std::vector<std::wstring>{L"t.NEWLINE()", L"t.NEWLINE(position)"}));
  const localLspReference::entry* russian =
      localLspReference::member(*localLspReference::classNamed(L"VALUETABLE"), L"НОВАЯСТРОКА");
  ASSERT_NE(russian, nullptr);
  EXPECT_EQ(russian->signatures, (std::vector<std::wstring>{L"t.НОВАЯСТРОКА()", L"t.НОВАЯСТРОКА(позиция)"}));
  // A link to another page of the reference keeps its text only.
  const std::wstring pi = localLspReference::function(L"PI")->description;
  EXPECT_NE(pi.find(L"(see Programs)"), std::wstring::npos) << localString::wstringToUtf8(pi);
}

}  // namespace
