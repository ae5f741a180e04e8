// Every built-in language in real windows: each loads under its resource name and keyword, the
// translated texts of every dialog template fit their controls, the menus stay of a sensible
// size, Japanese text is drawn with glyphs, and a language that lacks keys leaves the template
// texts in place.
#include "framework/WideString.h"
#include "lang/DialogTranslation.h"
#include "lang/LanguageKeywords.h"
#include "lang/LanguageResources.h"
#include "res/resource.h"
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct BuiltIn {
  const char16_t* keyword;
  const wchar_t* name;
};

const BuiltIn kBuiltIns[] = {
    {u"english", L"English"},   {u"deutsch", L"Deutsch"},       {u"francais", L"Français"},
    {u"espanol", L"Español"},   {u"galego", L"Galego"},         {u"italiano", L"Italiano"},
    {u"magyar", L"Magyar"},     {u"nederlands", L"Nederlands"}, {u"polski", L"Polski"},
    {u"russian", L"Русский"},   {u"slovak", L"Slovenčina"},     {u"ellenika", L"Ελληνικά"},
    {u"turkish", L"Türkçe"},    {u"portbr", L"Português Brasileiro"},
    {u"bosanski", L"Bosanski"}, {u"hrvatski", L"Hrvatski"},     {u"srpski", L"Srpski (latinica)"},
    {u"japanese", L"日本語"},
};

LanguageTable& Names() {
  static LanguageTable table;
  static const bool loaded = zv::LoadNameTableResource(table);
  EXPECT_TRUE(loaded);
  return table;
}

