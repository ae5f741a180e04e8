#include "tests/e2e/support/RemoteListView.h"

#include "framework/Handle.h"

#include <commctrl.h>

namespace zvtest {

namespace {

// Memory in the list's process, freed with the object.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (process_)
      address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  }
  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t n) const {
    return WriteProcessMemory(process_.get(), at(offset), data, n, nullptr) != 0;
  }
  bool Read(size_t offset, void* data, size_t n) const {
    return ReadProcessMemory(process_.get(), at(offset), data, n, nullptr) != 0;
  }

 private:
  fw::KernelHandle process_;
  void* address_ = nullptr;
  size_t size_;
};

constexpr size_t kTextChars = 256;

}  // namespace

std::vector<std::wstring> RemoteListViewColumn(HWND list, int column) {
  std::vector<std::wstring> texts;
  RemoteMemory memory(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!memory.ok()) return texts;
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kTextChars;
    item.pszText = reinterpret_cast<wchar_t*>(memory.at(sizeof(LVITEMW)));
    memory.Write(0, &item, sizeof item);
    const LRESULT n = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.at(0)));
    wchar_t text[kTextChars] = {};
    memory.Read(sizeof(LVITEMW), text, sizeof text);
    texts.emplace_back(text, static_cast<size_t>(n > 0 ? n : 0));
  }
  return texts;
}

bool RemoteListViewSelect(HWND list, int row) {
  RemoteMemory memory(list, sizeof(LVITEMW));
  if (!memory.ok()) return false;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  memory.Write(0, &item, sizeof item);
  return SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory.at(0))) != 0;
}

}  // namespace zvtest
