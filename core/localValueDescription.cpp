#include "core/localValueDescription.h"

#include <iostream>

#include "core/localClassDeclaration.h"
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
  text_.assign(text);
}

void localValueDescription::setVal(std::wstring&& text) {
  type_ = typeString;
  text_.assign(std::move(text));
}

void localValueDescription::appendStr(std::wstring_view tail) {
  type_ = typeString;
  text_.append(tail);
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
      return text_.get();
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
      return text.text_.get();
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

// A member name in upper case: the caller's own text when it is upper case already (the
// evaluator upper-cases member names as it reads them), otherwise an upper-cased copy.
class upperCased {
 public:
  explicit upperCased(const std::wstring& name) : original_(&name) {
    for (const wchar_t c : name) {
      if (localString::wcharToUpper(c) != c) {
        copy_ = localString::wstringToUpper(name);
        original_ = &copy_;
        break;
      }
    }
  }
  upperCased(const upperCased&) = delete;
  upperCased& operator=(const upperCased&) = delete;
  operator const std::wstring&() const { return *original_; }

 private:
  std::wstring copy_;
  const std::wstring* original_;
};

}  // namespace

bool localValueDescription::getAttr(localReturnStateType& state, const std::wstring& name,
                                    localValueDescription& result) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->getAttr(state, object_, upperCased(name), &result);
}

bool localValueDescription::setAttr(localReturnStateType& state, const std::wstring& name,
                                    localValueDescription& value) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->setAttr(state, object_, upperCased(name), &value);
}

bool localValueDescription::methodExec(localReturnStateType& state, const std::wstring& name,
                                       localValueList* arguments, localValueDescription& result) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->methodExec(state, object_, upperCased(name), arguments, &result);
}

bool localValueDescription::methodExec(localReturnStateType& state, const std::wstring& upperName,
                                       localValueList* arguments, localValueDescription& result,
                                       localMemberSite* site) const {
  if (!reachesDeclaration(state, type_, declaration_)) return false;
  return declaration_->methodExec(state, object_, upperName, arguments, &result, site);
}

// Argument lists ------------------------------------------------------------------------------

localOwnedValueList::localOwnedValueList(localOwnedValueList&& other)
    : inline_(std::move(other.inline_)), inlineUsed_(other.inlineUsed_), overflow_(std::move(other.overflow_)) {
  view_.reserve(inlineUsed_ + overflow_.size());
  for (std::size_t i = 0; i < inlineUsed_; ++i) view_.push_back(&inline_[i]);
  for (const std::unique_ptr<localValueDescription>& value : overflow_) view_.push_back(value.get());
  other.clear();
}

localValueDescription& localOwnedValueList::emplace() {
  if (view_.empty()) view_.reserve(inlineCount);
  localValueDescription* slot = nullptr;
  if (inlineUsed_ < inlineCount) {
    slot = &inline_[inlineUsed_++];
  } else {
    overflow_.push_back(std::make_unique<localValueDescription>());
    slot = overflow_.back().get();
  }
  view_.push_back(slot);
  return *slot;
}

localValueDescription* localOwnedValueList::add(std::unique_ptr<localValueDescription> value) {
  localValueDescription& slot = emplace();
  if (value != nullptr) slot = std::move(*value);
  return &slot;
}

void localOwnedValueList::clear() {
  for (std::size_t i = 0; i < inlineUsed_; ++i) inline_[i] = localValueDescription();
  inlineUsed_ = 0;
  overflow_.clear();
  view_.clear();
}
