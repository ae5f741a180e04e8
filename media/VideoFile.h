#pragma once
// The media object for everything that is not a DVD: local audio and video
// files and stream addresses the platform's source filters can open. The
// constructor builds the whole graph; IsRendered() tells whether it worked.
// A separate audio file can be laid over a video (external audio track).
#include "media/DirectShow.h"

#include <memory>
#include <string>
#include <vector>

class LanguageTable;
struct IZvChapterInfo;
namespace zv::net {
class HttpSourceFilter;
}

// A filter of the graph that offers stream selection.
struct CStreamFilter {
  CStreamFilter();
  ~CStreamFilter();
  CStreamFilter(const CStreamFilter&) = delete;
  CStreamFilter& operator=(const CStreamFilter&) = delete;
  static int LiveCount();

  int number;
  std::wstring name;
  fw::ComPtr<IAMStreamSelect> select;
};

class VideoFile : public CDirectShow {
 public:
  VideoFile(CDebugDlg* log, const LanguageTable* texts, HWND owner, HINSTANCE instance, const std::wstring& fileName,
            COLORREF background, CSettings* settings, const std::wstring& title, HICON icon, const RECT& videoRect,
            const RECT& videoWindowRect);
  ~VideoFile() override;

  LONGLONG GetCurrentFrame() override;
  HRESULT SetPosition(int hundredths) override;
  int GetDuration() override;
  int GetStreamCount(int kind) override;
  HRESULT GetStreamInfo(long index, AM_MEDIA_TYPE** mediaType, DWORD* enabled, int* kind, std::wstring* name,
                        LONGLONG* startTime) override;
  HRESULT SelectStream(long index, int kind) override;
  HRESULT SetRate(double rate) override;
  double GetRate() override;
  void ShowPausedFrameAgain() override;

  // Lays the audio of another file over this video. False when this media
  // has no video, or the file has a picture of its own or cannot be opened.
  bool OpenAudioTrack(const std::wstring& audioFile);
  void RemoveAudioTrack();
  bool HasExternalAudio() const { return externalAudio_; }

  const std::vector<std::unique_ptr<CStreamFilter>>& StreamFilters() const { return streamFilters_; }
  // True when the outside Matroska splitter serves the stream operations.
  bool UsesSplitterStreams() const { return static_cast<bool>(matroskaSplitter_); }

  // Our network source, when it reads the address (media/SourceChoice.h).
  zv::net::HttpSourceFilter* NetworkSource() const { return networkSource_.get(); }
  // False for a network stream that cannot seek (a live one, a server
  // without byte ranges); seeking it is refused.
  bool CanSeek() const;

 private:
  void HandOverGraph(std::vector<fw::ComPtr<IUnknown>>& out) override;
  void Build(const std::wstring& fileName, COLORREF background);
  // `reason` replaces the framework's text for `hr` when it is not empty.
  // Builds the graph of an http or https address through our network source.
  HRESULT RenderAddressIntoGraph(const std::wstring& address, std::wstring* reason);
  void ReportRenderFailure(HRESULT hr, const std::wstring& reason = {});
  void FindStreamFilters();
  fw::ComPtr<IBaseFilter> OwnAudioRenderer() const;
  void ReturnToState(long state);
  void ForgetOwnAudioPins();
  void RemoveUpstream(IBaseFilter* filter);
  // Stream selection (VideoFileStreams.cpp).
  CStreamFilter* StreamFilter(int number) const;
  IZvChapterInfo* Chapters() const;
  HRESULT SwitchSplitterPin(long index, int kind);
  std::wstring SwitcherPageTitle() const;
  bool RefusedAsAudioTrack(const std::wstring& file) const;

  fw::ComPtr<IBaseFilter> externalRenderer_;
  bool externalAudio_ = false;
  const LanguageTable* texts_;
  fw::ComPtr<IUnknown> chapters_;
  fw::ComPtr<IBaseFilter> matroskaSplitter_;
  fw::ComPtr<IPin> ownAudioPin_;
  fw::ComPtr<IPin> ownUpstreamPin_;
  std::vector<std::unique_ptr<CStreamFilter>> streamFilters_;  // newest first
  AM_MEDIA_TYPE ownConnectionType_{};
  bool ownConnectionTypeSet_ = false;
  int subtitleIndex_ = 0;
  fw::ComPtr<IVideoFrameStep> frameStep_;
  fw::ComPtr<zv::net::HttpSourceFilter> networkSource_;
};
