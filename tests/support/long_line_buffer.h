#ifndef RAVELINK_TESTS_SUPPORT_LONG_LINE_BUFFER_H_
#define RAVELINK_TESTS_SUPPORT_LONG_LINE_BUFFER_H_

#include <algorithm>
#include <cstddef>
#include <streambuf>
#include <string>

/// An input stream buffer that gives `head`, then `count` copies of `fill`,
/// then `tail`, made up piece by piece as they are read: a line of hundreds
/// of megabytes, or a stream that looks endless, costs one small piece.
class LongLineBuffer : public std::streambuf {
 public:
  LongLineBuffer(std::string head, std::size_t count, char fill, std::string tail)
      : head_(std::move(head)), tail_(std::move(tail)), count_(count), fill_(fill) {}
  /// The bytes handed out so far.
  std::size_t served() const { return served_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (stage_ == 0) {
      stage_ = 1;
      if (!head_.empty()) return serve(head_.data(), head_.size());
    }
    if (stage_ == 1) {
      if (count_ > 0) {
        std::size_t n = std::min(count_, sizeof piece_);
        std::fill_n(piece_, n, fill_);
        count_ -= n;
        return serve(piece_, n);
      }
      stage_ = 2;
      if (!tail_.empty()) return serve(tail_.data(), tail_.size());
    }
    return traits_type::eof();
  }

 private:
  int_type serve(char* begin, std::size_t n) {
    setg(begin, begin, begin + n);
    served_ += n;
    return traits_type::to_int_type(*begin);
  }

  std::string head_;
  std::string tail_;
  std::size_t count_;
  char fill_;
  int stage_ = 0;
  std::size_t served_ = 0;
  char piece_[1 << 12];
};

#endif  // RAVELINK_TESTS_SUPPORT_LONG_LINE_BUFFER_H_
