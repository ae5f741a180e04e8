#include "app/HandOverItems.h"

#include <iterator>

namespace zv {

namespace {

const HandOverText kTexts[] = {
    {kHandOverMediaName, &CCmdLineInfo::MediaName, &CCmdLineInfo::SetMediaName},
    {kHandOverSize, &CCmdLineInfo::Size, &CCmdLineInfo::SetSize},
    {kHandOverWindowPos, &CCmdLineInfo::WindowPos, &CCmdLineInfo::SetWindowPos},
    {kHandOverJumpToPos, &CCmdLineInfo::JumpToPos, &CCmdLineInfo::SetJumpToPos},
    {kHandOverVolume, &CCmdLineInfo::Volume, &CCmdLineInfo::SetVolume},
    {kHandOverBorderColour, &CCmdLineInfo::BorderColour, &CCmdLineInfo::SetBorderColour},
    {kHandOverAudio, &CCmdLineInfo::AudioFile, &CCmdLineInfo::SetAudioFile},
};

// "debug", "systray", "hide" and "close" stay with the instance that got them.
const HandOverFlag kFlags[] = {
    {3001, &CCmdLineInfo::Fullscreen}, {3002, &CCmdLineInfo::NoFullscreen},
    {3003, &CCmdLineInfo::Compact},    {3004, &CCmdLineInfo::NoCompact},
    {4001, &CCmdLineInfo::Loop},       {4002, &CCmdLineInfo::NoLoop},
    {4003, &CCmdLineInfo::Center},     {4004, &CCmdLineInfo::NoSplash},
    {4005, &CCmdLineInfo::Play},       {4006, &CCmdLineInfo::Pause},
    {4007, &CCmdLineInfo::Border},     {4008, &CCmdLineInfo::NoBorder},
    {4009, &CCmdLineInfo::Mute},       {4010, &CCmdLineInfo::NoMute},
};

}  // namespace

const HandOverText* HandOverTexts(size_t* count) {
  *count = std::size(kTexts);
  return kTexts;
}

const HandOverFlag* HandOverFlags(size_t* count) {
  *count = std::size(kFlags);
  return kFlags;
}

const HandOverText* FindHandOverText(int32_t code) {
  for (const HandOverText& item : kTexts)
    if (item.code == code) return &item;
  return nullptr;
}

const HandOverFlag* FindHandOverFlag(int32_t code) {
  for (const HandOverFlag& item : kFlags)
    if (item.code == code) return &item;
  return nullptr;
}

}  // namespace zv
