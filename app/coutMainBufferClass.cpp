#include "app/coutMainBufferClass.h"

#include <iostream>

#include "text/localString.h"

coutMainBufferClass::coutMainBufferClass() : coutMainBufferClass(std::cout.rdbuf()) {}

coutMainBufferClass::coutMainBufferClass(std::streambuf* target) : target_(target) {
  // An empty put area sends every character straight to overflow().
  setp(putArea_, putArea_);
}

coutMainBufferClass::~coutMainBufferClass() {
  // Output that ends without an ASCII character after its last non-ASCII bytes would
  // otherwise be lost: re-encode and hand it on now.
  if (target_ != nullptr) releasePending();
}

void coutMainBufferClass::releasePending() {
  if (pending_.empty()) return;
  const std::string bytes =
      localString::wstringToStdStringCp866(localString::stdStringMultibyteToStdWString(pending_));
  target_->sputn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  pending_.clear();
}

int coutMainBufferClass::overflow(int c) {
  // End-of-file is a request to flush, not a character.
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  lastChar_ = static_cast<char>(c);
  if (c < 1 || c > 127) {
    // Part of a multibyte sequence (or a zero byte): hold it back until the next
    // ASCII character shows that the run is complete.
    pending_.push_back(static_cast<char>(c));
    return c;
  }
  if (target_ == nullptr) {
    pending_.clear();
    return c;
  }
  releasePending();
  target_->sputc(static_cast<char>(c));
  return c;
}

// A flush is passed on, so that a prompt without a line end becomes visible before the
// console waits for input. Held-back bytes stay held: they may be half a character.
int coutMainBufferClass::sync() { return target_ == nullptr ? 0 : target_->pubsync(); }
