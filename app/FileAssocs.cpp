#include "app/FileAssocs.h"

#include <utility>

CFileAssocs::CFileAssocs(std::u16string extension, int flags)
    : Extension(std::move(extension)), Flags(flags) {}

CFileAssocs::~CFileAssocs() {
  if (Prev) Prev->Next = Next;
  if (Next) Next->Prev = Prev;
}

namespace zv {

size_t FileTypeList::Count() const {
  size_t count = 0;
  for (CFileAssocs* node = head_; node; node = node->Next) ++count;
  return count;
}

void FileTypeList::Clear() {
  while (head_) Remove(head_);
}

CFileAssocs* FileTypeList::PushFront(const std::u16string& extension, int flags) {
  auto* node = new CFileAssocs(extension, flags);
  node->Next = head_;
  if (head_) head_->Prev = node;
  head_ = node;
  return node;
}

CFileAssocs* FileTypeList::PushBack(const std::u16string& extension, int flags) {
  if (!head_) return PushFront(extension, flags);
  CFileAssocs* tail = head_;
  while (tail->Next) tail = tail->Next;
  auto* node = new CFileAssocs(extension, flags);
  node->Prev = tail;
  tail->Next = node;
  return node;
}

CFileAssocs* FileTypeList::Find(const std::u16string& extension) const {
  for (CFileAssocs* node = head_; node; node = node->Next)
    if (node->Extension == extension) return node;
  return nullptr;
}

void FileTypeList::Remove(CFileAssocs* node) {
  if (!node) return;
  if (node == head_) head_ = node->Next;
  delete node;  // unlinks itself
}

void FileTypeList::CopyFrom(const FileTypeList& other) {
  if (&other == this) return;
  Clear();
  CFileAssocs* tail = nullptr;
  for (CFileAssocs* source = other.head_; source; source = source->Next) {
    auto* node = new CFileAssocs(source->Extension, source->Flags);
    node->Prev = tail;
    if (tail) tail->Next = node; else head_ = node;
    tail = node;
  }
}

}  // namespace zv
