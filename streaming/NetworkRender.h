#pragma once
// Building a graph for an http or https address with our network source
// (media/SourceChoice.h says when). The calling thread is the user
// interface's: it only waits, painting its windows and answering sent
// messages, while a worker connects and the graph builder reads.
//
// A graph build that keeps receiving bytes goes on however slow the server
// is; it is given up when no byte came for the stall limit, or after the
// build limit at the latest. Giving up aborts the stream, so the graph
// builder's reads fail at once and the build returns.
#include "framework/ComPtr.h"
#include "framework/WinInclude.h"
#include "streaming/HttpStream.h"

#include <dshow.h>

#include <string>
#include <vector>

class LanguageTable;

namespace zv::net {

class HttpSourceFilter;

// Renders `address` into `graph` through our source, which `source` keeps
// (empty on failure). On failure `reason` gets a text for the error box, or
// stays empty when the graph's result says it best.
//
// When the build did not even return after the stream was aborted, `graph`
// and every reference in `keep` go to the worker and come back empty, and
// the result is VFW_E_TIMEOUT: the stuck build holds the graph's locks.
HRESULT RenderHttpAddress(fw::ComPtr<IGraphBuilder>& graph, const std::wstring& address, const LanguageTable* texts,
                          std::vector<fw::ComPtr<IUnknown>>& keep, fw::ComPtr<HttpSourceFilter>& source,
                          std::wstring* reason);

// The error text for an address of a scheme nothing here can open.
std::wstring UnsupportedAddressReason(const std::wstring& address, const LanguageTable* texts);

// The error text for a stream that failed.
std::wstring StreamFailureReason(const StreamFailure& failure, const LanguageTable* texts);

}  // namespace zv::net
