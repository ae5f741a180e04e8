#include "app/CmdLineInfo.h"

#include <iterator>

#include "app/TextUtil.h"
#include "lang/LanguageKeywords.h"

namespace {

struct SwitchEntry {
  const char16_t* word;
  bool CCmdLineInfo::*flag;
};

// Exact switches, matched without regard to case.
const SwitchEntry kSwitches[] = {
    {u"help", &CCmdLineInfo::Help},
    {u"?", &CCmdLineInfo::Help},
    {u"center", &CCmdLineInfo::Center},
    {u"debug", &CCmdLineInfo::Debug},
    {u"play", &CCmdLineInfo::Play},
    {u"pause", &CCmdLineInfo::Pause},
    {u"nosplash", &CCmdLineInfo::NoSplash},
    {u"loop", &CCmdLineInfo::Loop},
    {u"noloop", &CCmdLineInfo::NoLoop},
    {u"mute", &CCmdLineInfo::Mute},
    {u"nomute", &CCmdLineInfo::NoMute},
    {u"border", &CCmdLineInfo::Border},
    {u"noborder", &CCmdLineInfo::NoBorder},
    {u"systray", &CCmdLineInfo::SysTray},
    {u"hide", &CCmdLineInfo::Hide},
    {u"fullscreen", &CCmdLineInfo::Fullscreen},
    {u"nofullscreen", &CCmdLineInfo::NoFullscreen},
    {u"compact", &CCmdLineInfo::Compact},
    {u"nocompact", &CCmdLineInfo::NoCompact},
    {u"close", &CCmdLineInfo::Close},
    {u"update_step_1", &CCmdLineInfo::UpdateStep1},
    {u"update_step_2", &CCmdLineInfo::UpdateStep2},
    {u"uninstall", &CCmdLineInfo::Uninstall},
    {u"admincreatefileassoc", &CCmdLineInfo::AdminCreateFileAssoc},
    {u"admindeletefileassoc", &CCmdLineInfo::AdminDeleteFileAssoc},
    {u"quiet", &CCmdLineInfo::Quiet},
};

struct ValueEntry {
  const char16_t* word;
  void (CCmdLineInfo::*set)(const std::u16string&);
};

// Value switches, in the order they are tested.
const ValueEntry kValueSwitches[] = {
    {u"audio:", &CCmdLineInfo::SetAudioFile},
    {u"bordercol:", &CCmdLineInfo::SetBorderColour},
    {u"size:", &CCmdLineInfo::SetSize},
    {u"wndpos:", &CCmdLineInfo::SetWindowPos},
    {u"jumptopos:", &CCmdLineInfo::SetJumpToPos},
    {u"volume:", &CCmdLineInfo::SetVolume},
    {u"associate:", &CCmdLineInfo::SetAssociateCategories},
};

constexpr char16_t kLanguageSwitch[] = u"language:";

}  // namespace

CCmdLineInfo::CCmdLineInfo(zv::LanguageChoiceSink* languageSink) : languageSink_(languageSink) {}

void CCmdLineInfo::ParseArguments(const std::vector<std::u16string>& arguments) {
  for (const std::u16string& argument : arguments) {
    bool isSwitch = !argument.empty() && (argument[0] == u'/' || argument[0] == u'-');
    ParseParam(isSwitch ? argument.substr(1) : argument, isSwitch);
  }
}

void CCmdLineInfo::ParseParam(const std::u16string& param, bool isSwitch) {
  const std::u16string lower = zv::AsciiLower(param);

  // A stream address is accepted also when it is written as a switch.
  if (mediaName_.empty() && lower.find(u"://") != std::u16string::npos) mediaName_ = param;

  for (const SwitchEntry& entry : kSwitches)
    if (lower == entry.word) this->*entry.flag = true;

  // The option is expected at the start of the parameter; its value is what
  // follows the option word and keeps its case.
  for (const ValueEntry& entry : kValueSwitches) {
    std::u16string word = entry.word;
    if (lower.find(word) == std::u16string::npos) continue;
    (this->*entry.set)(param.substr(word.size()));
  }

  std::u16string languageWord = kLanguageSwitch;
  if (lower.find(languageWord) != std::u16string::npos) {
    std::u16string resourceName = zv::LanguageResourceOfKeyword(param.substr(languageWord.size()));
    if (!resourceName.empty() && languageSink_) languageSink_->StoreLanguageChoice(resourceName);
  }

  // The framework's own handling: the first plain parameter names the media;
  // further ones are ignored.
  if (!isSwitch && mediaName_.empty()) mediaName_ = param;
}

namespace zv {

std::u16string CommandLineHelpText() {
  static const char* const kLines[] = {
      ".exe [<mediafile>] [<options>]",
      "",
      "Options:",
      "/help,/?\t\tthis help screen",
      "/center\t\tcenter video window on desktop",
      "/nosplash\t\thide splash picture",
      "/uninstall\t\tuninstall Zentravue :'(",
      "/loop\t\tloop media file",
      "/noloop\t\tdon't loop media file",
      "/fullscreen\tactivate fullscreen mode",
      "/nofullscreen\tdeactivate fullscreen mode",
      "/close\t\tquit Zentravue after playback",
      "/audio:<audiofile>\tdisable audio of video and play this audio file instead",
      "/language:<language>",
      "\tAvailable languages:",
      "\tdeutsch,english,francais,espanol,galego,italiano,magyar,",
      "\tnederlands,polski,russian & slovak",
      "/size:<size>\tsize of video",
      "\tExamples: /size:640x480, /size:3x, /size:0.5x",
      "/play\t\tplayback media",
      "/pause\t\tpause media",
      "/wndpos:<x>,<y>,[relativTo]",
      "\t<x> = horizontal window position in pixels",
      "\t<y> = vertical window position in pixels",
      "\t<realtiveTo> can be 'lefttop','righttop','leftbottom','rightbottom' or empty",
      "\tif <relativTo> is present,",
      "\tthen <x> and <y> are relative to the specified desktop corner",
      "/jumptopos:<pos>\tjump to position in seconds",
      "/compact\t\tcompact mode view",
      "/nocompact\trestore normal view",
      "/border\t\tDisplay a border around the window",
      "/noborder\tDoesn't display a border around the window",
      "/bordercol:<red>,<green>,<blue>\tborder color around video",
      "\t\te.g. 0,0,0 for black or 255,255,255 for white",
      "/volume:<volume>\tset volume in percent (0-100)",
      "/mute\t\tmute audio",
      "/nomute\t\tunmute audio",
      "/systray\t\tShow Zentravue in systray",
      "/hide\t\tHide Zentravue in taskbar",
  };
  std::u16string text;
  for (size_t i = 0; i < std::size(kLines); ++i) {
    if (i > 0) text += u'\n';
    text += Widen(kLines[i]);
  }
  return text;
}

}  // namespace zv
