#include "settings/AssociationService.h"

#include "framework/ComPtr.h"

#include <objbase.h>
#include <shobjidl.h>

bool AssociationServicePresent() {
  fw::ComPtr<IApplicationAssociationRegistration> service;
  return SUCCEEDED(CoCreateInstance(CLSID_ApplicationAssociationRegistration, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IApplicationAssociationRegistration, service.put_void())) &&
         service;
}
