#include "player/ToolBarButtons.h"

CToolBarButtons CToolBarButtons::BuiltIn() {
  CToolBarButtons table;
  table.Add(u"PrevTrackChapter", u"Prev. track/chapter", 0);
  table.Add(u"FastRewind", u"Schnelles Zur\u00fcckspulen", 1);
  table.Add(u"Play", u"Wiedergabe", 2);
  table.Add(u"Pause", u"Pause", 3);
  table.Add(u"FastForward", u"Schnelles Vorspulen", 4);
  table.Add(u"NextTrackChapter", u"Next track/chapter", 5);
  table.Add(u"Open", u"\u00d6ffnen...", 6);
  table.Add(u"Screenshot", u"Screenshot", 29);
  table.Add(u"Stop", u"Stopp", 8);
  table.Add(u"Loop", u"Endlosschleife einschalten", 9);
  table.Add(u"NoLoop", u"Endlosschleife ausschalten", 10);
  table.Add(u"PreviousFrame", u"Vorheriger Frame", 11);
  table.Add(u"NextFrame", u"N\u00e4chster Frame", 12);
  table.Add(u"NoShutdown", u"Shutdown ausschalten", 13);
  table.Add(u"NoMute", u"Ton einschalten", 14);
  table.Add(u"Mute", u"Ton ausschalten", 15);
  table.Add(u"Clipping", u"Bildschirm komplett ausf\u00fcllen", 16);
  table.Add(u"NotOnTop", u"\"Immer oben\" ausschalten", 17);
  table.Add(u"JumpLastPosition", u"Springe zur zuletzt abgespielten Stelle", 20);
  table.Add(u"OnTop", u"\"Immer oben\" einschalten", 26);
  table.Add(u"FillScreen", u"Bildschirm f\u00fcllen ohne Video abzuschneiden", 27);
  table.Add(u"Shutdown", u"Shutdown einschalten", 28);
  table.Add(u"Quit", u"Beenden", 31);
  table.Add(u"RootMenu", u"Root menu", 32);
  table.Add(u"Resume", u"Resume", 33);
  table.Add(u"Playlist", u"Playlist", 24);
  return table;
}

bool CToolBarButtons::Add(const std::u16string& name, const std::u16string& tooltip, int imageIndex) {
  if (records_.size() >= kMaxButtons) return false;
  records_.push_back(CToolBarButton{imageIndex, name, tooltip});
  return true;
}

const CToolBarButton* CToolBarButtons::Find(const std::u16string& name) const {
  for (const CToolBarButton& record : records_) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

std::u16string CToolBarButtons::TooltipOf(const std::u16string& name) const {
  const CToolBarButton* record = Find(name);
  return record ? record->tooltip : std::u16string();
}

int CToolBarButtons::ImageIndexOf(const std::u16string& name) const {
  const CToolBarButton* record = Find(name);
  return record ? record->imageIndex : 0;
}

bool CToolBarButtons::SetTooltip(const std::u16string& name, const std::u16string& tooltip) {
  for (CToolBarButton& record : records_) {
    if (record.name != name) continue;
    record.tooltip = tooltip;
    return true;
  }
  return false;
}

std::u16string CToolBarButtons::TooltipOfImage(int imageIndex) const {
  for (const CToolBarButton& record : records_) {
    if (record.imageIndex == imageIndex) return record.tooltip;
  }
  return {};
}
