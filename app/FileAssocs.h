#pragma once
#include <cstddef>
#include <string>

// One known media file type: a node of the doubly linked list that the
// settings own. Deleting a node unlinks it from its neighbours.
struct CFileAssocs {
  // Flag bits.
  static constexpr int kAssociated = 1;
  static constexpr int kVideo = 2;
  static constexpr int kAudio = 4;
  static constexpr int kPlaylist = 8;

  CFileAssocs(std::u16string extension, int flags);
  CFileAssocs(const CFileAssocs&) = delete;
  CFileAssocs& operator=(const CFileAssocs&) = delete;
  virtual ~CFileAssocs();

  std::u16string Extension;  // without the dot
  int Flags = 0;
  CFileAssocs* Next = nullptr;
  CFileAssocs* Prev = nullptr;
};

namespace zv {

// The owner of the file-type nodes. New nodes go to the head.
class FileTypeList {
 public:
  FileTypeList() = default;
  FileTypeList(const FileTypeList&) = delete;
  FileTypeList& operator=(const FileTypeList&) = delete;
  ~FileTypeList() { Clear(); }

  CFileAssocs* Head() const { return head_; }
  size_t Count() const;

  void Clear();
  CFileAssocs* PushFront(const std::u16string& extension, int flags);
  CFileAssocs* PushBack(const std::u16string& extension, int flags);
  // The node with exactly this extension (case-sensitive), or none.
  CFileAssocs* Find(const std::u16string& extension) const;
  // Deletes a node of this list, moving the head on when it was the head.
  void Remove(CFileAssocs* node);
  // Replaces the content with copies of another list's nodes, same order.
  void CopyFrom(const FileTypeList& other);

 private:
  CFileAssocs* head_ = nullptr;
};

}  // namespace zv
