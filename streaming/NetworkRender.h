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
