#include "engine/input_stream.h"

namespace kavor {

namespace {
constexpr size_t kBlock = 1 << 16;
}

InputStream::InputStream() { use_stdin(); }

InputStream::~InputStream() { close(); }

void InputStream::close() {
  if (file_ && owns_file_) std::fclose(file_);
  file_ = nullptr;
  owns_file_ = false;
  memory_.clear();
  data_ = nullptr;
  pos_ = len_ = 0;
  pushed_ = kNone;
  at_end_ = false;
}

void InputStream::end_here() {
  data_ = nullptr;
  pos_ = len_ = 0;
  pushed_ = kNone;
  at_end_ = true;
}

void InputStream::use_stdin() {
  close();
  file_ = stdin;
}

bool InputStream::open_file(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  close();
  file_ = f;
  owns_file_ = true;
  return true;
}

void InputStream::open_memory(std::string data) {
  close();
  memory_ = std::move(data);
  data_ = reinterpret_cast<const unsigned char*>(memory_.data());
  len_ = memory_.size();
}

int InputStream::refill() {
  if (!file_ || at_end_) return -1;
  if (buffer_.size() < kBlock) buffer_.resize(kBlock);
  size_t n = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (n == 0) {
    at_end_ = true;
    return -1;
  }
  data_ = buffer_.data();
  len_ = n;
  pos_ = 1;
  return data_[0];
}

}  // namespace kavor
