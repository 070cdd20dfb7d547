#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/localClassDeclaration.h"
#include "context/localNameIndex.h"
#include "context/localNameSite.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

class localOperatorCompiled;
namespace localBuiltin {
struct entry;
}

// The store one run of the console works in: registered classes, variables and
// functions (built-in routines and compiled user functions). Names are stored
// upper-cased and found through a hash index in any case; the vectors keep the order of
// creation for the listings.
class localContextUTF8 {
 public:
  struct variableDescription {
    std::wstring name;
    localValueDescription value;
  };
  struct functionDescription {
    std::wstring name;
    localExecFunction methodFunction = nullptr;
    localOperatorCompiled* operatorCompiled = nullptr;
    const localBuiltin::entry* builtin = nullptr;  // a built-in's table entry, called directly
  };
  static constexpr std::size_t npos = localNameIndex::npos;

  localContextUTF8();
  virtual ~localContextUTF8();
  localContextUTF8(const localContextUTF8&) = delete;
  localContextUTF8& operator=(const localContextUTF8&) = delete;

  // Start-up: built-in functions, the date-time class, the predefined variables.
  bool init(localReturnStateType& state);
  // The declaration that describes the built-in function library (not registered).
  static std::unique_ptr<localClassDeclaration> getClassDeclaration();
  // The one routine behind every built-in function; object holds the context.
  static bool classImplementationMethodFunction(localReturnStateType& state, void*& object,
                                                const std::wstring& name, localValueList* arguments,
                                                localValueDescription& result);

  // Classes
  bool classReg(localClassDeclaration* declaration);
  unsigned getClassCount() const;
  localClassDeclaration* getClassDeclarationByIdx(const unsigned& index) const;
  localClassDeclaration* getClassDeclarationByName(const std::wstring& name) const;
  bool createObj(localReturnStateType& state, const std::wstring& className,
                 localValueDescription& result);

  // Changes, to a number no context has had before, whenever a variable or function
  // record is added, removed or cleared (see localNameSite).
  std::uint64_t generation() const { return generation_; }
  // funcFind through a site's memory: the index is asked only when the generation moved.
  std::size_t funcFindAtSite(localNameSite& site, std::wstring_view name) {
    return remembers(site) ? site.position : lookUp(site, funcFind(name));
  }
  // The value of the variable at a position varFind gave, for a caller that calls
  // varWillChange() before each change it makes to it.
  localValueDescription& varValueAt(std::size_t position) { return variables[position].value; }
  void varWillChange() { varSettlePostponedRead(); }

  // Variables, looked up in any case. Pointers and positions returned stay valid only
  // until a variable is created or removed.
  std::size_t varFind(std::wstring_view name) const;  // position for varByIdx, or npos
  variableDescription* varGetPointer(std::wstring_view name);
  // Stores a copy of *value (value may be a variable's own value).
  void varSetValue(std::wstring_view name, const localValueDescription* value);
  // Stores value by moving it: no copy of its text.
  void varSetValue(std::wstring_view name, localValueDescription&& value);
  void varSetValueNum(std::wstring_view name, double number);
  void varSetValueWStr(std::wstring_view name, std::wstring text);
  unsigned varCount() const;
  // For reading: the name must stay as it is, and values change through varSetValue
  // (which keeps a postponed read, below, right).
  variableDescription* varByIdx(unsigned index) {
    return index < variables.size() ? &variables[index] : nullptr;
  }
  void varDeleteByIdx(unsigned index);
  void cleaMemo();

  // Postponed read, for `s = s + t`: the evaluator reads the variable at position as its
  // left operand but does not copy it yet. Until the read ends, the first change of any
  // variable copies the value into *into. One read may be postponed at a time: false when
  // one already is (the caller then copies at once).
  bool varPostponeRead(std::size_t position, localValueDescription* into);
  // Ends the postponed read: true when no variable has changed since it began, so the
  // variable still holds the value that was read.
  bool varEndPostponedRead();

  // Functions
  std::size_t funcFind(std::wstring_view name) const;  // position for funcByIdx, or npos
  functionDescription* funcGetPointer(std::wstring_view name);
  // Calls the function of that name; a built-in routine is handed the name as passed.
  bool funcExec(localReturnStateType& state, std::wstring_view name, localValueList* arguments,
                localValueDescription* result);
  // Calls the function at a position funcFind gave, as if by its own (upper-case) name;
  // npos fails as an unknown function. This, callCompiled and callFunction are inline,
  // in context/localContextCalls.h: programs call functions in their loops.
  inline bool funcExecAt(localReturnStateType& state, std::size_t position, localValueList* arguments,
                         localValueDescription* result);
  // The compiled body of the user function at a position funcFind gave; null for none.
  const localOperatorCompiled* funcCompiledAt(std::size_t position) const {
    return position < functions.size() ? functions[position].operatorCompiled : nullptr;
  }
  // Runs a compiled body as a call of its function does: bounded nesting, Ctrl-C.
  inline bool callCompiled(localReturnStateType& state, const localOperatorCompiled& body,
                           localValueList* arguments, localValueDescription& result);
  unsigned funcCount() const;
  functionDescription funcByIdx(unsigned index) const;
  // Registers a compiled body under name (replacing a built-in or an earlier body).
  // The context keeps every body it is given for the rest of its life.
  bool funcAddAsOperatorCompiled(std::wstring name, std::unique_ptr<localOperatorCompiled> node);

  // Listings for the console commands (defined in shell/localContextListings.cpp).
  void dispFunc(std::wstring pattern);
  void dispMemo(std::wstring pattern);
  void dispClas(std::wstring pattern);
  void dispCont();
  void varPrintCOUT(std::wstring name);
  // The context's text form (the built-in TOSTRING).
  std::string toStdString() const;

 private:
  void recordsChanged();
  bool remembers(const localNameSite& site) const { return site.generation == generation_; }
  std::size_t lookUp(localNameSite& site, std::size_t position) const;
  std::uint64_t generation_ = 0;

  inline bool callFunction(localReturnStateType& state, std::size_t position, std::wstring_view name,
                           localValueList* arguments, localValueDescription* result);
  // The parts of a call only failures and routines reach, out of line. callRoutine runs
  // a built-in called by another spelling of its name from its table entry (the routine
  // would only look the name up again) and any other routine by the name as passed,
  // which knows upper-case names only.
  static bool callWithoutResult(localReturnStateType& state);
  static bool callTooDeep(localReturnStateType& state);
  bool callRoutine(localReturnStateType& state, const functionDescription& function, std::wstring_view name,
                   localValueList* arguments, localValueDescription& result);

  std::vector<localClassDeclaration*> classes;
  // Every change of these vectors keeps its index right: a record added is indexed, a
  // record removed re-indexes the records behind it.
  std::vector<variableDescription> variables;
  localNameIndex variableIndex;
  struct postponedRead {
    std::size_t position = npos;
    localValueDescription* into = nullptr;
  } pendingRead;
  // Every change of the variables calls this first.
  void varSettlePostponedRead() {
    if (pendingRead.into != nullptr) settlePostponedRead();
  }
  void settlePostponedRead();
  std::vector<functionDescription> functions;
  localNameIndex functionIndex;
  std::vector<std::unique_ptr<localOperatorCompiled>> compiledBodies;
};
