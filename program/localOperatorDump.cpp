// Textual dump of a compiled tree, for inspecting what the compiler built.
#include <iostream>
#include <string>

#include "core/localTrace.h"
#include "program/localOperatorCompiled.h"
#include "text/localString.h"

namespace {

const char* const kOperation = "COUT";

void printIndent(unsigned indent) {
  for (unsigned i = 0; i < indent; ++i) std::cout << "..... ";
}

void printText(const std::wstring& text) { std::cout << localString::wstringToStdStringMultibyte(text); }

}  // namespace

void localOperatorCompiled::COUT(const unsigned& indent) const {
  std::cout << "[" << position << "]  ";
  const std::wstring level = std::to_wstring(indent);
  switch (kind) {
    case localCompiledOperatorTypeNONE:
      localTrace(L"localCompiledOperatorTypeNONE ", kOperation, 235);
      break;
    case localCompiledOperatorTypeBLOCK:
      printIndent(indent);
      localTrace(L"// start localCompiledOperatorTypeBLOCK with indent=" + level + L" func: ", kOperation, 240);
      // The statements of a block stay at the block's own level.
      for (const localOperatorCompiled& child : children) child.COUT(indent);
      printIndent(indent);
      localTrace(L"// finish localCompiledOperatorTypeBLOCK with indent=" + level + L" func: ", kOperation, 243);
      break;
    case localCompiledOperatorTypeCOMMAND:
      printIndent(indent);
      localTrace(text + L"; ", kOperation, 249);
      break;
    case localCompiledOperatorTypeEXPRESSION:
      printIndent(indent);
      localTrace((name.empty() ? std::wstring() : name + L"=") + text + L"; ", kOperation, 256);
      break;
    case localCompiledOperatorTypeIF: {
      localTrace(L"localCompiledOperatorTypeIF ", kOperation, 273);
      const unsigned deeper = indent + 1;
      bool first = true;
      for (const localOperatorCompiled& branch : children) {
        printIndent(indent);
        if (first) {
          std::cout << "if ";
        } else {
          std::cout << (branch.text.empty() ? "else " : "elseif ");
        }
        first = false;
        if (!branch.text.empty()) {
          std::cout << " (";
          printText(branch.text);
          std::cout << ") then ";
        }
        localTrace(L"   func: ", kOperation, 284);  // "  " then " func: "
        branch.COUT(deeper);
      }
      printIndent(indent);
      localTrace(L"endif;  func: ", kOperation, 291);
      break;
    }
    case localCompiledOperatorTypeASSIGN:
      printIndent(indent);
      localTrace(name + L"=" + text + L"; ", kOperation, 297);
      break;
    case localCompiledOperatorTypePRINT:
      printIndent(indent);
      localTrace(L"? (" + text + L") ; ", kOperation, 303);
      break;
    case localCompiledOperatorTypeRENURN:
      localTrace(L"localCompiledOperatorTypeRENURN ", kOperation, 307);
      break;
    case localCompiledOperatorTypeWHILE: {
      printIndent(indent);
      localTrace(L"while " + text + L" do func: ", kOperation, 263);
      const unsigned deeper = indent + 1;
      for (const localOperatorCompiled& child : children) child.COUT(deeper);
      printIndent(indent);
      localTrace(L"enddo;  func: ", kOperation, 268);
      break;
    }
    default:
      localTrace(L"localErrorTypeCODE!!! неизвестный вид узла func: ", kOperation, 310);
      break;
  }
}
