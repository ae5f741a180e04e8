// VideoFile: the stream operations. One source serves them, decided when the
// graph was built: the outside Matroska splitter (chapters from its chapter
// interface, audio and subtitle tracks as its output pins), else the graph's
// stream-selecting filters (our audio track switcher among them), else one
// entry per audio renderer that cannot be switched.
#include "media/VideoFile.h"

#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/MatroskaChapters.h"
#include "media/MediaTypes.h"
#include "media/StreamSelection.h"

namespace {

constexpr int kStreamFilters = 0;

AM_MEDIA_TYPE* MajorAndSubType(const GUID& major, const GUID& sub) {
  auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!type) return nullptr;
  *type = AM_MEDIA_TYPE{};
  type->majortype = major;
  type->subtype = sub;
  return type;
}

std::wstring PinId(IPin* pin) {
  LPWSTR id = nullptr;
  if (FAILED(pin->QueryId(&id)) || !id) return {};
  std::wstring text(id);
  CoTaskMemFree(id);
  return text;
}

const GUID& MajorTypeOfKind(int kind) { return kind == kStreamAudio ? MEDIATYPE_Audio : zv::kMediaTypeSubtitle; }

}  // namespace

CStreamFilter* VideoFile::StreamFilter(int number) const {
  for (const auto& filter : streamFilters_)
    if (filter->number == number) return filter.get();
  return nullptr;
}

// The tab of the audio track switcher's property page.
std::wstring VideoFile::SwitcherPageTitle() const {
  const std::u16string text = texts_ ? texts_->Message(u"AUDIO") : std::u16string();
  return text.empty() ? L"Audio" : fw::ToWide(text);
}

IZvChapterInfo* VideoFile::Chapters() const { return static_cast<IZvChapterInfo*>(chapters_.get()); }

int VideoFile::GetStreamCount(int kind) {
  if (matroskaSplitter_) {
    if (kind == kStreamChapter) return Chapters() ? static_cast<int>(Chapters()->GetChapterCount(0)) : 0;
    if (kind == kStreamAudio || kind == kStreamSubtitle)
      return zv::CountPinsOfType(matroskaSplitter_.get(), MajorTypeOfKind(kind));
    return 0;
  }
  if (!streamFilters_.empty()) {
    if (kind == kStreamFilters) return static_cast<int>(streamFilters_.size());
    const CStreamFilter* filter = StreamFilter(kind);
    DWORD count = 0;
    if (!filter || FAILED(filter->select->Count(&count))) return 0;
    return static_cast<int>(count);
  }
  return kind == kStreamAudio ? static_cast<int>(audioRenderers_.size()) : 0;
}

