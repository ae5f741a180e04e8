#include "streaming/NetworkRender.h"

#include "framework/Handle.h"
#include "framework/WideString.h"
#include "lang/LanguageTable.h"
#include "media/MediaGuids.h"
#include "media/MediaText.h"
#include "streaming/HttpSourceFilter.h"
#include "streaming/StreamAddress.h"

#include <wininet.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace zv::net {
namespace {

// After the stream was aborted, the graph builder's reads fail at once; a
// build that still has not returned this much later is stuck elsewhere.
constexpr DWORD kAbortGraceMs = 5000;
constexpr DWORD kSliceMs = 100;

// Shared by the waiting thread and the worker; the last of the two frees it.
struct BuildJob {
  IGraphBuilder* graph = nullptr;  // the worker's own references
  IPin* pin = nullptr;
  fw::KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::mutex lock;
  bool finished = false;
  HRESULT result = E_FAIL;
  std::vector<fw::ComPtr<IUnknown>> abandoned;
};

DWORD WINAPI BuildWorker(void* parameter) {
  std::unique_ptr<std::shared_ptr<BuildJob>> owned(static_cast<std::shared_ptr<BuildJob>*>(parameter));
  std::shared_ptr<BuildJob> job = *owned;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const HRESULT result = job->graph->Render(job->pin);
  std::vector<fw::ComPtr<IUnknown>> abandoned;
  {
    std::lock_guard<std::mutex> guard(job->lock);
    job->result = result;
    job->finished = true;
    abandoned.swap(job->abandoned);
  }
  SetEvent(job->done.get());
  abandoned.clear();
  job->pin->Release();
  job->graph->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

// Dispatches what may arrive meanwhile from other threads (sent messages)
// and repaints; input and timers wait in the queue, so the caller is not
// re-entered while it is half done.
void DispatchSentAndPaint() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// True when the user asked to close the window or pressed Escape meanwhile.
// The message stays queued for the window to act on afterwards. Only the
// first key press in the queue is looked at.
bool UserWantsOut() {
  MSG msg;
  if (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE | PM_NOYIELD)) return true;
  if (PeekMessageW(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE | PM_NOYIELD)) return true;
  if (PeekMessageW(&msg, nullptr, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_NOREMOVE | PM_NOYIELD) &&
      msg.wParam == HTCLOSE)
    return true;
  return PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD) && msg.wParam == VK_ESCAPE;
}

// Waits for `event` until `giveUp` says so or the user wants out (then
// `*cancelled` is set), checking every slice.
template <class GiveUp>
bool WaitDispatching(HANDLE event, GiveUp giveUp, bool* cancelled = nullptr) {
  for (;;) {
    const DWORD wait = MsgWaitForMultipleObjects(1, &event, FALSE, kSliceMs, QS_SENDMESSAGE | QS_PAINT);
    if (wait == WAIT_OBJECT_0) return true;
    if (wait == WAIT_OBJECT_0 + 1) DispatchSentAndPaint();
    if (cancelled && UserWantsOut()) {
      *cancelled = true;
      return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
    }
    if (giveUp()) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  }
}

std::wstring Text(const LanguageTable* texts, const char16_t* key, const char16_t* fallback) {
  std::u16string text = texts ? texts->Message(key) : std::u16string();
  return fw::ToWide(text.empty() ? std::u16string(fallback) : text);
}

std::wstring SystemText(DWORD code) {
  wchar_t text[512] = {};
  DWORD length = 0;
  if (HMODULE wininet = GetModuleHandleW(L"wininet.dll"))
    length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, wininet, code, 0, text,
                            511, nullptr);
  if (length == 0)
    length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 511,
                            nullptr);
  std::wstring result(text, length);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
    result.pop_back();
  return result;
}

// The graph must hold its video renderer before the build: built on the
// worker, a renderer the graph builder makes there would own a window that
// dies with the thread. The renderer made here leaves again when the stream
// had no picture for it.
fw::ComPtr<IBaseFilter> EnsureVideoRenderer(IGraphBuilder* graph) {
  fw::ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(filters.put()))) return {};
  for (;;) {
    fw::ComPtr<IBaseFilter> filter;
    if (filters->Next(1, filter.put(), nullptr) != S_OK) break;
    fw::ComPtr<IVideoWindow> window;
    fw::ComPtr<IMFGetService> services;
    if (SUCCEEDED(filter.As(window)) || SUCCEEDED(filter.As(services))) return {};
  }
  fw::ComPtr<IBaseFilter> renderer;
  if (FAILED(CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              renderer.put_void())) ||
      FAILED(graph->AddFilter(renderer.get(), L"Video Renderer")))
    return {};
  return renderer;
}

bool IsConnected(IBaseFilter* filter) {
  fw::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.put()))) return false;
  for (;;) {
    fw::ComPtr<IPin> pin, peer;
    if (pins->Next(1, pin.put(), nullptr) != S_OK) return false;
    if (SUCCEEDED(pin->ConnectedTo(peer.put())) && peer) return true;
  }
}

// Waits for the stream's first answer.
bool WaitForAnswer(HttpStream& stream, bool* cancelled) {
  const ULONGLONG deadline = GetTickCount64() + Limits().answerTimeoutMs;
  return WaitDispatching(stream.OpenedEvent(), [&] { return GetTickCount64() >= deadline; }, cancelled);
}

StreamFailure Stalled() {
  StreamFailure failure;
  failure.kind = StreamFailure::Kind::kStalled;
  failure.code = ERROR_INTERNET_TIMEOUT;
  return failure;
}

}  // namespace