int ResourceOf(const BuiltIn& language) {
  return Names().NumberOfName(zv::LanguageResourceOfKeyword(language.keyword));
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The text as drawn: mnemonic markers removed, "&&" shown as one ampersand.
std::wstring Shown(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

SIZE Extent(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// Texts of the dialog's children that their control cannot show whole, each as
// "control id: text (needed > available)". Labels, group boxes, buttons, check boxes and radio
// buttons are measured with the control's own font; statics tall enough for several lines are
// laid out with word wrap.
std::vector<std::wstring> ClippedTexts(HWND dialog) {
  std::vector<std::wstring> clipped;
  HDC dc = GetDC(dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring text = Shown(TextOf(child));
    if (text.empty()) continue;
    const std::wstring cls = ClassOf(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    RECT client{};
    GetClientRect(child, &client);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const SIZE size = Extent(dc, text);
    int available = client.right;
    bool fits = true;
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
      const LONG type = style & BS_TYPEMASK;
      if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
          type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        // The box, the gap after it and the focus rectangle around the text.
        available -= GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth / 2 + 2;
      } else if (type == BS_GROUPBOX) {
        available -= 2 * metrics.tmAveCharWidth;
      } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        available -= 2 * GetSystemMetrics(SM_CXEDGE) + 4;
      } else {
        SelectObject(dc, old);
        continue;  // owner-drawn and other kinds draw their own way
      }
      if ((style & BS_MULTILINE) && client.bottom >= 2 * metrics.tmHeight) {
        RECT laid{0, 0, available, 0};
        DrawTextW(dc, text.c_str(), -1, &laid, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        fits = laid.right <= available && laid.bottom <= client.bottom;
      } else {
        fits = size.cx <= available;
      }
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
      const LONG type = style & SS_TYPEMASK;
      if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
          type != SS_SIMPLE) {
        SelectObject(dc, old);
        continue;  // icons, bitmaps, frames
      }
      const bool wraps = type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE && client.bottom >= 2 * metrics.tmHeight;
      if (wraps) {
        RECT laid{0, 0, client.right, 0};
        DrawTextW(dc, text.c_str(), -1, &laid, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        fits = laid.right <= client.right && laid.bottom <= client.bottom;
        available = client.right;
      } else {
        fits = size.cx <= available && text.find(L'\n') == std::wstring::npos;
      }
    } else {
      SelectObject(dc, old);
      continue;  // edits, lists, combo boxes and bars hold data, not labels
    }
    SelectObject(dc, old);
    if (!fits)
      clipped.push_back(std::to_wstring(GetDlgCtrlID(child)) + L": \"" + text + L"\" (" +
                        std::to_wstring(size.cx) + L" > " + std::to_wstring(available) + L")");
  }
  ReleaseDC(dialog, dc);
  return clipped;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Window {
  HWND hwnd;
  explicit Window(HWND h) : hwnd(h) {}
  ~Window() {
    if (hwnd) DestroyWindow(hwnd);
  }
};

// A hidden copy of a dialog template: WS_VISIBLE cleared, so that nothing appears on screen.
std::vector<BYTE> HiddenTemplate(const void* bytes, size_t size) {
  std::vector<BYTE> copy(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + size);
  const bool extended = size >= 4 && copy[0] == 1 && copy[1] == 0 && copy[2] == 0xFF && copy[3] == 0xFF;
  const size_t at = extended ? 12 : 0;
  DWORD style = 0;
  std::memcpy(&style, copy.data() + at, sizeof style);
  style &= ~static_cast<DWORD>(WS_VISIBLE);
  std::memcpy(copy.data() + at, &style, sizeof style);
  return copy;
}

HWND CreateHidden(const std::vector<BYTE>& dialogTemplate, HWND parent) {
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                    reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), parent,
                                    QuietDialogProc, 0);
}

// Builds an in-memory template: a 160 x 60 dialog in "MS Shell Dlg" 8 with one control.
std::vector<BYTE> OneControlTemplate(const wchar_t* cls, DWORD style, short cx, short cy, const wchar_t* text) {
  std::vector<BYTE> bytes;
  auto align = [&] {
    while (bytes.size() % 4) bytes.push_back(0);
  };
  auto put = [&](const void* p, size_t n) {
    bytes.insert(bytes.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
  };
  auto word = [&](WORD w) { put(&w, 2); };
  auto text16 = [&](const wchar_t* s) { put(s, (wcslen(s) + 1) * 2); };
  DLGTEMPLATE head{};
  head.style = DS_SETFONT | WS_POPUP | WS_CAPTION;
  head.cdit = 1;
  head.cx = 160;
  head.cy = 60;
  put(&head, sizeof head);
  word(0);
  word(0);
  text16(L"Test");
  word(8);
  text16(L"MS Shell Dlg");
  align();
  DLGITEMTEMPLATE item{};
  item.style = WS_CHILD | WS_VISIBLE | style;
  item.x = 5;
  item.y = 5;
  item.cx = cx;
  item.cy = cy;
  item.id = 1001;
  put(&item, sizeof item);
  text16(cls);
  text16(text);
  word(0);
  return bytes;
}

// IDD_ names of the name table whose template the program carries and whose section the
// English language has: the dialogs that translate themselves.
std::vector<std::pair<std::wstring, int>> TranslatedDialogs(const LanguageTable& english) {
  std::vector<std::pair<std::wstring, int>> dialogs;
  for (const auto& entry : Names().Names().Entries()) {
    if (entry.name.rfind(u"IDD_", 0) != 0) continue;
    if (!FindResourceW(nullptr, MAKEINTRESOURCEW(entry.number), reinterpret_cast<LPCWSTR>(RT_DIALOG))) continue;
    if (!english.HasSection(entry.name)) continue;
    dialogs.emplace_back(fw::ToWide(entry.name), entry.number);
  }
  return dialogs;
}

}  // namespace

TEST(BuiltInLanguages, EachLoadsUnderItsKeywordWithItsOwnName) {
  LanguageTable english;
  ASSERT_EQ(zv::LoadBuiltInLanguage(english, IDR_LNG_ENGLISH), S_OK);
  for (const BuiltIn& builtIn : kBuiltIns) {
    const int id = ResourceOf(builtIn);
    ASSERT_GT(id, 0) << fw::WideToUtf8(builtIn.name);
    LanguageTable language;
    ASSERT_EQ(zv::LoadBuiltInLanguage(language, id), S_OK) << fw::WideToUtf8(builtIn.name);
    EXPECT_EQ(fw::ToWide(language.Text(u"File", u"Language")), builtIn.name);
    EXPECT_FALSE(language.Text(u"MainMenu", u"IDM_DATEI_OEFFNEN").empty());
    EXPECT_FALSE(language.Message(u"ERROROPENING").empty());
  }
}

TEST(TextFit, TheMeasureFindsAClippedCheckBoxAndPassesOneThatFits) {
  Window owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  const std::vector<BYTE> fitting = OneControlTemplate(L"BUTTON", BS_AUTOCHECKBOX, 150, 10, L"&Short");
  Window a(CreateHidden(fitting, owner.hwnd));
  ASSERT_TRUE(a.hwnd);
  EXPECT_TRUE(ClippedTexts(a.hwnd).empty());
  SetWindowTextW(GetDlgItem(a.hwnd, 1001), L"A check box text far too long for a box of this width, surely");
  EXPECT_EQ(ClippedTexts(a.hwnd).size(), 1u);

  // A multi-line static wraps; only text that needs more lines than it has is clipped.
  const std::vector<BYTE> wrapping = OneControlTemplate(L"STATIC", SS_LEFT, 60, 20, L"two short lines fit here");
  Window b(CreateHidden(wrapping, owner.hwnd));
  ASSERT_TRUE(b.hwnd);
  EXPECT_TRUE(ClippedTexts(b.hwnd).empty()) << fw::WideToUtf8(ClippedTexts(b.hwnd).front());
  SetWindowTextW(GetDlgItem(b.hwnd, 1001), L"but a much longer text needs four or five lines and does not fit");
  EXPECT_EQ(ClippedTexts(b.hwnd).size(), 1u);
}

TEST(TextFit, EveryTranslatedDialogFitsInEveryLanguage) {
  LanguageTable english;
  ASSERT_EQ(zv::LoadBuiltInLanguage(english, IDR_LNG_ENGLISH), S_OK);
  ASSERT_TRUE(zv::LoadNameTableResource(english));
  const auto dialogs = TranslatedDialogs(english);
  // Templates come with the dialogs that use them; every one of them is measured here.
  std::printf("dialog templates with a language section: %zu\n", dialogs.size());
  Window owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  for (const auto& [name, id] : dialogs) {
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    const void* bytes = LockResource(LoadResource(nullptr, info));
    const std::vector<BYTE> hidden = HiddenTemplate(bytes, SizeofResource(nullptr, info));
    for (const BuiltIn& builtIn : kBuiltIns) {
      LanguageTable language;
      ASSERT_TRUE(zv::LoadNameTableResource(language));
      ASSERT_EQ(zv::LoadBuiltInLanguage(language, ResourceOf(builtIn)), S_OK);
      Window dialog(CreateHidden(hidden, owner.hwnd));
      if (!dialog.hwnd) {
        ADD_FAILURE() << fw::WideToUtf8(name) << " cannot be created (error " << GetLastError() << ")";
        break;
      }
      zv::TranslateDialog(dialog.hwnd, &language, fw::ToU16(name));
      for (const std::wstring& text : ClippedTexts(dialog.hwnd))
        ADD_FAILURE() << fw::WideToUtf8(builtIn.name) << " " << fw::WideToUtf8(name) << " " << fw::WideToUtf8(text);
    }
  }
}

TEST(TextFit, MenusStayNarrowEnoughInEveryLanguage) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  HFONT menuFont = CreateFontIndirectW(&metrics.lfMenuFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, menuFont);
  // The player window's template width (375 dialog units of "MS Shell Dlg" 8) in pixels.
  Window owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  Window probe(CreateHidden(OneControlTemplate(L"STATIC", SS_LEFT, 10, 10, L"x"), owner.hwnd));
  ASSERT_TRUE(probe.hwnd);
  RECT width{0, 0, 375, 0};
  MapDialogRect(probe.hwnd, &width);
  const wchar_t* bar[] = {L"IDM_DATEI", L"IDM_WIEDERGABE", L"IDM_NAVIGATION", L"IDM_ANSICHT", L"IDM_EXTRAS", L"IDM_HILFE"};
  for (const BuiltIn& builtIn : kBuiltIns) {
    LanguageTable language;
    ASSERT_EQ(zv::LoadBuiltInLanguage(language, ResourceOf(builtIn)), S_OK);
    int barWidth = 0;
    for (const wchar_t* key : bar)
      barWidth += Extent(dc, Shown(fw::ToWide(language.Text(u"MainMenu", fw::ToU16(key))))).cx +
                  2 * GetSystemMetrics(SM_CXEDGE) + 8;
    // The menu bar of the window at its template size holds every title on one line.
    EXPECT_LE(barWidth, width.right) << fw::WideToUtf8(builtIn.name);
    for (const auto& entry : Names().Names().Entries()) {
      if (entry.name.rfind(u"IDM_", 0) != 0) continue;
      const std::wstring value = fw::ToWide(language.Text(u"MainMenu", entry.name));
      if (value.empty()) continue;
      const size_t tab = value.find(L'\t');
      const int label = Extent(dc, Shown(value.substr(0, tab))).cx;
      const int shortcut = tab == std::wstring::npos ? 0 : Extent(dc, value.substr(tab + 1)).cx;
      // A pop-up menu grows to its widest item; keep every item within a third of a 1280 screen.
      EXPECT_LE(label + shortcut, 1280 / 3)
          << fw::WideToUtf8(builtIn.name) << " " << fw::WideToUtf8(value);
    }
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(menuFont);
}

TEST(TextFit, JapaneseTextIsDrawnWithGlyphsNotBoxes) {
  // Draws text with the dialog font into a bitmap; characters the fonts cannot show come out
  // as the same empty box whatever they are.
  Window owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  Window probe(CreateHidden(OneControlTemplate(L"STATIC", SS_LEFT, 10, 10, L"x"), owner.hwnd));
  ASSERT_TRUE(probe.hwnd);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(probe.hwnd, WM_GETFONT, 0, 0));
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 30);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font);
  auto pixels = [&](const wchar_t* text) {
    RECT all{0, 0, 200, 30};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutW(dc, 2, 2, text, static_cast<int>(wcslen(text)));
    std::vector<COLORREF> out;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 200; ++x) out.push_back(GetPixel(dc, x, y));
    return out;
  };
  const auto japanese = pixels(L"日本語");
  const auto otherJapanese = pixels(L"再生停");
  const auto unassigned = pixels(L"\x0378\x0379\x0380");
  const auto blank = pixels(L"");
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  EXPECT_NE(japanese, blank) << "nothing drawn";
  EXPECT_NE(japanese, unassigned) << "Japanese drawn as missing glyphs";
  EXPECT_NE(japanese, otherJapanese) << "different characters drawn alike";
}

