#include "protocol/localDescriptorOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int localDescriptorOutput::takeStandardOutput() {
  const int protocol = dup(STDOUT_FILENO);
  if (protocol < 0) return -1;
  const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nowhere < 0 || dup2(nowhere, STDOUT_FILENO) < 0) {
    if (nowhere >= 0) close(nowhere);
    close(protocol);
    return -1;
  }
  close(nowhere);
  fcntl(protocol, F_SETFD, FD_CLOEXEC);
  return protocol;
}

bool localDescriptorOutput::writeAll(const char* bytes, std::size_t count) {
  while (count > 0 && !failed_) {
    const ssize_t written = write(descriptor_, bytes, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      failed_ = true;  // the reader has gone: what follows is dropped
      break;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return !failed_;
}

localDescriptorOutput::int_type localDescriptorOutput::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  return c;
}

std::streamsize localDescriptorOutput::xsputn(const char* bytes, std::streamsize count) {
  pending_.append(bytes, static_cast<std::size_t>(count));
  return count;
}

int localDescriptorOutput::sync() {
  const bool written = writeAll(pending_.data(), pending_.size());
  pending_.clear();
  return written ? 0 : -1;
}