std::wstring UnsupportedAddressReason(const std::wstring& address, const LanguageTable* texts) {
  const std::wstring scheme = fw::ToWide(AddressScheme(fw::ToU16(address))) + L"://";
  return fw::ToWide(FillTwoPlaceholders(
      fw::ToU16(Text(texts, u"STREAM_UNSUPPORTED", u"No source for addresses beginning with \"%s\" is installed.")),
      fw::ToU16(scheme), u""));
}

std::wstring StreamFailureReason(const StreamFailure& failure, const LanguageTable* texts) {
  switch (failure.kind) {
    case StreamFailure::Kind::kStatus:
      return fw::ToWide(FillTwoPlaceholders(
          fw::ToU16(Text(texts, u"STREAM_SERVER_ANSWER", u"The server answered \"%s\".")),
          fw::ToU16(fw::Utf8ToWide(failure.detail)), u""));
    case StreamFailure::Kind::kCertificate:
      return Text(texts, u"STREAM_CERTIFICATE", u"The server's certificate is not trusted.");
    case StreamFailure::Kind::kNetwork:
    case StreamFailure::Kind::kStalled: {
      std::wstring text = SystemText(failure.code);
      return text.empty() ? fw::Format(L"Error: %lu", failure.code) : text;
    }
    case StreamFailure::Kind::kNone:
    case StreamFailure::Kind::kAborted:
    case StreamFailure::Kind::kChanged:
      break;
  }
  return {};
}

HRESULT RenderHttpAddress(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& address, const LanguageTable* texts,
                          std::vector<fw::ComPtr<IUnknown>>& keep, fw::ComPtr<HttpSourceFilter>& source,
                          std::wstring* reason) {
  source.Reset();
  if (!graph) return E_POINTER;
  std::shared_ptr<HttpStream> stream = HttpStream::Start(address);
  if (!stream) return E_OUTOFMEMORY;
  auto fail = [&](const StreamFailure& failure) {
    stream->Abort();
    if (reason) *reason = StreamFailureReason(failure, texts);
    return failure.kind == StreamFailure::Kind::kNone ? E_FAIL : failure.Result();
  };
  bool cancelled = false;
  const bool answered = WaitForAnswer(*stream, &cancelled);
  if (cancelled) {
    stream->Abort();
    if (reason) reason->clear();
    return kOpeningCancelled;
  }
  if (!answered) return fail(Stalled());
  if (!stream->IsOpen()) return fail(stream->Failure());

  fw::ComPtr<HttpSourceFilter> filter = fw::ComPtr<HttpSourceFilter>::Attach(HttpSourceFilter::Create(stream, address));
  const std::wstring name = address.substr(0, MAX_FILTER_NAME - 1);
  HRESULT result = graph->AddFilter(filter.get(), name.c_str());
  if (FAILED(result)) return fail(StreamFailure{});
  fw::ComPtr<IBaseFilter> standIn = EnsureVideoRenderer(graph.get());

  auto job = std::make_shared<BuildJob>();
  if (!job->done) return fail(StreamFailure{});
  job->graph = graph.get();
  job->graph->AddRef();
  job->pin = filter->OutputPin();
  job->pin->AddRef();
  auto* parameter = new std::shared_ptr<BuildJob>(job);
  fw::KernelHandle thread(CreateThread(nullptr, 0, BuildWorker, parameter, 0, nullptr));
  if (!thread) {
    delete parameter;
    job->pin->Release();
    job->graph->Release();
    return fail(StreamFailure{});
  }

  // However slow the server, the build goes on while its reads are served;
  // a read that waits in vain fails the stream (the stall limit), and the
  // build with it. Only a build stuck of its own accord meets the build limit.
  const ULONGLONG start = GetTickCount64();
  const DWORD buildLimit = Limits().buildLimitMs;
  bool finished =
      WaitDispatching(job->done.get(), [&] { return GetTickCount64() - start >= buildLimit; }, &cancelled);
  const bool timedOut = !finished && !cancelled;
  if (!finished) {
    stream->Abort();
    const ULONGLONG graceEnd = GetTickCount64() + kAbortGraceMs;
    finished = WaitDispatching(job->done.get(), [&] { return GetTickCount64() >= graceEnd; });
  }
  std::lock_guard<std::mutex> guard(job->lock);
  if (!job->finished) {
    // The worker takes the graph and everything that hangs on it.
    job->abandoned.push_back(fw::ComPtr<IUnknown>::Attach(static_cast<IUnknown*>(standIn.Detach())));
    for (auto& reference : keep) job->abandoned.push_back(std::move(reference));
    job->abandoned.push_back(fw::ComPtr<IUnknown>::Attach(static_cast<IUnknown*>(filter.Detach())));
    job->abandoned.push_back(fw::ComPtr<IUnknown>::Attach(graph.Detach()));
    if (reason) *reason = cancelled ? std::wstring() : StreamFailureReason(Stalled(), texts);
    return cancelled ? kOpeningCancelled : VFW_E_TIMEOUT;
  }
  result = job->result;
  if (standIn && !IsConnected(standIn.get())) graph->RemoveFilter(standIn.get());
  if (cancelled) {
    if (reason) reason->clear();
    stream->Abort();
    return kOpeningCancelled;
  }
  if (FAILED(result) || timedOut) {
    // The stream's own failure explains it best; otherwise the graph's result
    // does, or the time limit.
    const StreamFailure failure = stream->Failure();
    const bool streamsFault = failure.kind != StreamFailure::Kind::kNone && failure.kind != StreamFailure::Kind::kAborted;
    if (reason) *reason = streamsFault || timedOut ? StreamFailureReason(streamsFault ? failure : Stalled(), texts)
                                                   : std::wstring();
    stream->Abort();
    return FAILED(result) ? result : HRESULT_FROM_WIN32(ERROR_INTERNET_TIMEOUT);
  }
  source = std::move(filter);
  return result;
}

}  // namespace zv::net
