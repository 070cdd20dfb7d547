#pragma once
// The text of a value, shared by the values copied from it: copying a value copies no
// characters, and a text is copied only when a value that shares it changes it. Values
// live on the interpreter's one thread, so the count needs no atomic operations; the one
// owner of the box is this class, which deletes it with the last share.
#include <cstddef>
#include <string>
#include <utility>

class localSharedText {
 public:
  localSharedText() = default;
  localSharedText(const localSharedText& other) noexcept : box_(other.box_) {
    if (box_ != nullptr) ++box_->shares;
  }
  localSharedText(localSharedText&& other) noexcept : box_(std::exchange(other.box_, nullptr)) {}
  localSharedText& operator=(const localSharedText& other) noexcept {
    if (other.box_ != nullptr) ++other.box_->shares;
    release();
    box_ = other.box_;
    return *this;
  }
  localSharedText& operator=(localSharedText&& other) noexcept {
    if (this != &other) {
      release();
      box_ = std::exchange(other.box_, nullptr);
    }
    return *this;
  }
  ~localSharedText() { release(); }

  const std::wstring& get() const { return box_ != nullptr ? box_->text : emptyText(); }
  bool empty() const { return box_ == nullptr || box_->text.empty(); }

  // The text to change in place: a copy of its own first when it is shared.
  std::wstring& change() {
    if (box_ == nullptr) {
      box_ = new box;
    } else if (box_->shares > 1) {
      box* own = new box{1, box_->text};
      --box_->shares;
      box_ = own;
    }
    return box_->text;
  }
  void assign(const std::wstring& text) {
    if (box_ != nullptr && box_->shares == 1) {
      box_->text = text;  // text may be this very text: assigning it to itself is defined
    } else {
      box* own = new box{1, text};
      release();
      box_ = own;
    }
  }
  void assign(std::wstring&& text) {
    if (box_ != nullptr && box_->shares == 1) {
      box_->text = std::move(text);
    } else {
      box* own = new box{1, std::move(text)};
      release();
      box_ = own;
    }
  }

 private:
  struct box {
    std::size_t shares = 1;
    std::wstring text;
  };
  static const std::wstring& emptyText() {
    static const std::wstring none;
    return none;
  }
  [[gnu::always_inline]] void release() noexcept {
    if (box_ != nullptr && --box_->shares == 0) destroy(box_);
    box_ = nullptr;
  }
  [[gnu::noinline]] static void destroy(box* last) noexcept { delete last; }

  box* box_ = nullptr;
};
