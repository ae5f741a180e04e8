// The one translation unit that defines the identifiers of MediaGuids.h and
// the Media Foundation identifiers the import libraries do not carry.
#include "framework/WinInclude.h"

#include <initguid.h>

#include "media/MediaGuids.h"
