#include "interchange/import_source.h"

#include <algorithm>
#include <istream>

#include "tree/my_exception.h"

bool readImportPiece(std::istream& in, std::string& piece) {
  piece.resize(kImportPieceSize);
  in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
  piece.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) throw myException(Fault::kImportRead);
  return !piece.empty();
}

bool ImportSource::refill() {
  ready_.clear();
  readyAt_ = 0;
  if (ended_) return false;
  if (!readImportPiece(in_, piece_)) {
    ended_ = true;
    if (converter_) converter_->finish(ready_);
    if (escaper_) escaper_->finish(ready_);
    if (nulFilter_) {
      unfiltered_.swap(ready_);
      ready_.clear();
      nulFilter_->feed(unfiltered_.data(), unfiltered_.size(), ready_);
      nulFilter_->finish(ready_);
    }
    return !ready_.empty();
  }
  std::string& target = nulFilter_ ? unfiltered_ : ready_;
  if (converter_) {
    target.clear();
    converter_->convert(piece_.data(), piece_.size(), target);
  } else if (escaper_) {
    target.clear();
    escaper_->feed(piece_.data(), piece_.size(), target);
  } else {
    target.swap(piece_);
  }
  if (nulFilter_) nulFilter_->feed(unfiltered_.data(), unfiltered_.size(), ready_);
  return true;
}

int ImportSource::read(void* context, char* buffer, int size) {
  auto* source = static_cast<ImportSource*>(context);
  try {
    while (source->readyAt_ == source->ready_.size()) {
      if (!source->refill()) return 0;
    }
    std::size_t n = std::min(static_cast<std::size_t>(std::max(size, 0)),
                             source->ready_.size() - source->readyAt_);
    std::copy_n(source->ready_.data() + source->readyAt_, n, buffer);
    source->readyAt_ += n;
    return static_cast<int>(n);
  } catch (...) {
    source->failed_ = true;
    return -1;
  }
}

void ImportSource::checkRead() const {
  if (failed_) throw myException(Fault::kImportRead);
}
