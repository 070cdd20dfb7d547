#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/localReturnStateType.h"
#include "core/localSharedText.h"

class localClassDeclaration;
class localValueDescription;
struct localMemberSite;

// Argument list of a function or method call: pointers to values owned by the caller.
// A null pointer to a list stands for "no list".
using localValueList = std::vector<localValueDescription*>;

// The single value type of the language: number (0), string (1), boolean (2), object (3).
// Every value carries all five fields; a setter changes only its own fields and the kind.
// Copies share the object pointer; no value owns the object.
class localValueDescription {
 public:
  localValueDescription() = default;
  // Copies and moves take all five fields; a copy shares the text instead of copying its
  // characters (see localSharedText).
  localValueDescription(const localValueDescription&) = default;
  localValueDescription& operator=(const localValueDescription&) = default;
  localValueDescription(localValueDescription&&) noexcept = default;
  localValueDescription& operator=(localValueDescription&&) noexcept = default;
  ~localValueDescription() = default;

  // Makes the value a fresh one (the number 0, no text, class or object), as assigning a
  // new value would, without building one.
  void reset() {
    type_ = typeNumber;
    declaration_ = nullptr;
    text_.clear();
    number_ = 0.0;
    object_ = nullptr;
  }

  // reset() and then setVal(object, declaration), each field written once: a member chain
  // starts so on every method call.
  void resetToObject(void* object, localClassDeclaration* declaration) {
    text_.clear();
    type_ = typeObject;
    declaration_ = declaration;
    number_ = 0.0;
    object_ = object;
  }

  // Factories: a new value on the heap, owned by the caller.
  static std::unique_ptr<localValueDescription> New(const std::wstring& text);
  static std::unique_ptr<localValueDescription> New(double number);
  static std::unique_ptr<localValueDescription> New(void* object, localClassDeclaration* declaration);

  // The scalar setters are inline: expressions and methods call them for every result.
  void setVal(const std::wstring& text);
  void setVal(std::wstring&& text);
  void setVal(double number) {
    type_ = typeNumber;
    number_ = number;
  }
  void setVal(void* object, localClassDeclaration* declaration) {
    type_ = typeObject;
    object_ = object;
    declaration_ = declaration;
  }
  // Makes the value a string holding the characters [from, from + length) of source's
  // text (within it), shared rather than copied where that pays (see localSharedText).
  void setValPartOf(const localValueDescription& source, std::size_t from, std::size_t length) {
    type_ = typeString;
    text_ = localSharedText::partOf(source.text_, from, length);
  }
  // Takes all five fields of other, which is not this value, inline: for the few places
  // that copy a value on every pass of a program's loop (a table's cell, say).
  [[gnu::always_inline]] void assignInline(const localValueDescription& other) {
    type_ = other.type_;
    declaration_ = other.declaration_;
    text_ = other.text_;
    number_ = other.number_;
    object_ = other.object_;
  }
  // Takes all five fields of other, which is not this value, leaving other without its
  // text: a move that needs no check for itself (a slot into a variable).
  [[gnu::always_inline]] void takeFrom(localValueDescription& other) {
    type_ = other.type_;
    declaration_ = other.declaration_;
    text_.takeFrom(other.text_);
    number_ = other.number_;
    object_ = other.object_;
  }
  // Takes all five fields of *other (nothing for null or itself).
  void setVal(const localValueDescription* other) {
    if (other != nullptr && other != this) *this = *other;
  }
  void setBoo(bool flag) {
    type_ = typeBoolean;
    number_ = flag ? 1.0 : 0.0;
  }

  // A number and nothing else: no text, class or object left over from an earlier kind,
  // as a fresh value given a number holds it (a table keeps such a cell in place).
  bool isPlainNumber() const {
    return type_ == typeNumber && declaration_ == nullptr && object_ == nullptr && text_.absent();
  }
  // reset() and then setVal(number).
  void resetToNumber(double number) {
    type_ = typeNumber;
    declaration_ = nullptr;
    text_.clear();
    number_ = number;
    object_ = nullptr;
  }
  std::int32_t getType() const { return type_; }
  double getNum() const { return number_; }
  std::wstring getStr() const { return text_.get(); }
  // The text without a copy, for reading inside the interpreter; valid while the value is
  // neither changed nor destroyed.
  const std::wstring& getStrRef() const { return text_.get(); }
  // The text as a view, which never copies characters; valid as getStrRef's is.
  std::wstring_view getStrView() const { return text_.view(); }
  // Appends to the text in place (amortized constant time per character) and makes the
  // value a string; tail may view this value's own text.
  void appendStr(std::wstring_view tail);
  void* getObj() const { return object_; }
  localClassDeclaration* getClassDeclaration() const { return declaration_; }
  bool getBoo() const { return number_ > 0; }

  std::wstring getTypeName() const;
  std::wstring getClassName() const;
  std::wstring toString() const;
  void COUT() const;

  // Member access by name in any case (the declaration sees it upper-cased).
  bool getAttr(localReturnStateType& state, const std::wstring& name, localValueDescription& result) const;
  bool setAttr(localReturnStateType& state, const std::wstring& name, localValueDescription& value) const;
  bool methodExec(localReturnStateType& state, const std::wstring& name, localValueList* arguments,
                  localValueDescription& result) const;
  // The same call for a name that is upper case already (as localString::wstringToUpper
  // gives it); site (may be null) remembers the member found, for the next call from the
  // same place in a program.
  bool methodExec(localReturnStateType& state, const std::wstring& upperName, localValueList* arguments,
                  localValueDescription& result, localMemberSite* site) const;

  static constexpr std::int32_t typeNumber = 0;
  static constexpr std::int32_t typeString = 1;
  static constexpr std::int32_t typeBoolean = 2;
  static constexpr std::int32_t typeObject = 3;

 private:
  std::int32_t type_ = typeNumber;
  localClassDeclaration* declaration_ = nullptr;
  localSharedText text_;
  double number_ = 0.0;
  void* object_ = nullptr;
};

// Owns the values of an argument list and offers the plain pointer list that callees read.
// The first few values live inside the list itself, so a usual call allocates only the
// pointer list. Values keep their place until clear(); a moved list points at its own.
class localOwnedValueList {
 public:
  localOwnedValueList() = default;
  localOwnedValueList(localOwnedValueList&& other);
  localOwnedValueList& operator=(localOwnedValueList&&) = delete;
  localOwnedValueList(const localOwnedValueList&) = delete;
  localOwnedValueList& operator=(const localOwnedValueList&) = delete;

  // A new value (the number 0) at the end of the list.
  localValueDescription& emplace();
  // Takes the value over (moves it in); the pointer returned is where it now lives.
  localValueDescription* add(std::unique_ptr<localValueDescription> value);
  void clear();
  std::size_t size() const { return view_.size(); }
  localValueList* get() { return &view_; }
  localValueDescription* operator[](std::size_t index) const { return view_[index]; }

 private:
  static constexpr std::size_t inlineCount = 4;
  std::array<localValueDescription, inlineCount> inline_;
  std::size_t inlineUsed_ = 0;
  std::vector<std::unique_ptr<localValueDescription>> overflow_;
  localValueList view_;
};
