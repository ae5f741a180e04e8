#pragma once
// DirectShow and Media Foundation pieces that the MinGW headers lack: class
// identifiers of renderers and outside filters, and the two small interfaces
// (overlay mixer pin, Line 21 decoder) the media objects call. Definitions
// of the identifiers live in MediaGuids.cpp.
#include "framework/WinInclude.h"

#include <dshow.h>
#include <evr.h>
#include <mfidl.h>

// Enhanced Video Renderer.
DEFINE_GUID(CLSID_EnhancedVideoRenderer, 0xfa10746c, 0x9b63, 0x4b6c, 0xbc, 0x49, 0xfc, 0x30, 0x0e, 0xa5, 0xf2, 0x56);
// Matroska splitter and its chapter interface (outside component, optional).
DEFINE_GUID(CLSID_ZvMatroskaSplitter, 0x0a68c3b5, 0x9164, 0x4a54, 0xaf, 0xaf, 0x99, 0x5b, 0x2f, 0xf0, 0xe0, 0xd4);
DEFINE_GUID(IID_ZvMatroskaChapters, 0x8e128709, 0x3dc8, 0x4e49, 0xb6, 0x32, 0x38, 0x0f, 0xcf, 0x49, 0x6b, 0x6d);
// The "ffdshow Video Decoder" (outside component, optional).
DEFINE_GUID(CLSID_ZvFfdshowVideoDecoder, 0x04fe9017, 0xf873, 0x410e, 0x87, 0x1e, 0xab, 0x91, 0x66, 0x1a, 0x4e, 0xf7);

// Interface identifiers for __uuidof that the headers do not attach.
__CRT_UUID_DECL(IAMStreamSelect, 0xc1960960, 0x17f5, 0x11d1, 0xab, 0xe1, 0x00, 0xa0, 0xc9, 0x05, 0xf3, 0x75)
__CRT_UUID_DECL(IVideoWindow, 0x56a868b4, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicVideo2, 0x329bb360, 0xf6ea, 0x11d1, 0x90, 0x38, 0x00, 0xa0, 0xc9, 0x69, 0x72, 0x98)
__CRT_UUID_DECL(IMediaEventEx, 0x56a868c0, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicAudio, 0x56a868b3, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IQualProp, 0x1bd0ecb0, 0xf8e2, 0x11ce, 0xaa, 0xc6, 0x00, 0x20, 0xaf, 0x0b, 0x99, 0xa3)

// COM interfaces have no virtual destructors by design.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The overlay mixer's input pin configuration; only the aspect-ratio mode
// is used, the other methods keep the interface's layout.
MIDL_INTERFACE("593CDDE1-0759-11d1-9E69-00C04FD7C15B")
IMixerPinConfig : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD, DWORD, DWORD, DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD*, DWORD*, DWORD*, DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetColorKey(void*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetColorKey(void*, DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(int mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(int* mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL*) = 0;
};
__CRT_UUID_DECL(IMixerPinConfig, 0x593cdde1, 0x0759, 0x11d1, 0x9e, 0x69, 0x00, 0xc0, 0x4f, 0xd7, 0xc1, 0x5b)

// The Line 21 (closed caption) decoder; only the service state is used.
MIDL_INTERFACE("6E8D4A21-310C-11d0-B79A-00AA003767A7")
IAMLine21Decoder : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetDecoderLevel(int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentService(int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCurrentService(int) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetServiceState(int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetServiceState(int state) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOutputFormat(BITMAPINFOHEADER*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOutputFormat(BITMAPINFO*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBackgroundColor(DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBackgroundColor(DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRedrawAlways(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetRedrawAlways(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDrawBackgroundMode(int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDrawBackgroundMode(int) = 0;
};
__CRT_UUID_DECL(IAMLine21Decoder, 0x6e8d4a21, 0x310c, 0x11d0, 0xb7, 0x9a, 0x00, 0xaa, 0x00, 0x37, 0x67, 0xa7)

#pragma GCC diagnostic pop

constexpr int kLine21StateOff = 0;  // AM_L21_CCSTATE_Off
