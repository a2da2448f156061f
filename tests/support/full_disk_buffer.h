#ifndef RAVELINK_TESTS_SUPPORT_FULL_DISK_BUFFER_H_
#define RAVELINK_TESTS_SUPPORT_FULL_DISK_BUFFER_H_

#include <cstddef>
#include <streambuf>
#include <string>

/// An output stream buffer that takes `room` bytes and then fails, like a
/// full disk; `taken()` is what it took.
class FullDiskBuffer : public std::streambuf {
 public:
  explicit FullDiskBuffer(std::size_t room) : room_(room) {}
  const std::string& taken() const { return taken_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (room_ == 0) return traits_type::eof();
    --room_;
    taken_ += traits_type::to_char_type(c);
    return c;
  }

 private:
  std::size_t room_;
  std::string taken_;
};

#endif  // RAVELINK_TESTS_SUPPORT_FULL_DISK_BUFFER_H_
