// The player window's menus: the main menu and the context menu carry the
// same commands, so every item change goes to both. Named sub-menus are
// items in the resources that are turned into pop-ups here.
#include "player/ZentravueDlg.h"

#include "app/RecentMedia.h"
#include "framework/Menu.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"

#include <iterator>

namespace {

// A named pop-up: its symbolic name (the key of the language files) with
// the number it stands for, and for an item of the menu resources that
// becomes a pop-up the menu resource whose first pop-up fills it (0: left
// empty to be filled at run time).
struct NamedMenu {
  UINT id;
  const char16_t* name;
  UINT resource;
};
#define ZV_NAMED_MENU(id, resource) \
  { id, u"" #id, resource }

// The pop-ups of the menu bar, in bar order (the same order inside the
// context menu's root pop-up).
constexpr NamedMenu kBarMenus[] = {
    ZV_NAMED_MENU(IDM_DATEI, 0),    ZV_NAMED_MENU(IDM_WIEDERGABE, 0), ZV_NAMED_MENU(IDM_NAVIGATION, 0),
    ZV_NAMED_MENU(IDM_ANSICHT, 0),  ZV_NAMED_MENU(IDM_EXTRAS, 0),     ZV_NAMED_MENU(IDM_HILFE, 0),
};

constexpr NamedMenu kSubMenus[] = {
    ZV_NAMED_MENU(IDM_DATEI_CDDVDABSPIELEN, IDR_MENU_CDDVD),
    ZV_NAMED_MENU(IDM_DATEI_ZULETZTGEOEFFNET, 0),
    ZV_NAMED_MENU(IDM_WIEDERGABE_STREAMS, 0),
    ZV_NAMED_MENU(IDM_WIEDERGABE_STREAMS_CHAPTER, 0),
    ZV_NAMED_MENU(IDM_WIEDERGABE_STREAMS_AUDIO, 0),
    ZV_NAMED_MENU(IDM_WIEDERGABE_STREAMS_SUBTITLE, IDR_MENU_SUBTITLE),
    ZV_NAMED_MENU(IDM_WIEDERGABE_STREAMS_ANGLE, 0),
    ZV_NAMED_MENU(IDM_WIEDERGABE_ABSPIELGESCHWINDIGKEIT, IDR_MENU_PLAYSPEED),
    ZV_NAMED_MENU(IDM_WIEDERGABE_AUDIO, IDR_MENU_AUDIO),
    ZV_NAMED_MENU(IDM_NAVIGATION_MARKIERUNG, IDR_MENU_MARK),
    ZV_NAMED_MENU(IDM_ANSICHT_ZOOM, IDR_MENU_ZOOM),
    ZV_NAMED_MENU(IDM_EXTRAS_PLAYLIST, IDR_MENU_PLAYLIST),
    ZV_NAMED_MENU(IDM_EXTRAS_DSFILTER, 0),
};
#undef ZV_NAMED_MENU

// The first pop-up of a menu resource, detached from its bar.
HMENU LoadSubMenu(UINT resource) {
  HMENU bar = LoadMenuW(fw::ResourceInstance(), MAKEINTRESOURCEW(resource));
  if (!bar) return CreatePopupMenu();
  HMENU popup = GetSubMenu(bar, 0);
  if (popup) RemoveMenu(bar, 0, MF_BYPOSITION);
  DestroyMenu(bar);
  return popup ? popup : CreatePopupMenu();
}

int PositionOfItem(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == id) return i;
  return -1;
}

}  // namespace

// Registers the pop-ups of both menus in the pop-up registry: the six of
// the bar by position, and every sub-menu item of the resources, which
// becomes a pop-up with the item's text and grey state.
void CZentravueDlg::LoadMenus() {
  mainMenu_ = GetMenu(hwnd_);
  contextMenuRoot_.Reset(LoadMenuW(fw::ResourceInstance(), MAKEINTRESOURCEW(IDR_MENU_CONTEXT)));
  contextMenu_ = contextMenuRoot_ ? GetSubMenu(contextMenuRoot_.get(), 0) : nullptr;
  popups_.Clear();
  for (HMENU root : {mainMenu_, contextMenu_}) {
    if (!root) continue;
    const CPopupMenu::Tree tree = root == mainMenu_ ? CPopupMenu::kMainMenu : CPopupMenu::kContextMenu;
    for (int i = 0; i < static_cast<int>(std::size(kBarMenus)); ++i) {
      if (HMENU popup = GetSubMenu(root, i)) popups_.Add(kBarMenus[i].name, kBarMenus[i].id, tree, root, i, popup);
    }
    for (const NamedMenu& source : kSubMenus) {
      HMENU parent = fw::FindSubMenuHolding(root, source.id);
      if (!parent) continue;
      const int position = PositionOfItem(parent, source.id);
      const std::wstring text = fw::ItemTextAt(parent, position);
      const UINT state = GetMenuState(parent, static_cast<UINT>(position), MF_BYPOSITION);
      HMENU popup = source.resource ? LoadSubMenu(source.resource) : CreatePopupMenu();
      ModifyMenuW(parent, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(popup), text.c_str());
      if (state & (MF_GRAYED | MF_DISABLED))
        EnableMenuItem(parent, static_cast<UINT>(position), MF_BYPOSITION | MF_GRAYED);
      popups_.Add(source.name, source.id, tree, parent, position, popup);
      if (root == mainMenu_ && source.id == IDM_DATEI_ZULETZTGEOEFFNET) recentMenu_ = popup;
    }
  }
  if (mainMenu_) DrawMenuBar(hwnd_);
}

