#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classes/localClassDeclaration.h"
#include "context/localNameSite.h"
#include "core/localReturnStateType.h"
#include "core/localValueDescription.h"

class localOperatorCompiled;

// The store one run of the console works in: registered classes, variables and
// functions (built-in routines and compiled user functions). Names are upper-cased.
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
  };

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
                                                std::wstring name, localValueList* arguments,
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
  // Lookups through a site's memory: the full lookup only when the generation moved.
  variableDescription* varAtSite(localNameSite<variableDescription>& site, const std::wstring& name);
  functionDescription* funcAtSite(localNameSite<functionDescription>& site, const std::wstring& upperName);
  // Stores a copy of value in the variable name (created when missing) found through site.
  void varSetValueAtSite(localNameSite<variableDescription>& site, const std::wstring& name,
                         localValueDescription&& value);

  // Variables. Pointers returned stay valid only until a variable is created or removed.
  variableDescription* varGetPointer(std::wstring name);
  void varSetValue(std::wstring name, const localValueDescription* value);
  void varSetValueNum(std::wstring name, double number);
  void varSetValueWStr(std::wstring name, std::wstring text);
  unsigned varCount() const;
  variableDescription* varByIdx(unsigned index);
  void varDeleteByIdx(unsigned index);
  void cleaMemo();

  // Functions
  functionDescription* funcGetPointer(const std::wstring& name);
  bool funcExec(localReturnStateType& state, const std::wstring& name, localValueList* arguments,
                localValueDescription* result);
  // The same for a record already found (null: no such function).
  bool funcExecRecord(localReturnStateType& state, const functionDescription* function, const std::wstring& name,
                      localValueList* arguments, localValueDescription* result);
  unsigned funcCount() const;
  functionDescription funcByIdx(unsigned index) const;
  // Registers a compiled body under name (replacing a built-in or an earlier body).
  // The context keeps every body it is given for the rest of its life.
  bool funcAddAsOperatorCompiled(std::wstring name, std::unique_ptr<localOperatorCompiled> node);

  // Listings
  void dispFunc(std::wstring pattern);
  void dispMemo(std::wstring pattern);
  void dispClas(std::wstring pattern);
  void dispCont();
  void varPrintCOUT(std::wstring name);
  std::string toStdString() const;

 private:
  void recordsChanged();

  std::uint64_t generation_ = 0;
  std::vector<localClassDeclaration*> classes;
  std::vector<variableDescription> variables;
  std::vector<functionDescription> functions;
  std::vector<std::unique_ptr<localOperatorCompiled>> compiledBodies;
};
