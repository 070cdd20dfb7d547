#pragma once
// The text of a value, shared by the values copied from it: copying a value copies no
// characters, and a text is copied only when a value that shares it changes it. Values
// live on the interpreter's one thread, so the count needs no atomic operations; the one
// owner of the box is this class, which deletes it with the last share.
//
// A text may also be a part of a longer one (the tail RIGHT takes, what trimming leaves):
// it shares the whole and keeps where its part lies, and its characters are copied only
// when someone asks for it as a std::wstring (get) or changes it. Readers that take a view
// (view) never copy it.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

class localSharedText {
 public:
  localSharedText() = default;
  localSharedText(const localSharedText& other) noexcept : box_(other.box_) {
    if (box_ != nullptr) ++box_->shares;
  }
  localSharedText(localSharedText&& other) noexcept : box_(std::exchange(other.box_, nullptr)) {}
  // Values are copied all the time, mostly numbers over numbers (no text on either side):
  // the same text needs nothing; otherwise the share is taken before the old one is let
  // go (other may be this text).
  localSharedText& operator=(const localSharedText& other) noexcept {
    if (box_ == other.box_) return *this;
    if (other.box_ != nullptr) ++other.box_->shares;
    box* old = std::exchange(box_, other.box_);
    if (old != nullptr && --old->shares == 0) destroy(old);
    return *this;
  }
  localSharedText& operator=(localSharedText&& other) noexcept {
    if (this != &other) {
      box* old = std::exchange(box_, std::exchange(other.box_, nullptr));
      if (old != nullptr && --old->shares == 0) destroy(old);
    }
    return *this;
  }
  ~localSharedText() { release(); }
  // The move for a text known not to be this one (a slot moved into a variable).
  void takeFrom(localSharedText& other) noexcept {
    box* old = std::exchange(box_, std::exchange(other.box_, nullptr));
    if (old != nullptr && --old->shares == 0) destroy(old);
  }

  // Parts shorter than this are copied at once: copying a few characters costs less than
  // sharing them, and a short part does not keep a long text alive.
  static constexpr std::size_t shortestSharedPart = 64;

  // The text [from, from + length) of source (which must lie within it), sharing
  // source's characters unless the part is short.
  static localSharedText partOf(const localSharedText& source, std::size_t from, std::size_t length) {
    const std::wstring_view whole = source.view();
    if (from == 0 && length == whole.size()) return source;
    localSharedText part;
    if (length < shortestSharedPart) {
      part.box_ = new box{1, std::wstring(whole.substr(from, length))};
      return part;
    }
    // A part of a part is a part of the whole it lies in.
    box* root = source.box_->whole != nullptr ? source.box_->whole : source.box_;
    const std::size_t start = (source.box_->whole != nullptr ? source.box_->from : 0) + from;
    ++root->shares;
    part.box_ = new box{1, std::wstring(), root, start, length};
    return part;
  }

  // The characters, without a copy; valid while this text is neither changed nor destroyed.
  std::wstring_view view() const {
    if (box_ == nullptr) return {};
    if (box_->whole != nullptr) return std::wstring_view(box_->whole->text).substr(box_->from, box_->length);
    return box_->text;
  }
  // The text as a string: a part becomes a text of its own first.
  const std::wstring& get() const {
    if (box_ == nullptr) return emptyText();
    if (box_->whole != nullptr) ownCharacters(*box_);
    return box_->text;
  }
  bool empty() const { return view().empty(); }
  // No text at all (not even an empty one): what a fresh value holds.
  bool absent() const { return box_ == nullptr; }
  // No text any more (as a fresh value has).
  void clear() noexcept { release(); }

  // The text to change in place: a copy of its own first when it is shared.
  std::wstring& change() {
    if (box_ == nullptr) {
      box_ = new box;
    } else if (box_->shares > 1) {
      box* own = new box{1, std::wstring(view())};
      --box_->shares;
      box_ = own;
    } else if (box_->whole != nullptr) {
      ownCharacters(*box_);
    }
    return box_->text;
  }
  // Appends tail, which may view this very text.
  void append(std::wstring_view tail) {
    if (box_ != nullptr && box_->shares == 1 && box_->whole == nullptr) {
      box_->text.append(tail);  // amortized constant time per character; append allows aliasing
      return;
    }
    // Shared, a part, or none yet: the joined text is built before anything is let go,
    // since tail may lie in the text this one shares.
    const std::wstring_view head = view();
    std::wstring joined;
    joined.reserve(head.size() + tail.size());
    joined.append(head).append(tail);
    box* own = new box{1, std::move(joined)};
    release();
    box_ = own;
  }
  void assign(const std::wstring& text) {
    if (box_ != nullptr && box_->shares == 1 && box_->whole == nullptr) {
      box_->text = text;  // text may be this very text: assigning it to itself is defined
    } else {
      box* own = new box{1, text};
      release();
      box_ = own;
    }
  }
  void assign(std::wstring&& text) {
    if (box_ != nullptr && box_->shares == 1 && box_->whole == nullptr) {
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
    // A part: the whole it lies in (one share of it) and where; text is empty until the
    // part's characters are copied into it.
    box* whole = nullptr;
    std::size_t from = 0;
    std::size_t length = 0;
  };
  static const std::wstring& emptyText() {
    static const std::wstring none;
    return none;
  }
  // A part takes a copy of its characters and lets go of the whole. Every sharer of the
  // part sees the same characters, so this changes nothing they can observe.
  [[gnu::noinline]] static void ownCharacters(box& part) {
    part.text.assign(part.whole->text, part.from, part.length);
    box* whole = std::exchange(part.whole, nullptr);
    if (--whole->shares == 0) destroy(whole);
  }
  [[gnu::always_inline]] void release() noexcept {
    if (box_ != nullptr && --box_->shares == 0) destroy(box_);
    box_ = nullptr;
  }
  [[gnu::noinline]] static void destroy(box* last) noexcept {
    box* whole = last->whole;
    delete last;
    if (whole != nullptr && --whole->shares == 0) delete whole;  // a whole is never a part
  }

  box* box_ = nullptr;
};