HMENU CZentravueDlg::NamedPopup(UINT id, bool inContextMenu) const {
  return popups_.Popup(id, inContextMenu ? CPopupMenu::kContextMenu : CPopupMenu::kMainMenu);
}

void CZentravueDlg::EnableNamedPopup(UINT id, bool enabled) {
  const CPopupMenu::Record* record = popups_.Find(id);
  if (!record) return;
  for (CPopupMenu::Tree tree : {CPopupMenu::kMainMenu, CPopupMenu::kContextMenu}) {
    const int position = popups_.PositionIn(*record, tree);
    if (position >= 0)
      EnableMenuItem(record->parent[tree], static_cast<UINT>(position),
                     MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  if (mainMenu_) DrawMenuBar(hwnd_);
}

void CZentravueDlg::CheckCommand(UINT id, bool checked) {
  if (mainMenu_) fw::CheckItem(mainMenu_, id, checked);
  if (contextMenu_) fw::CheckItem(contextMenu_, id, checked);
}

void CZentravueDlg::EnableCommand(UINT id, bool enabled) {
  if (mainMenu_) fw::EnableItem(mainMenu_, id, enabled);
  if (contextMenu_) fw::EnableItem(contextMenu_, id, enabled);
}

bool CZentravueDlg::IsCommandChecked(UINT id) const {
  return mainMenu_ ? fw::IsItemChecked(mainMenu_, id) : contextMenu_ && fw::IsItemChecked(contextMenu_, id);
}

bool CZentravueDlg::IsCommandEnabled(UINT id) const {
  return mainMenu_ ? fw::IsItemEnabled(mainMenu_, id) : contextMenu_ && fw::IsItemEnabled(contextMenu_, id);
}

void CZentravueDlg::BuildRecentMenu() {
  if (!recentMenu_) return;
  fw::RemoveAllItems(recentMenu_);
  const std::vector<zv::RecentMenuItem> items = recent_->MenuItems();
  for (const zv::RecentMenuItem& item : items)
    AppendMenuW(recentMenu_, MF_STRING, ID_RECENT_CLEAR + static_cast<UINT>(item.slot),
                fw::ToWide(item.name).c_str());
  if (!items.empty()) {
    AppendMenuW(recentMenu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(recentMenu_, MF_STRING, ID_RECENT_CLEAR, Text(u"DELLIST").c_str());
  }
  EnableNamedPopup(IDM_DATEI_ZULETZTGEOEFFNET, !items.empty());
}

namespace {
// Commands that need open media, in both menus.
constexpr UINT kMediaCommands[] = {
    IDM_VIDEO_EIGENSCHAFTEN,
    IDM_FILE_SAVE_AS,
    IDM_DATEI_SCHLIESSEN,
    IDM_VIDEO_ASPECTRATIO,
    IDM_VIDEO_RESET,
    IDM_VIDEO_VERGROESSERN_OBENUNTEN,
    IDM_VIDEO_VERKLEINERN_OBENUNTEN,
    IDM_VIDEO_VERGROESSERN_LINKSRECHTS,
    IDM_VIDEO_VERKLEINERN_LINKSRECHTS,
    IDM_VIDEO_FILLSCREENWITHOUTCLIPPING,
    IDM_VIDEO_FILLSCREEN,
    IDM_VIDEO_TOGGLECLIPPINGFULL,
    IDM_WIEDERGABE_WIEDERGABE_PAUSE,
    IDM_WIEDERGABE_STOPP,
    IDM_WIEDERGABE_NORMAL,
    IDM_PLAYSPEED_PLAYSLOWFORWARDS,
    IDM_PLAYSPEED_PLAYFASTFORWARDS,
    IDM_WIEDERGABE_MARKIERUNGSANFANGSETZEN,
    IDM_WIEDERGABE_MARKIERUNGSENDESETZEN,
    IDM_WIEDERGABE_ALLESMARKIEREN,
    IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOANFANG,
    IDM_WIEDERGABE_SPRINGEZUMARKIERUNGSVIDEOENDE,
    IDM_WIEDERGABE_SCHNELLESVORSPULEN,
    IDM_WIEDERGABE_SCHNELLESZURUECKSPULEN,
};
constexpr int kMediaButtons[] = {IDTBB_FASTBACKWARD, IDTBB_FASTFORWARD, IDTBB_PLAY, IDTBB_PAUSE, IDTBB_STOP};
constexpr int kVideoButtons[] = {IDTBB_VOLLBILD, IDTBB_SCREENSHOT, IDTBB_CLIPPING};
constexpr UINT kVideoCommands[] = {IDM_ANSICHT_ORIGINAL, IDM_ANSICHT_VOLLBILD, IDM_AUDIO_AUDIOTRACKOEFFNEN};
}  // namespace

void CZentravueDlg::EnableMediaCommands(bool enabled, bool hasVideo) {
  for (UINT id : kMediaCommands) EnableCommand(id, enabled);
  EnableCommand(IDM_VIDEO_SCREENSHOT, enabled && hasVideo);
  for (UINT id : kVideoCommands) EnableCommand(id, enabled && hasVideo);
  EnableCommand(IDM_ANSICHT_MAXIMIEREN, enabled && hasVideo);
  for (int id : kMediaButtons) toolBar_.SetButtonState(id, enabled);
  for (int id : kVideoButtons) toolBar_.SetButtonState(id, enabled && hasVideo);
  if (!enabled) {
    EnableCommand(IDM_WIEDERGABE_SPRINGELETZTESTELLE, false);
    toolBar_.SetButtonState(IDTBB_JUMPLASTPOSITION, false);
  }
}
