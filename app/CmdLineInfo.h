#pragma once
#include <string>
#include <vector>

namespace zv {

// Receives the "language:" choice while the command line is parsed. The
// Windows side writes it to the settings key (see RegistryLanguageChoice).
class LanguageChoiceSink {
 public:
  virtual ~LanguageChoiceSink() = default;
  // resourceName is the symbolic name of a built-in language ("IDR_LNG_GERMAN").
  virtual void StoreLanguageChoice(const std::u16string& resourceName) = 0;
};

}  // namespace zv

// The parsed command line: the media to open and the switches that change
// how the player window starts. Text values are kept as given; they are
// interpreted when the player window applies the record (CmdLineValues.h).
class CCmdLineInfo {
 public:
  explicit CCmdLineInfo(zv::LanguageChoiceSink* languageSink = nullptr);

  // Walks the arguments after the program name: an argument beginning with
  // "/" or "-" is a switch and is handed on without that character.
  void ParseArguments(const std::vector<std::u16string>& arguments);

  // The parameter hook for one argument, switch character removed, followed
  // by the framework's handling of plain parameters.
  void ParseParam(const std::u16string& param, bool isSwitch);

  const std::u16string& MediaName() const { return mediaName_; }
  void SetMediaName(const std::u16string& name) { mediaName_ = name; }

  const std::u16string& AudioFile() const { return audioFile_; }
  void SetAudioFile(const std::u16string& value) { audioFile_ = value; }
  const std::u16string& BorderColour() const { return borderColour_; }
  void SetBorderColour(const std::u16string& value) { borderColour_ = value; }
  const std::u16string& Size() const { return size_; }
  void SetSize(const std::u16string& value) { size_ = value; }
  const std::u16string& WindowPos() const { return windowPos_; }
  void SetWindowPos(const std::u16string& value) { windowPos_ = value; }
  const std::u16string& JumpToPos() const { return jumpToPos_; }
  void SetJumpToPos(const std::u16string& value) { jumpToPos_ = value; }
  const std::u16string& Volume() const { return volume_; }
  void SetVolume(const std::u16string& value) { volume_ = value; }
  // "associate:" of the installer: the categories (2 video, 4 audio,
  // 8 playlists, added up) whose file types it associates.
  const std::u16string& AssociateCategories() const { return associate_; }
  void SetAssociateCategories(const std::u16string& value) { associate_ = value; }

  // Switches.
  bool Help = false;
  bool Center = false;
  bool Debug = false;
  bool Play = false;
  bool Pause = false;
  bool NoSplash = false;
  bool Loop = false;
  bool NoLoop = false;
  bool Mute = false;
  bool NoMute = false;
  bool Border = false;
  bool NoBorder = false;
  bool SysTray = false;
  bool Hide = false;
  bool Fullscreen = false;
  bool NoFullscreen = false;
  bool Compact = false;
  bool NoCompact = false;
  bool Close = false;

  // Maintenance switches of the installer, the updater and the elevated
  // association run; the application object acts on them after parsing.
  bool UpdateStep1 = false;
  bool UpdateStep2 = false;
  bool Uninstall = false;
  bool AdminCreateFileAssoc = false;
  bool AdminDeleteFileAssoc = false;
  // With "uninstall": no language choice first and no message at the end
  // (the installer's silent uninstall).
  bool Quiet = false;

 private:
  bool* FlagOfSwitch(size_t index);

  zv::LanguageChoiceSink* languageSink_;
  std::u16string mediaName_;
  std::u16string audioFile_;
  std::u16string borderColour_;
  std::u16string size_;
  std::u16string windowPos_;
  std::u16string jumpToPos_;
  std::u16string volume_;
  std::u16string associate_;
};

namespace zv {

// The help text shown after the application name (it begins
// ".exe [<mediafile>] [<options>]"); lines end in line feeds, "\t" is a tab.
std::u16string CommandLineHelpText();

}  // namespace zv
