#pragma once
// Our implementation of the media framework's DVD graph builder, DVD control
// and DVD information (IDvdGraphBuilder, IDvdControl2, IDvdInfo2), for
// platforms whose own navigator cannot play (media/DvdNavigatorChoice.h).
// One object serves all three interfaces. The graph it builds:
//   DVD navigator source -> the platform's MPEG splitter/decoders -> Video Renderer, audio renderer
// Each jump of the navigator replaces the source's segment and the splitter
// behind it, on the thread that rendered the volume (a message-only window
// receives the requests), so graph changes never race the player's own calls.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"
#include "media/dvd/DvdNavigator.h"
#include "media/dvd/SubpictureOverlay.h"

#include <dshow.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace zv::dvd {

class DvdSourceFilter;

class DvdNavigatorObject final : public IDvdGraphBuilder,
                                 public IDvdControl2,
                                 public IDvdInfo2,
                                 public NavigatorHost {
 public:
  static HRESULT Create(IDvdGraphBuilder** out);

  // IUnknown (one identity for the three interfaces)
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDvdGraphBuilder
  STDMETHODIMP GetFiltergraph(IGraphBuilder** graph) override;
  STDMETHODIMP GetDvdInterface(REFIID riid, void** out) override;
  STDMETHODIMP RenderDvdVideoVolume(LPCWSTR path, DWORD flags, AM_DVD_RENDERSTATUS* status) override;

  // IDvdControl2
  STDMETHODIMP PlayTitle(ULONG title, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayChapterInTitle(ULONG title, ULONG chapter, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayAtTimeInTitle(ULONG title, DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP ReturnFromSubmenu(DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayAtTime(DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayChapter(ULONG chapter, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayPrevChapter(DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP ReplayChapter(DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayNextChapter(DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayForwards(double speed, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayBackwards(double speed, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP ShowMenu(DVD_MENU_ID menu, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP Resume(DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP SelectRelativeButton(DVD_RELATIVE_BUTTON direction) override;
  STDMETHODIMP ActivateButton() override;
  STDMETHODIMP SelectButton(ULONG button) override;
  STDMETHODIMP SelectAndActivateButton(ULONG button) override;
  STDMETHODIMP StillOff() override;
  STDMETHODIMP Pause(WINBOOL state) override;
  STDMETHODIMP SelectAudioStream(ULONG stream, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP SelectSubpictureStream(ULONG stream, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP SetSubpictureState(WINBOOL state, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP SelectAngle(ULONG angle, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP SelectParentalLevel(ULONG level) override;
  STDMETHODIMP SelectParentalCountry(BYTE country[2]) override;
  STDMETHODIMP SelectKaraokeAudioPresentationMode(ULONG mode) override;
  STDMETHODIMP SelectVideoModePreference(ULONG mode) override;
  STDMETHODIMP SetDVDDirectory(LPCWSTR path) override;
  STDMETHODIMP ActivateAtPosition(POINT point) override;
  STDMETHODIMP SelectAtPosition(POINT point) override;
  STDMETHODIMP PlayChaptersAutoStop(ULONG title, ULONG chapter, ULONG count, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP AcceptParentalLevelChange(WINBOOL accept) override;
  STDMETHODIMP SetOption(DVD_OPTION_FLAG flag, WINBOOL state) override;
  STDMETHODIMP SetState(IDvdState* state, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP PlayPeriodInTitleAutoStop(ULONG title, DVD_HMSF_TIMECODE* start, DVD_HMSF_TIMECODE* end, DWORD flags,
                                         IDvdCmd** cmd) override;
  STDMETHODIMP SetGPRM(ULONG index, WORD value, DWORD flags, IDvdCmd** cmd) override;
  STDMETHODIMP SelectDefaultMenuLanguage(LCID language) override;
  STDMETHODIMP SelectDefaultAudioLanguage(LCID language, DVD_AUDIO_LANG_EXT extension) override;
  STDMETHODIMP SelectDefaultSubpictureLanguage(LCID language, DVD_SUBPICTURE_LANG_EXT extension) override;

  // IDvdInfo2
  STDMETHODIMP GetCurrentDomain(DVD_DOMAIN* domain) override;
  STDMETHODIMP GetCurrentLocation(DVD_PLAYBACK_LOCATION2* location) override;
  STDMETHODIMP GetTotalTitleTime(DVD_HMSF_TIMECODE* time, ULONG* flags) override;
  STDMETHODIMP GetCurrentButton(ULONG* available, ULONG* current) override;
  STDMETHODIMP GetCurrentAngle(ULONG* available, ULONG* current) override;
  STDMETHODIMP GetCurrentAudio(ULONG* available, ULONG* current) override;
  STDMETHODIMP GetCurrentSubpicture(ULONG* available, ULONG* current, WINBOOL* disabled) override;
  STDMETHODIMP GetCurrentUOPS(ULONG* uops) override;
  STDMETHODIMP GetAllSPRMs(SPRMARRAY* registers) override;
  STDMETHODIMP GetAllGPRMs(GPRMARRAY* registers) override;
  STDMETHODIMP GetAudioLanguage(ULONG stream, LCID* language) override;
  STDMETHODIMP GetSubpictureLanguage(ULONG stream, LCID* language) override;
  STDMETHODIMP GetTitleAttributes(ULONG title, DVD_MenuAttributes* menu, DVD_TitleAttributes* attributes) override;
  STDMETHODIMP GetVMGAttributes(DVD_MenuAttributes* attributes) override;
  STDMETHODIMP GetCurrentVideoAttributes(DVD_VideoAttributes* attributes) override;
  STDMETHODIMP GetAudioAttributes(ULONG stream, DVD_AudioAttributes* attributes) override;
  STDMETHODIMP GetKaraokeAttributes(ULONG stream, DVD_KaraokeAttributes* attributes) override;
  STDMETHODIMP GetSubpictureAttributes(ULONG stream, DVD_SubpictureAttributes* attributes) override;
  STDMETHODIMP GetDVDVolumeInfo(ULONG* volumes, ULONG* volume, DVD_DISC_SIDE* side, ULONG* titles) override;
  STDMETHODIMP GetDVDTextNumberOfLanguages(ULONG* count) override;
  STDMETHODIMP GetDVDTextLanguageInfo(ULONG index, ULONG* strings, LCID* language,
                                      enum DVD_TextCharSet* charSet) override;
  STDMETHODIMP GetDVDTextStringAsNative(ULONG language, ULONG index, BYTE* buffer, ULONG size, ULONG* actual,
                                        enum DVD_TextStringType* type) override;
  STDMETHODIMP GetDVDTextStringAsUnicode(ULONG language, ULONG index, WCHAR* buffer, ULONG size, ULONG* actual,
                                         enum DVD_TextStringType* type) override;
  STDMETHODIMP GetPlayerParentalLevel(ULONG* level, BYTE country[2]) override;
  STDMETHODIMP GetNumberOfChapters(ULONG title, ULONG* count) override;
  STDMETHODIMP GetTitleParentalLevels(ULONG title, ULONG* levels) override;
  STDMETHODIMP GetDVDDirectory(LPWSTR path, ULONG size, ULONG* actual) override;
  STDMETHODIMP IsAudioStreamEnabled(ULONG stream, WINBOOL* enabled) override;
  STDMETHODIMP GetDiscID(LPCWSTR path, ULONGLONG* id) override;
  STDMETHODIMP GetState(IDvdState** state) override;
  STDMETHODIMP GetMenuLanguages(LCID* languages, ULONG max, ULONG* actual) override;
  STDMETHODIMP GetButtonAtPosition(POINT point, ULONG* button) override;
  STDMETHODIMP GetCmdFromEvent(LONG_PTR param, IDvdCmd** cmd) override;
  STDMETHODIMP GetDefaultMenuLanguage(LCID* language) override;
  STDMETHODIMP GetDefaultAudioLanguage(LCID* language, DVD_AUDIO_LANG_EXT* extension) override;
  STDMETHODIMP GetDefaultSubpictureLanguage(LCID* language, DVD_SUBPICTURE_LANG_EXT* extension) override;
  STDMETHODIMP GetDecoderCaps(DVD_DECODER_CAPS* caps) override;
  STDMETHODIMP GetButtonRect(ULONG button, RECT* rect) override;
  STDMETHODIMP IsSubpictureStreamEnabled(ULONG stream, WINBOOL* enabled) override;

  // NavigatorHost (navigator thread)
  int64_t PresentationTime() override;
  bool ChangeSegment(const Segment& segment) override;
  void PostEvent(NavEvent event, long param1, long param2) override;
  void OverlayChanged() override;

  // For tests of this implementation: pixels of the overlay drawn now, and
  // how many segments the graph has played.
  int OverlayPixels() const { return overlay_.DrawnPixels(); }
  int SegmentsPlayed() const { return segmentsPlayed_; }

 private:
  DvdNavigatorObject() = default;
  ~DvdNavigatorObject();
  HRESULT Result(bool ok) const { return ok ? S_OK : VFW_E_DVD_OPERATION_INHIBITED; }
  HRESULT EnsureGraph();
  HRESULT ApplySegment();
  HRESULT ConnectKnownChain();
  void RememberChain();
  void Shutdown();
  void ShowOverlay();
  bool PictureArea(HWND* parent, RECT* area);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  LONG refs_ = 1;
  std::unique_ptr<Navigator> navigator_;
  fw::ComPtr<IGraphBuilder> graph_;
  DvdSourceFilter* source_ = nullptr;  // one reference
  fw::ComPtr<IBaseFilter> videoRenderer_;
  // The graph's reference clock where the audio renderer's cannot be used
  // (AudioRendererClockUsable); otherwise the graph chooses.
  fw::ComPtr<IReferenceClock> clock_;
  HWND window_ = nullptr;  // message-only, on the rendering thread
  HANDLE segmentReady_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE segmentDone_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  std::atomic<bool> shuttingDown_{false};
  std::atomic<bool> rendering_{false};
  Segment pending_;
  std::mutex pendingMutex_;
  SubpictureOverlay overlay_;
  std::wstring directory_;
  bool timeEvents_ = false;
  int lastSecond_ = -1;
  int segmentsPlayed_ = 0;
  LCID menuLanguage_ = 0, audioLanguage_ = 0, subpictureLanguage_ = 0;
};

}  // namespace zv::dvd

#pragma GCC diagnostic pop
