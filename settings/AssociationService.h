#pragma once
// Whether the platform offers the association-registration service; where it
// does, registering file associations asks for administrator rights, and the
// settings dialog's OK button shows the shield once associations changed.

// Creates the service and lets it go at once. Needs COM on this thread.
bool AssociationServicePresent();
