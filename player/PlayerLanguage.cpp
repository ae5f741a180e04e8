// A language chosen in the settings dialog takes effect at once.
#include "player/ZentravueDlg.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "lang/LanguageResources.h"
#include "lang/LanguageTable.h"

// Loads the language the settings name (a built-in one by its resource name,
// or a file). One that does not load leaves the current language in place.
void CZentravueDlg::ApplyLanguageChange() {
  if (!language_) return;
  if (settings_->LanguageType == 0) {
    const int32_t id = language_->NumberOfName(settings_->LanguageResource);
    if (id >= 0) zv::LoadBuiltInLanguage(*language_, id);
  } else if (settings_->LanguageType == 1) {
    zv::LoadLanguageFile(*language_, fw::ToWide(settings_->LanguageFile));
  }
}
