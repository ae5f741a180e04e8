// Translation of the player window: both menus and the toolbar tooltips
// from the active language, at initialisation and after a language change
// (when every open window follows at once); and the drawing of the menus'
// items in a label and a shortcut column.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"
#include "lang/MenuTranslation.h"
#include "playlist/PlaylistDlg.h"

void CZentravueDlg::TranslatePlayerWindow() {
  zv::TranslateMenus(mainMenu_, contextMenu_, popups_, language_);
  TranslateToolBar();
  if (mainMenu_) DrawMenuBar(hwnd_);
}

void CZentravueDlg::TranslateToolBar() {
  if (!language_) return;
  language_->ForEachEntry(u"ToolBar", true, [this](const std::u16string& key, const std::u16string& value) {
    buttons_.SetTooltip(key, value);
  });
  if (toolBar_.hwnd()) toolBar_.ReloadTooltips(buttons_);
  // The mute button is no toolbar button: it takes the text of its state.
  if (muteButton_.hwnd()) ShowMuteState();
}

bool CZentravueDlg::ApplyLanguageChange() {
  if (!language_) return false;
  HRESULT loaded = E_FAIL;
  if (settings_->LanguageType != 0) {
    loaded = zv::LoadLanguageFile(*language_, fw::ToWide(settings_->LanguageFile));
  } else {
    const int32_t id = language_->NumberOfName(settings_->LanguageResource);
    if (id >= 0) loaded = zv::LoadBuiltInLanguage(*language_, id);
  }
  if (FAILED(loaded)) return false;
  TranslatePlayerWindow();
  if (playlistDlg_) playlistDlg_->Translate();
  return true;
}

bool CZentravueDlg::OnMenuDrawingMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_INITMENUPOPUP: {
      // The system menu keeps its own drawing.
      if (preparingMenu_ || HIWORD(lParam)) return false;
      // Whatever the window's own handlers put into the pop-up is drawn in
      // columns too: they run first.
      preparingMenu_ = true;
      LRESULT ignored = 0;
      Dispatch(message, wParam, lParam, &ignored);
      preparingMenu_ = false;
      menuColumns_.Prepare(reinterpret_cast<HMENU>(wParam));
      *result = 0;
      return true;
    }
    case WM_MEASUREITEM:
      if (!menuColumns_.Measure(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
      *result = TRUE;
      return true;
    case WM_DRAWITEM:
      if (!menuColumns_.Draw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
      *result = TRUE;
      return true;
    case WM_MENUCHAR: {
      const LRESULT answer = menuColumns_.MenuChar(LOWORD(wParam), reinterpret_cast<HMENU>(lParam));
      if (HIWORD(answer) != MNC_EXECUTE) return false;
      *result = answer;
      return true;
    }
    default:
      return false;
  }
}
