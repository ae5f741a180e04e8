#include "system/UpdateSteps.h"

#include "framework/Handle.h"
#include "framework/WideString.h"
#include "framework/WinInclude.h"
#include "lang/LanguageTable.h"
#include "system/ElevatedRun.h"
#include "system/UpdateConfig.h"
#include "system/UpdateProtocol.h"
#include "system/UpdateWorker.h"

namespace zv {

namespace {

constexpr wchar_t kFirstSuffix[] = L".tmp1.exe";
constexpr size_t kFirstSuffixLength = 9;
constexpr DWORD kRetryPauseMs = 200;
// The old program ends within moments of the update dialog's OK; a program
// that is still not writable after this long is locked for another reason.
constexpr ULONGLONG kWaitForOldProgramMs = 120000;
// Step 1 may still be ending when step 2 removes its file.
constexpr ULONGLONG kWaitForFirstCopyMs = 15000;

std::wstring Message(const LanguageTable* language, const char16_t* key) {
  return language ? fw::ToWide(language->Message(key)) : std::wstring();
}

void ShowFileError(const LanguageTable* language, DWORD error) {
  const std::u16string format = language ? language->Message(u"UPDATE_MSGBOX_FILEERROR") : u"%s";
  const std::wstring text = fw::ToWide(FillPlaceholders(format, {FileErrorReason(FileErrorCauseOf(error))}));
  MessageBoxW(nullptr, text.c_str(), Message(language, u"UPDATE_MSGBOX_CAPTION").c_str(), MB_OK | MB_ICONERROR);
}

bool StillInUse(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

}  // namespace

std::wstring UpdateTargetOf(const std::wstring& ownPath) {
  if (ownPath.size() <= kFirstSuffixLength) return {};
  const std::wstring tail = ownPath.substr(ownPath.size() - kFirstSuffixLength);
  if (!fw::EqualsNoCase(tail, kFirstSuffix)) return {};
  return ownPath.substr(0, ownPath.size() - kFirstSuffixLength);
}

void RunUpdateStepOne(const LanguageTable* language, const std::wstring& ownPath) {
  const std::wstring target = UpdateTargetOf(ownPath);
  if (target.empty()) return;
  const ULONGLONG deadline = GetTickCount64() + kWaitForOldProgramMs;
  for (;;) {
    fw::FileHandle probe(
        CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe) break;
    const DWORD error = GetLastError();
    if (!StillInUse(error) || GetTickCount64() > deadline) {
      ShowFileError(language, error);
      return;
    }
    Sleep(kRetryPauseMs);
  }
  // One step from the old program to the new one: at no moment is there no
  // program at the target path.
  if (!MoveFileExW(SecondTempPath(target).c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ShowFileError(language, GetLastError());
    return;
  }
  if (!StartProgram(target, L"/update_step_2")) ShowFileError(language, GetLastError());
}

void RunUpdateStepTwo(const LanguageTable* language, const std::wstring& ownPath) {
  const std::wstring first = FirstTempPath(ownPath);
  const ULONGLONG deadline = GetTickCount64() + kWaitForFirstCopyMs;
  bool removed = false;
  for (;;) {
    if (DeleteFileW(first.c_str())) {
      removed = true;
      break;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) {
      removed = true;
      break;
    }
    if ((!StillInUse(error) && error != ERROR_ACCESS_DENIED) || GetTickCount64() > deadline) break;
    Sleep(kRetryPauseMs);
  }
  const std::wstring caption = Message(language, u"UPDATE_MSGBOX_CAPTION");
  if (removed)
    MessageBoxW(nullptr, Message(language, u"UPDATE_MSGBOX_SUCCESS").c_str(), caption.c_str(),
                MB_OK | MB_ICONINFORMATION);
  else
    MessageBoxW(nullptr, Message(language, u"UPDATE_MSGBOX_DELTMPERR").c_str(), caption.c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace zv
