#pragma once
// Which DVD navigator CDVD drives, decided once per process: the
// platform's own (Windows) when its DVD graph builder works, otherwise ours
// on libdvdnav (media/dvd/DvdNavigatorObject.h). Wine creates the platform's
// builder, but every method of it answers E_NOTIMPL.
#include "framework/WinInclude.h"

#include <dshow.h>

namespace zv {

// A new DVD graph builder of the chosen kind.
HRESULT CreateDvdGraphBuilder(IDvdGraphBuilder** builder);
// True when the process uses our navigator.
bool UsesOwnDvdNavigator();

}  // namespace zv
