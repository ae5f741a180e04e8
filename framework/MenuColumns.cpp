#include "framework/MenuColumns.h"

#include <algorithm>

namespace fw {

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

int TextWidth(HDC dc, const std::wstring& text, UINT format) {
  if (text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_SINGLELINE | DT_CALCRECT);
  return r.right - r.left;
}

wchar_t Upper(wchar_t c) {
  CharUpperBuffW(&c, 1);
  return c;
}

// The character after the single "&" of a label, upper-cased; 0 when none.
wchar_t Mnemonic(const std::wstring& label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != L'&') continue;
    if (label[i + 1] == L'&') {
      ++i;
      continue;
    }
    return Upper(label[i + 1]);
  }
  return 0;
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT r, UINT format, bool embossed) {
  if (text.empty()) return;
  if (embossed) {
    // Greyed text as the classic menus show it: a light copy one pixel
    // down and right under the grey one.
    const COLORREF previous = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    RECT shadow = r;
    OffsetRect(&shadow, 1, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    SetTextColor(dc, previous);
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

}  // namespace

void SplitMenuText(const std::wstring& text, std::wstring* label, std::wstring* shortcut) {
  const size_t tab = text.find(L'\t');
  *label = text.substr(0, tab);
  *shortcut = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

HFONT MenuColumns::MenuFont() {
  if (!font_) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    font_.Reset(CreateFontIndirectW(&metrics.lfMenuFont));
  }
  return static_cast<HFONT>(font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
}

void MenuColumns::Prepare(HMENU popup) {
  if (!popup || !IsMenu(popup)) return;
  // The items of this pop-up's last opening are ours to take again; those
  // of pop-ups destroyed meanwhile are forgotten.
  std::vector<std::unique_ptr<Item>> previous;
  for (auto it = popups_.begin(); it != popups_.end();) {
    if (it->first == popup || !IsMenu(it->first)) {
      for (auto& item : it->second.items) {
        live_.erase(item.get());
        if (it->first == popup) previous.push_back(std::move(item));
      }
      it = popups_.erase(it);
    } else {
      ++it;
    }
  }
  auto previousItem = [&previous](ULONG_PTR data) -> const Item* {
    for (const auto& item : previous)
      if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
    return nullptr;
  };
  Popup& entry = popups_[popup];

  HDC dc = GetDC(nullptr);
  const HGDIOBJ previousFont = SelectObject(dc, MenuFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  Layout& layout = entry.layout;
  const int check = GetSystemMetrics(SM_CXMENUCHECK);
  layout.labelLeft = check + 6;
  layout.gap = std::max(3 * static_cast<int>(metrics.tmAveCharWidth), 16);
  layout.rightMargin = check + 4;
  layout.itemHeight = std::max(static_cast<int>(metrics.tmHeight) + 6, GetSystemMetrics(SM_CYMENUCHECK) + 4);

  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP | MIIM_STRING;
    if (!GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fType & (MFT_SEPARATOR | MFT_BITMAP) || info.hbmpItem) continue;
    // Somebody else's owner-drawn item stays theirs.
    const Item* before = info.fType & MFT_OWNERDRAW ? previousItem(info.dwItemData) : nullptr;
    if (info.fType & MFT_OWNERDRAW && !before) continue;
    std::wstring text(info.cch + 1, L'\0');
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) continue;
    text.resize(info.cch);

    auto item = std::make_unique<Item>();
    item->popup = popup;
    SplitMenuText(text, &item->label, &item->shortcut);
    // A platform that keeps no string for an owner-drawn item: the texts of
    // its last opening stand.
    if (text.empty() && before) *item = *before;
    layout.labelWidth = std::max(layout.labelWidth, TextWidth(dc, item->label, 0));
    layout.shortcutWidth = std::max(layout.shortcutWidth, TextWidth(dc, item->shortcut, DT_NOPREFIX));

    MENUITEMINFOW drawn{};
    drawn.cbSize = sizeof(drawn);
    drawn.fMask = MIIM_FTYPE | MIIM_DATA;
    drawn.fType = (info.fType & ~MFT_OWNERDRAW) | MFT_OWNERDRAW;
    drawn.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
    if (!SetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &drawn)) continue;
    live_.insert(item.get());
    entry.items.push_back(std::move(item));
  }
  SelectObject(dc, previousFont);
  ReleaseDC(nullptr, dc);
}

MenuColumns::Popup* MenuColumns::Owner(const Item* item) {
  if (!live_.count(item)) return nullptr;
  const auto found = popups_.find(item->popup);
  return found == popups_.end() ? nullptr : &found->second;
}

bool MenuColumns::Measure(MEASUREITEMSTRUCT* measure) {
  if (!measure || measure->CtlType != ODT_MENU) return false;
  const auto* item = reinterpret_cast<const Item*>(measure->itemData);
  const Popup* popup = Owner(item);
  if (!popup) return false;
  const Layout& l = popup->layout;
  int width = l.labelLeft + l.labelWidth + l.rightMargin;
  if (l.shortcutWidth > 0) width += l.gap + l.shortcutWidth;
  measure->itemWidth = static_cast<UINT>(width);
  measure->itemHeight = static_cast<UINT>(l.itemHeight);
  return true;
}

bool MenuColumns::Draw(const DRAWITEMSTRUCT* draw) {
  if (!draw || draw->CtlType != ODT_MENU) return false;
  const auto* item = reinterpret_cast<const Item*>(draw->itemData);
  const Popup* popup = Owner(item);
  if (!popup) return false;
  const Layout& l = popup->layout;
  HDC dc = draw->hDC;
  const RECT r = draw->rcItem;
  const bool selected = (draw->itemState & ODS_SELECTED) != 0;
  const bool greyed = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour =
      SetTextColor(dc, GetSysColor(greyed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));

  if (draw->itemState & ODS_CHECKED) {
    // The check mark and the radio bullet of the symbol font the system
    // draws its own menu glyphs with.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    const bool radio = GetMenuItemInfoW(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID, FALSE, &info) &&
                       (info.fType & MFT_RADIOCHECK);
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    if (!checkFont_) {
      LOGFONTW symbols{};
      symbols.lfHeight = -check;
      symbols.lfCharSet = SYMBOL_CHARSET;
      lstrcpynW(symbols.lfFaceName, L"Marlett", LF_FACESIZE);
      checkFont_.Reset(CreateFontIndirectW(&symbols));
    }
    const HGDIOBJ previous = SelectObject(dc, checkFont_.get());
    RECT box{r.left + 3, r.top, r.left + 3 + check, r.bottom};
    const wchar_t glyph = radio ? L'h' : L'a';
    DrawTextW(dc, &glyph, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
  }

  const HGDIOBJ previousFont = SelectObject(dc, MenuFont());
  const bool embossed = greyed && !selected;
  RECT label{r.left + l.labelLeft, r.top, r.right - l.rightMargin, r.bottom};
  DrawTextIn(dc, item->label, label, kTextFormat | DT_LEFT | (draw->itemState & ODS_NOACCEL ? DT_HIDEPREFIX : 0),
             embossed);
  RECT shortcut{label.left, r.top, r.right - l.rightMargin, r.bottom};
  DrawTextIn(dc, item->shortcut, shortcut, kTextFormat | DT_RIGHT | DT_NOPREFIX, embossed);
  SelectObject(dc, previousFont);
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
  return true;
}

LRESULT MenuColumns::MenuChar(wchar_t character, HMENU menu) const {
  const auto found = popups_.find(menu);
  if (found == popups_.end() || !IsMenu(menu)) return MNC_IGNORE;
  const wchar_t wanted = Upper(character);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    const auto* item = reinterpret_cast<const Item*>(info.dwItemData);
    if (!live_.count(item)) continue;
    if (Mnemonic(item->label) == wanted) return MAKELRESULT(i, MNC_EXECUTE);
  }
  return MNC_IGNORE;
}

bool MenuColumns::LayoutOf(HMENU popup, Layout* layout) const {
  const auto found = popups_.find(popup);
  if (found == popups_.end()) return false;
  *layout = found->second.layout;
  return true;
}

}  // namespace fw