HRESULT VideoFile::GetStreamInfo(long index, AM_MEDIA_TYPE** mediaType, DWORD* enabled, int* kind,
                                 std::wstring* name, LONGLONG* startTime) {
  if (mediaType) *mediaType = nullptr;
  if (enabled) *enabled = 0;
  if (name) name->clear();
  if (startTime) *startTime = 0;
  if (!kind || index < 0) return E_FAIL;

  if (matroskaSplitter_) {
    if (*kind == kStreamChapter) {
      IZvChapterInfo* chapters = Chapters();
      if (!chapters || index >= static_cast<long>(chapters->GetChapterCount(0))) return E_FAIL;
      const UINT id = chapters->GetChapterId(0, static_cast<UINT>(index) + 1);
      ZvChapterElement info{};
      info.size = sizeof(info);
      if (chapters->GetChapterInfo(id, &info) && startTime) *startTime = info.start;
      if (enabled) *enabled = chapters->GetChapterCurrentId() == id ? 1 : 0;
      if (name) {
        CHAR language[3] = {'e', 'n', 'g'};
        CHAR country[3] = {'e', 'n', 0};
        if (BSTR text = chapters->GetChapterStringInfo(id, language, country)) {
          *name = text;
          SysFreeString(text);
        }
      }
      return S_OK;
    }
    if (*kind != kStreamAudio && *kind != kStreamSubtitle) return E_FAIL;
    fw::ComPtr<IPin> pin = zv::PinOfType(matroskaSplitter_.get(), MajorTypeOfKind(*kind), static_cast<int>(index));
    if (!pin) return E_FAIL;
    if (name) *name = PinId(pin.get());
    fw::ComPtr<IPin> peer;
    if (enabled) *enabled = SUCCEEDED(pin->ConnectedTo(peer.put())) && peer ? 1 : 0;
    return S_OK;
  }

  if (!streamFilters_.empty()) {
    if (*kind == kStreamFilters) {
      const CStreamFilter* filter = StreamFilter(static_cast<int>(index));
      if (!filter) return E_FAIL;
      if (name) *name = filter->name;
      return S_OK;
    }
    const CStreamFilter* filter = StreamFilter(*kind);
    if (!filter) return E_FAIL;
    AM_MEDIA_TYPE* type = nullptr;
    DWORD flags = 0;
    DWORD group = 0;
    WCHAR* text = nullptr;
    if (filter->select->Info(index, &type, &flags, nullptr, &group, &text, nullptr, nullptr) != S_OK) {
      zv::DeleteMediaType(type);
      CoTaskMemFree(text);
      return E_FAIL;
    }
    if (mediaType && type) *mediaType = MajorAndSubType(type->majortype, type->subtype);
    zv::DeleteMediaType(type);
    if (enabled) *enabled = flags;
    *kind = static_cast<int>(group);
    if (name && text) *name = text;
    CoTaskMemFree(text);
    return S_OK;
  }

  if (*kind != kStreamAudio || index >= static_cast<long>(audioRenderers_.size())) return E_FAIL;
  if (name) *name = fw::Format(L"Audio Stream %i", static_cast<int>(index) + 1);
  if (enabled) *enabled = 1;
  return S_OK;
}

HRESULT VideoFile::SelectStream(long index, int kind) {
  if (matroskaSplitter_) {
    if (kind == kStreamChapter) {
      int chapterKind = kStreamChapter;
      LONGLONG start = 0;
      if (FAILED(GetStreamInfo(index, nullptr, nullptr, &chapterKind, nullptr, &start))) return E_FAIL;
      return SetPosition(static_cast<int>(start / 100000));
    }
    if (kind == kStreamAudio || kind == kStreamSubtitle) return SwitchSplitterPin(index, kind);
    return E_FAIL;
  }
  const CStreamFilter* filter = StreamFilter(kind);
  if (!filter) return E_FAIL;
  DWORD count = 0;
  if (index < 0 || FAILED(filter->select->Count(&count)) || static_cast<DWORD>(index) >= count) return E_FAIL;
  return filter->select->Enable(index, AMSTREAMSELECTENABLE_ENABLE);
}

// The graph is edited stopped (a plain Stop: the filters are stopped when it
// returns) and brought back to the state it had.
HRESULT VideoFile::SwitchSplitterPin(long index, int kind) {
  if (!graph_) return E_FAIL;
  long state = kStateStopped;
  GetState(&state);
  if (mediaControl_) mediaControl_->Stop();
  WaitForStateChange();
  // A new audio renderer starts at full volume; it keeps the user's.
  const bool audio = kind == kStreamAudio;
  const long volume = audio ? GetVolume() : 0;
  const long balance = audio ? GetBalance() : 0;
  const HRESULT hr =
      zv::SwitchSplitterPins(graph_.get(), matroskaSplitter_.get(), MajorTypeOfKind(kind), index, &subtitleIndex_);
  if (!audio && rendererInUse_ && zv::CountPinsOfType(matroskaSplitter_.get(), zv::kMediaTypeSubtitle) > 0) {
    // The picture picks up the change of the subtitle stream.
    fw::ComPtr<IEnumPins> pins;
    if (SUCCEEDED(rendererInUse_->EnumPins(pins.put()))) {
      for (;;) {
        fw::ComPtr<IPin> pin;
        if (pins->Next(1, pin.put(), nullptr) != S_OK) break;
        graph_->Reconnect(pin.get());
      }
    }
  }
  if (audio) {
    SetVolume(volume);
    SetBalance(balance);
  }
  ReturnToState(state);
  return hr;
}
