#pragma once
// The media object for DVD-Video: a disc drive, a folder holding VIDEO_TS or
// a VIDEO_TS folder. The graph comes from a DVD graph builder, and positions,
// duration, rate, streams and the video size come from the DVD navigator
// (IDvdControl2, IDvdInfo2) instead of the file-oriented operations.
// Whose navigator that is, is decided in media/DvdNavigatorChoice.h.
#include "media/DirectShow.h"

#include <string>

class LanguageTable;

class CDVD : public CDirectShow {
 public:
  CDVD(CDebugDlg* log, const LanguageTable* texts, HWND owner, HINSTANCE instance, const std::wstring& path,
       COLORREF background, CSettings* settings, const std::wstring& title, HICON icon, const RECT& videoRect,
       const RECT& videoWindowRect);
  ~CDVD() override;

  LONGLONG GetCurrentFrame() override;
  HRESULT SetPosition(int hundredths) override;
  int GetDuration() override;
  int GetPosition() override;
  HRESULT GetPreferredAspectRatio(long* x, long* y) override;
  int GetStreamCount(int kind) override;
  HRESULT GetStreamInfo(long index, AM_MEDIA_TYPE** mediaType, DWORD* enabled, int* kind, std::wstring* name,
                        LONGLONG* startTime) override;
  HRESULT SelectStream(long index, int kind) override;
  HRESULT SetRate(double rate) override;
  double GetRate() override;
  HRESULT GetNativeVideoSize(long* width, long* height) override;

  // Build failed: the player reports it (no message from here).
  bool BuildFailed() const;

  // ---- navigation (each one call of the DVD control with the flush flag) ----
  HRESULT PlayPrevChapter();
  HRESULT PlayNextChapter();
  HRESULT ReplayChapter();
  HRESULT Resume();
  HRESULT ReturnFromSubmenu();
  // DVD_MENU_Title (2) ... DVD_MENU_Chapter (7).
  HRESULT ShowMenu(int menu);
  // Menu buttons. Points are in the video window's client coordinates.
  HRESULT SelectAtPosition(POINT point);
  HRESULT ActivateAtPosition(POINT point);
  // S_OK with the button, or VFW_E_DVD_NO_BUTTON when there is none there.
  HRESULT GetButtonAtPosition(POINT point, ULONG* button);
  // DVD_Relative_Upper (1), Lower, Left, Right (4).
  HRESULT SelectRelativeButton(int direction);
  HRESULT ActivateButton();
  HRESULT SetSubpictureState(bool on);
  // Reads the current angle into the current-angle field.
  void GetCurrentAngle();
  int CurrentAngle() const { return currentAngle_; }
  HRESULT GetCurrentUOPS(ULONG* uops);

  IDvdControl2* DvdControl() const { return dvdControl_.get(); }
  IDvdInfo2* DvdInfo() const { return dvdInfo_.get(); }
  HRESULT RenderResult() const { return renderResult_; }
  const AM_DVD_RENDERSTATUS& RenderStatus() const { return renderStatus_; }

 private:
  void Build(const std::wstring& path, COLORREF background);
  void BuildWith(const std::wstring& path);
  void FindRenderer();
  // A point of the video window in the DVD picture's own pixels.
  bool ToPicturePoint(POINT windowPoint, POINT* picturePoint);

  const LanguageTable* texts_;
  int currentAngle_ = 1;
  HRESULT renderResult_ = E_FAIL;
  HRESULT windowResult_ = E_FAIL;
  AM_DVD_RENDERSTATUS renderStatus_{};
  fw::ComPtr<IDvdControl2> dvdControl_;
  fw::ComPtr<IDvdInfo2> dvdInfo_;
  fw::ComPtr<IDvdGraphBuilder> builder_;
  double rate_ = 1.0;
};
