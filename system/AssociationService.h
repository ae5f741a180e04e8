#pragma once
// Which strategy the file associations of this process follow. One place
// decides it: the default-programs strategy needs the platform's association
// registration service, the per-user strategy is used without it.
#include "framework/WinInclude.h"

#include <functional>

struct IApplicationAssociationRegistration;

namespace zv {

// The application hands over the service object it created at load (or
// null), and null again before it releases the object. A service that does
// not answer its queries (a platform that offers the object with the methods
// unimplemented) cannot make the player the default for anything, so it is
// treated as absent and the per-user strategy is used.
void SetProcessAssociationService(IApplicationAssociationRegistration* created);

// Or it names where the object comes from: it is then created when first
// asked for, so that a start which never needs it does not pay for it.
void SetProcessAssociationServiceSource(std::function<IApplicationAssociationRegistration*()> source);

// The service the default-programs strategy works through; null: per-user.
IApplicationAssociationRegistration* AssociationService();

// True when changes of the file associations go through the service, and so
// through an elevated instance of the program (the settings dialog shows
// the shield on its OK button then).
bool AssociationServicePresent();

// The test of a created service object that decides whether it can be used.
bool AssociationServiceUsable(IApplicationAssociationRegistration* service);

}  // namespace zv