TEST(MissingKeys, LeaveTemplateTextsAndGiveEmptyMessages) {
  // A language that names only some of a dialog's keys, and none of the messages.
  const std::wstring name = L"lang-test-partial.lng";
  const std::wstring path = zvtest::ExeFolder() + name;
  const std::string bytes =
      "\xEF\xBB\xBF[File]\r\nLanguage=Partial\r\n[IDD_SETTINGS_GENERAL]\r\nIDC_GENERAL_INSTANCE=Translated\r\n"
      "[MainMenu]\r\nIDM_DATEI=&Datei\r\n";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);

  LanguageTable language;
  ASSERT_TRUE(zv::LoadNameTableResource(language));
  ASSERT_EQ(zv::LoadLanguageFile(language, name), S_OK);
  DeleteFileW(path.c_str());
  EXPECT_EQ(language.Message(u"ERROROPENING"), u"");
  EXPECT_EQ(language.Text(u"ToolBar", u"Play"), u"");
  EXPECT_EQ(language.Text(u"MainMenu", u"IDM_DATEI_OEFFNEN"), u"");

  Window owner(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  std::vector<BYTE> dialogTemplate = OneControlTemplate(L"BUTTON", BS_AUTOCHECKBOX, 150, 10, L"Template");
  Window dialog(CreateHidden(dialogTemplate, owner.hwnd));
  ASSERT_TRUE(dialog.hwnd);
  HWND second = CreateWindowExW(0, L"BUTTON", L"Second template", WS_CHILD | BS_AUTOCHECKBOX, 0, 20, 100, 12,
                                dialog.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_GENERAL_POWER)),
                                nullptr, nullptr);
  SetWindowLongPtrW(GetDlgItem(dialog.hwnd, 1001), GWLP_ID, IDC_GENERAL_INSTANCE);
  zv::TranslateDialog(dialog.hwnd, &language, u"IDD_SETTINGS_GENERAL");
  EXPECT_EQ(TextOf(dialog.hwnd), L"Test") << "no ID_CAPTION: the template caption stays";
  EXPECT_EQ(TextOf(GetDlgItem(dialog.hwnd, IDC_GENERAL_INSTANCE)), L"Translated");
  EXPECT_EQ(TextOf(second), L"Second template") << "a missing key keeps the template text";
  zv::TranslateDialog(dialog.hwnd, &language, u"IDD_NOT_IN_THE_FILE");
  EXPECT_EQ(TextOf(GetDlgItem(dialog.hwnd, IDC_GENERAL_INSTANCE)), L"Translated");
}
