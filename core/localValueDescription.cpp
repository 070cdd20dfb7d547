#include "core/localValueDescription.h"

#include <iostream>

#include "classes/localClassDeclaration.h"
#include "text/localString.h"

// Factories -------------------------------------------------------------------------------

std::unique_ptr<localValueDescription> localValueDescription::New(const std::wstring& text) {
  auto value = std::make_unique<localValueDescription>();
  value->setVal(text);
  return value;
}

std::unique_ptr<localValueDescription> localValueDescription::New(double number) {
  auto value = std::make_unique<localValueDescription>();
  value->setVal(number);
  return value;
}

std::unique_ptr<localValueDescription> localValueDescription::New(void* object,
                                                                  localClassDeclaration* declaration) {
  auto value = std::make_unique<localValueDescription>();
  value->setVal(object, declaration);
  return value;
}

// Setters: each changes the kind and its own fields only --------------------------------

void localValueDescription::setVal(const std::wstring& text) {
  type_ = typeString;
  text_ = text;
}

void localValueDescription::setVal(std::wstring&& text) {
  type_ = typeString;
  text_ = std::move(text);
}

void localValueDescription::appendStr(const std::wstring& tail) {
  type_ = typeString;
  text_ += tail;
}

void localValueDescription::setVal(double number) {
  type_ = typeNumber;
  number_ = number;
}

void localValueDescription::setVal(void* object, localClassDeclaration* declaration) {
  type_ = typeObject;
  object_ = object;
  declaration_ = declaration;
}

void localValueDescription::setVal(const localValueDescription* other) {
  if (other == nullptr || other == this) return;
  *this = *other;
}

void localValueDescription::setBoo(bool flag) {
  type_ = typeBoolean;
  number_ = flag ? 1.0 : 0.0;
}

// Names and text forms ----------------------------------------------------------------------

std::wstring localValueDescription::getTypeName() const {
  switch (type_) {
    case typeNumber:
      return L"ЧИСЛО";
    case typeString:
      return L"СТРОКА";
    case typeObject:
      return declaration_ != nullptr ? declaration_->classSynonym : L"ОБЪЕКТ";
    default:
      return L"неизвестный тип";  // booleans have no type name of their own
  }
}

std::wstring localValueDescription::getClassName() const {
  return declaration_ != nullptr ? declaration_->className : L"<unknown class>";
}

std::wstring localValueDescription::toString() const {
  switch (type_) {
    case typeString:
      return text_;
    case typeNumber:
      return localString::doubleToStdWString(number_);
    case typeBoolean:
      // Not-a-number compares unequal to 0 and therefore prints as true.
      return number_ != 0.0 ? L"ИСТИНА" : L"ЛОЖЬ";
    case typeObject: {
      // The object's own TOSTRING method gives its text; any failure gives the empty text.
      localValueDescription text;
      text.setVal(std::wstring());
      localReturnStateType state = localErrorTypeOK;
      if (!methodExec(state, L"toString", nullptr, text)) return {};
      return text.text_;
    }
    default:
      return L" **** Error *** при вызове метода toString() ";
  }
}

void localValueDescription::COUT() const {
  std::cout << localString::wstringToStdStringMultibyte(toString()) << "\n";
}

// Member access: routed to the object's class declaration with the name upper-cased ----------

namespace {

// Member access needs an object with a declaration to answer for it.
bool reachesDeclaration(localReturnStateType& state, std::int32_t type, const localClassDeclaration* declaration) {
  if (type != localValueDescription::typeObject) {
    state = localErrorTypeVALUEnotObject;
    return false;
  }
  if (declaration == nullptr) {
    state = localErrorTypeCLASSunknown;
    return false;
  }
  return true;
}

}  // namespace

bool localValueDescription::getAttr(localReturnStateType& state, std::wstring name,
                                    localValueDescription& result) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->getAttr(state, object_, localString::wstringToUpper(name), &result);
}

bool localValueDescription::setAttr(localReturnStateType& state, std::wstring name,
                                    localValueDescription& value) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->setAttr(state, object_, localString::wstringToUpper(name), &value);
}

bool localValueDescription::methodExec(localReturnStateType& state, std::wstring name,
                                       localValueList* arguments, localValueDescription& result) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->methodExec(state, object_, localString::wstringToUpper(name), arguments, &result);
}

// Argument lists ------------------------------------------------------------------------------

localValueDescription* localOwnedValueList::add(std::unique_ptr<localValueDescription> value) {
  localValueDescription* raw = value.get();
  owned_.push_back(std::move(value));
  view_.push_back(raw);
  return raw;
}

void localOwnedValueList::clear() {
  view_.clear();
  owned_.clear();
}
