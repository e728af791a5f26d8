#pragma once
// The byte stream that plot input is read from: a file opened without
// newline translation, the process's standard input, or a memory buffer.
// It reads in large blocks and keeps one character of push-back.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kavor {

class InputStream {
 public:
  InputStream();
  ~InputStream();
  InputStream(const InputStream&) = delete;
  InputStream& operator=(const InputStream&) = delete;

  void use_stdin();
  bool open_file(const std::string& path);
  void open_memory(std::string data);
  void close();
  // Nothing more is read: get() answers end of input from here on, until
  // the stream is opened again.
  void end_here();

  int get() {
    if (pushed_ != kNone) {
      int c = pushed_;
      pushed_ = kNone;
      return c;
    }
    if (pos_ < len_) return data_[pos_++];
    return refill();
  }
  void unget(int c) { pushed_ = c; }

  // The bytes that get() would return next without reading more, none while
  // a character is pushed back; skip(n) consumes n of them.
  const unsigned char* buffered(size_t& n) const {
    n = pushed_ == kNone ? len_ - pos_ : 0;
    return n > 0 ? data_ + pos_ : nullptr;
  }
  void skip(size_t n) { pos_ += n; }

 private:
  static constexpr int kNone = -2;
  int refill();

  std::FILE* file_ = nullptr;
  bool owns_file_ = false;
  std::vector<unsigned char> buffer_;
  std::string memory_;
  const unsigned char* data_ = nullptr;
  size_t pos_ = 0;
  size_t len_ = 0;
  int pushed_ = kNone;
  // Set when a read found the end, so that a terminal is not read again.
  bool at_end_ = false;
};

}  // namespace kavor
