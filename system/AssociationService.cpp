#include "system/AssociationService.h"

#include "app/ProductName.h"

#include <shobjidl.h>

namespace zv {

namespace {

IApplicationAssociationRegistration* g_service = nullptr;

}  // namespace

bool AssociationServiceUsable(IApplicationAssociationRegistration* service) {
  if (!service) return false;
  BOOL isDefault = FALSE;
  const HRESULT hr =
      service->QueryAppIsDefault(L".zvp", AT_FILEEXTENSION, AL_EFFECTIVE, AppName().c_str(), &isDefault);
  return hr != E_NOTIMPL;
}

void SetProcessAssociationService(IApplicationAssociationRegistration* created) {
  g_service = AssociationServiceUsable(created) ? created : nullptr;
}

IApplicationAssociationRegistration* AssociationService() { return g_service; }

bool AssociationServicePresent() { return g_service != nullptr; }

}  // namespace zv
