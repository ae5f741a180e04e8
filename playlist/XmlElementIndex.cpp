#include "playlist/XmlElementIndex.h"

#include <algorithm>

namespace zv {
namespace {

// Storage for records that Add writes before anyone reads them.
std::unique_ptr<XmlElementRecord[]> NewPage(int32_t records) {
  return std::unique_ptr<XmlElementRecord[]>(new XmlElementRecord[static_cast<size_t>(records)]);
}

}  // namespace

void XmlElementIndex::Reset(int32_t capacity) {
  pages_.clear();
  capacity_ = std::clamp(capacity, 8, kPageSize);
  pages_.push_back(NewPage(capacity_));
  size_ = 1;
  pages_[0][0] = XmlElementRecord{};
}

int32_t XmlElementIndex::Add() {
  if (size_ == capacity_) Grow();
  (*this)[size_] = XmlElementRecord{};
  return size_++;
}

void XmlElementIndex::Grow() {
  int32_t wanted = capacity_ + capacity_ / 2;
  if (capacity_ < kPageSize) {
    // The first page grows in place until it is full.
    int32_t newCapacity = std::min(wanted, kPageSize);
    auto page = NewPage(newCapacity);
    std::copy(pages_[0].get(), pages_[0].get() + size_, page.get());
    pages_[0] = std::move(page);
    capacity_ = newCapacity;
    return;
  }
  while (capacity_ < wanted) {
    pages_.push_back(NewPage(kPageSize));
    capacity_ += kPageSize;
  }
}

}  // namespace zv
