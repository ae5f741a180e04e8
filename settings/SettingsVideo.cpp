#include "settings/SettingsVideo.h"

#include "app/Settings.h"
#include "framework/WideString.h"
#include "res/resource.h"
#include "settings/MonitorList.h"
#include "settings/SettingsForm.h"

namespace {
// The media framework's names of the renderers, which are also the values
// the renderer choice understands; not translated.
constexpr const wchar_t* kRendererNames[] = {L"Video Renderer", L"Video Mixing Renderer 7",
                                              L"Video Mixing Renderer 9", L"Enhanced Video Renderer"};
}  // namespace

FW_BEGIN_MESSAGE_MAP(CSettingsVideo, CSettingsPage)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_MONITOR, OnMonitorChange)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_DISPLAYSETTINGS, OnResolutionChange)
  FW_ON_CONTROL(CBN_SELCHANGE, IDC_VIDEO_RENDERER, OnRendererChange)
FW_END_MESSAGE_MAP()

CSettingsVideo::CSettingsVideo(LanguageTable* language, CSettings* settings, HWND parent)
    : CSettingsPage(IDD_SETTINGS_VIDEO, language, settings, parent) {}

BOOL CSettingsVideo::OnInitDialog() {
  filling_ = true;
  Translate(u"IDD_SETTINGS_VIDEO");
  const std::wstring dontChange = Text(u"DONTCHANGE");
  const std::wstring device = fw::ToWide(settings_->DisplayDevice);
  const bool matched = zv::FillMonitorList(Item(IDC_MONITOR), dontChange, device);
  zv::FillResolutionList(Item(IDC_DISPLAYSETTINGS), dontChange, matched ? device : zv::PrimaryDisplayDevice(),
                         fw::ToWide(settings_->DisplaySettings));

  std::vector<std::wstring> renderers{Text(u"DEFAULT_VIDEO_RENDERER")};
  renderers.insert(renderers.end(), std::begin(kRendererNames), std::end(kRendererNames));
  FillList(IDC_VIDEO_RENDERER, renderers);
  std::vector<std::u16string> texts;
  for (const std::wstring& r : renderers) texts.push_back(fw::ToU16(r));
  Select(IDC_VIDEO_RENDERER,
         static_cast<int>(zv::settingsform::FirstEntryBeginningWith(texts, settings_->VideoRenderer)));
  filling_ = false;
  return TRUE;
}

void CSettingsVideo::OnMonitorChange() {
  if (filling_) return;
  settings_->DisplayDevice = u"Current";
  const std::wstring device = zv::MonitorListDevice(Item(IDC_MONITOR), Selection(IDC_MONITOR));
  const int row = Selection(IDC_MONITOR);
  if (row <= 0 || !device.empty()) {
    if (!device.empty()) settings_->DisplayDevice = fw::ToU16(device);
    filling_ = true;
    zv::FillResolutionList(Item(IDC_DISPLAYSETTINGS), Text(u"DONTCHANGE"),
                           device.empty() ? zv::PrimaryDisplayDevice() : device,
                           fw::ToWide(settings_->DisplaySettings));
    filling_ = false;
  }
  settings_->VideoChanged = 1;
}

void CSettingsVideo::OnResolutionChange() {
  if (filling_) return;
  settings_->DisplaySettings = u"Current";
  const std::wstring text = SelectionText(IDC_DISPLAYSETTINGS);
  if (Selection(IDC_DISPLAYSETTINGS) >= 0) settings_->DisplaySettings = fw::ToU16(text);
  settings_->VideoChanged = 1;
}

void CSettingsVideo::OnRendererChange() {
  if (filling_) return;
  settings_->VideoRenderer = u"Current";
  if (Selection(IDC_VIDEO_RENDERER) > 0) settings_->VideoRenderer = fw::ToU16(SelectionText(IDC_VIDEO_RENDERER));
  settings_->VideoChanged = 1;
}
