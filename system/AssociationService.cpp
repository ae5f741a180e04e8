#include "system/AssociationService.h"

#include "app/ProductName.h"

#include <shobjidl.h>

namespace zv {

namespace {

IApplicationAssociationRegistration* g_service = nullptr;
std::function<IApplicationAssociationRegistration*()> g_source;

void TakeFromSource() {
  if (!g_source) return;
  auto source = std::move(g_source);
  g_source = nullptr;
  IApplicationAssociationRegistration* created = source();
  g_service = AssociationServiceUsable(created) ? created : nullptr;
}

}  // namespace

bool AssociationServiceUsable(IApplicationAssociationRegistration* service) {
  if (!service) return false;
  BOOL isDefault = FALSE;
  const HRESULT hr =
      service->QueryAppIsDefault(L".zvp", AT_FILEEXTENSION, AL_EFFECTIVE, AppName().c_str(), &isDefault);
  return hr != E_NOTIMPL;
}

void SetProcessAssociationService(IApplicationAssociationRegistration* created) {
  g_source = nullptr;
  g_service = AssociationServiceUsable(created) ? created : nullptr;
}

void SetProcessAssociationServiceSource(std::function<IApplicationAssociationRegistration*()> source) {
  g_service = nullptr;
  g_source = std::move(source);
}

IApplicationAssociationRegistration* AssociationService() {
  TakeFromSource();
  return g_service;
}

bool AssociationServicePresent() { return AssociationService() != nullptr; }

}  // namespace zv
