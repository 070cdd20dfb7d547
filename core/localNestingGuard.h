#pragma once

// Bounds the recursion of the interpreter so that hostile input (thousands of nested
// brackets, endless recursion of user functions, deeply nested blocks) ends with a
// failure state instead of a stack overflow. One counter per kind of nesting, held for
// the lifetime of the guard object. Inline: every expression takes one.
enum class localNestingKind { expression, call, block };

class localNestingGuard {
 public:
  explicit localNestingGuard(localNestingKind kind) : kind_(kind) {
    tooDeep_ = ++counter(kind_) > limit(kind_);
  }
  ~localNestingGuard() { --counter(kind_); }
  localNestingGuard(const localNestingGuard&) = delete;
  localNestingGuard& operator=(const localNestingGuard&) = delete;

  // True when entering this level went past the limit of its kind.
  bool tooDeep() const { return tooDeep_; }
  // True when n more levels of the kind would stay within its limit.
  static bool roomFor(localNestingKind kind, unsigned n) { return counter(kind) + n <= limit(kind); }
  // Takes (and gives back) n levels at once, for a caller that has checked the room for
  // them with roomFor before.
  static void hold(localNestingKind kind, unsigned n) { counter(kind) += n; }
  static void release(localNestingKind kind, unsigned n) { counter(kind) -= n; }
  // The levels of the kind held now.
  static unsigned depth(localNestingKind kind) { return counter(kind); }
  static constexpr unsigned limit(localNestingKind kind) {
    switch (kind) {
      case localNestingKind::expression:
        return 5000;  // brackets and nested argument lists, summed over calls
      case localNestingKind::call:
        return 2500;  // nested calls of user functions (and DO inside programs)
      case localNestingKind::block:
        return 500;  // nested IF / WHILE / FOR / FUNCTION blocks while compiling
    }
    return 0;
  }

 private:
  static unsigned& counter(localNestingKind kind) { return depth_[static_cast<int>(kind)]; }
  static inline unsigned depth_[3] = {0, 0, 0};

  localNestingKind kind_;
  bool tooDeep_;
};
