#include "app/Maintenance.h"

namespace zv {

AfterMaintenance RunUninstall() { return AfterMaintenance::EndProgram; }
AfterMaintenance RunUpdateStep1() { return AfterMaintenance::EndProgram; }
AfterMaintenance RunUpdateStep2() { return AfterMaintenance::StartPlayer; }
AfterMaintenance RunAdminCreateFileAssociations() { return AfterMaintenance::EndProgram; }
AfterMaintenance RunAdminDeleteFileAssociations() { return AfterMaintenance::EndProgram; }

}  // namespace zv
