#pragma once
// Building a graph for an http or https address with our network source
// (media/SourceChoice.h says when). The calling thread is the user
// interface's: it only waits, painting its windows and answering sent
// messages, while a worker connects and the graph builder reads.
//
// A graph build goes on however slow the server is, as long as its reads
// are served: a read that waits in vain for the stall limit fails the stream
// and so the build. A build stuck of its own accord is given up after the
// build limit; giving up aborts the stream, so that the graph builder's
// reads fail at once and the build returns.
//
// The user can cut the wait short: closing the window (its close box, or a
// WM_CLOSE or WM_QUIT waiting in the queue) or Escape ends the opening at
// once, without an error box. The message stays in the queue and takes
// effect once the opening has returned.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"
#include "streaming/HttpStream.h"

#include <dshow.h>

#include <string>
#include <vector>

class LanguageTable;

namespace zv::net {

class HttpSourceFilter;

// The result of an opening the user cut short (HRESULT_FROM_WIN32(ERROR_CANCELLED)).
constexpr HRESULT kOpeningCancelled = static_cast<HRESULT>(0x800704C7L);

// Renders `address` into `graph` through our source, which `source` keeps
// (empty on failure). On failure `reason` gets a text for the error box, or
// stays empty when the graph's result says it best.
//
// When the build did not even return after the stream was aborted, `graph`
// and every reference in `keep` go to the worker and come back empty, and
// the result is VFW_E_TIMEOUT (kOpeningCancelled when the user cut it
// short): the stuck build holds the graph's locks.
HRESULT RenderHttpAddress(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& address, const LanguageTable* texts,
                          std::vector<fw::ComPtr<IUnknown>>& keep, fw::ComPtr<HttpSourceFilter>& source,
                          std::wstring* reason);

// The error text for an address of a scheme nothing here can open.
std::wstring UnsupportedAddressReason(const std::wstring& address, const LanguageTable* texts);

// The error text for a stream that failed.
std::wstring StreamFailureReason(const StreamFailure& failure, const LanguageTable* texts);

}  // namespace zv::net
