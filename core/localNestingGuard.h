#pragma once

// Bounds the recursion of the interpreter so that hostile input (thousands of nested
// brackets, endless recursion of user functions, deeply nested blocks) ends with a
// failure state instead of a stack overflow. One counter per kind of nesting, held for
// the lifetime of the guard object.
enum class localNestingKind { expression, call, block };

class localNestingGuard {
 public:
  explicit localNestingGuard(localNestingKind kind);
  ~localNestingGuard();
  localNestingGuard(const localNestingGuard&) = delete;
  localNestingGuard& operator=(const localNestingGuard&) = delete;

  // True when entering this level went past the limit of its kind.
  bool tooDeep() const { return tooDeep_; }
  static unsigned limit(localNestingKind kind);

 private:
  localNestingKind kind_;
  bool tooDeep_;
};
