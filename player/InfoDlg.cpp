#include "player/InfoDlg.h"

#include "app/ProductName.h"
#include "app/VersionText.h"
#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageTable.h"
#include "playlist/ProgramBuildText.h"
#include "res/resource.h"

#include <cwctype>
#include <vector>

namespace {
// Left to the maker; addresses under a reserved name until the product has
// its own.
constexpr wchar_t kWebSite[] = L"https://www.ostrel-software.example/";
constexpr wchar_t kMail[] = L"zentravue@ostrel-software.example";
}  // namespace

CInfoDlg::CInfoDlg(HWND parent, const LanguageTable* language) : fw::Dialog(IDD_INFO, parent), language_(language) {}

const wchar_t* CInfoDlg::WebSite() { return kWebSite; }
const wchar_t* CInfoDlg::MailAddress() { return kMail; }
std::wstring CInfoDlg::DonationPage() { return std::wstring(kWebSite) + L"donate.php"; }

std::wstring CInfoDlg::Text(const char16_t* key, const wchar_t* fallback) const {
  const std::u16string text = language_ ? language_->Message(key) : std::u16string();
  return text.empty() ? std::wstring(fallback) : fw::ToWide(text);
}

std::wstring CInfoDlg::VersionLine(const LanguageTable* language) {
  std::wstring build = language ? fw::ToWide(language->Message(u"BUILD")) : std::wstring();
  if (build.empty()) build = L"Build";
  std::wstring line = build + L"\t: " + fw::ToWide(zv::VersionTextFromProductVersion(ProgramProductVersion()));
  if (!zv::ProductKeySuffix().empty()) line += L" for AMD64/EM64T (x64)";
  return line;
}

namespace {

// The notices file is wrapped for a text editor; the dialog's box wraps by
// itself. Lines of a paragraph are joined; blank lines, indented lines
// (lists of names), list items and the rules between sections stay apart.
std::wstring Reflowed(const std::wstring& text) {
  std::vector<std::wstring> lines;  // output lines; empty ones are blank lines
  bool joinable = false;            // the last output line takes the next line
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty() && line.find_first_not_of(L"=-") == std::wstring::npos) line.clear();  // a rule
    if (line.empty()) {
      if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
      joinable = false;
      continue;
    }
    const bool item = line[0] == L' ' || line[0] == L'-' || line[0] == L'(' ||
                      (line.size() > 1 && iswdigit(line[0]) && line[1] == L'.');
    if (joinable && !item) {
      lines.back() += L" " + line;
      continue;
    }
    lines.push_back(line);
    joinable = line[0] != L' ';
  }
  std::wstring out;
  for (const std::wstring& line : lines) out += line + L"\r\n";
  return out;
}

}  // namespace

std::wstring CInfoDlg::NoticesText() {
  HINSTANCE instance = fw::ResourceInstance();
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(IDR_THIRDPARTY_NOTICES), L"TEXT");
  if (!info) return {};
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(instance, info)));
  const DWORD size = SizeofResource(instance, info);
  if (!bytes || size == 0) return {};
  return Reflowed(fw::Utf8ToWide(std::string(bytes, size)));
}

BOOL CInfoDlg::OnInitDialog() {
  SetText(Text(u"ABOUT_CAPTION", L"About Zentravue"));

  // The name in a larger, bold face of the dialog's font.
  LOGFONTW face{};
  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  GetObjectW(dialogFont ? static_cast<HGDIOBJ>(dialogFont) : GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
  face.lfHeight = face.lfHeight < 0 ? face.lfHeight * 3 / 2 : -18;
  face.lfWeight = FW_BOLD;
  titleFont_.Reset(CreateFontIndirectW(&face));
  SendMessageW(Item(IDC_INFO_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
  SetItemText(IDC_INFO_TITLE, zv::AppName());

  SetItemText(IDC_INFO_VERSION, VersionLine(language_));
  SetItemText(IDC_INFO_CREDITS,
              Text(u"ABOUT_CREDITS", L"A video and audio player for Windows.\nWritten by the Zentravue Team."));
  SetItemText(IDC_INFO_WEBSITE, kWebSite);
  webLink_.Attach(Item(IDC_INFO_WEBSITE));
  webLink_.SetTarget(kWebSite);
  SetItemText(IDC_INFO_MAIL, kMail);
  mailLink_.Attach(Item(IDC_INFO_MAIL));
  mailLink_.SetTarget(std::wstring(L"mailto:") + kMail);
  SetItemText(IDC_INFO_LICENCE,
              Text(u"ABOUT_LICENCE",
                   L"Zentravue is free software under the GNU General Public License, version 2 or later, and "
                   L"comes with no warranty. It contains the libraries below, under their own licences."));

  // The notices beside the program, and the same text inside the program.
  const std::wstring noticeFile = zv::ProgramFolder() + L"THIRD-PARTY-NOTICES.txt";
  SetItemText(IDC_INFO_NOTICEFILE, L"THIRD-PARTY-NOTICES.txt");
  noticeFileLink_.Attach(Item(IDC_INFO_NOTICEFILE));
  noticeFileLink_.SetTarget(noticeFile);
  SetItemText(IDC_INFO_NOTICES, NoticesText());

  SetItemText(IDOK, Text(u"ID_BUTTON_OK", L"&OK"));
  zv::TranslateDialog(hwnd_, language_, u"IDD_INFO");
  SetFocus(Item(IDOK));
  return FALSE;
}
