#include "media/DvdNavigatorChoice.h"

#include "framework/ComPtr.h"
#include "media/dvd/DvdNavigatorObject.h"

#include <mutex>

namespace zv {
namespace {

// The platform's builder counts as working when it hands out its graph.
bool ProbePlatformNavigator() {
  fw::ComPtr<IDvdGraphBuilder> builder;
  if (FAILED(CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                              builder.put_void())))
    return false;
  fw::ComPtr<IGraphBuilder> graph;
  return SUCCEEDED(builder->GetFiltergraph(graph.put())) && graph;
}

bool OwnNavigator() {
  static std::once_flag once;
  static bool own = true;
  std::call_once(once, [] { own = !ProbePlatformNavigator(); });
  return own;
}

}  // namespace

bool UsesOwnDvdNavigator() { return OwnNavigator(); }

HRESULT CreateDvdGraphBuilder(IDvdGraphBuilder** builder) {
  if (!builder) return E_POINTER;
  *builder = nullptr;
  if (OwnNavigator()) return dvd::DvdNavigatorObject::Create(builder);
  return CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                          reinterpret_cast<void**>(builder));
}

}  // namespace zv
