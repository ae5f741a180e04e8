#include "app/ZentravueApp.h"

#include "player/ZentravueDlg.h"

#include <objbase.h>

CZentravueApp::CZentravueApp() { comInitialized_ = SUCCEEDED(CoInitialize(nullptr)); }

CZentravueApp::~CZentravueApp() {
  if (comInitialized_) CoUninitialize();
}

bool CZentravueApp::RegisterPlayerWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, MAKEINTATOM(32770), &wc)) return false;
  wc.hInstance = instance;
  wc.lpszClassName = kPlayerWindowClass;
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kPlayerWindowClass, &existing)) return true;
  return RegisterClassExW(&wc) != 0;
}

BOOL CZentravueApp::InitInstance() {
  if (!RegisterPlayerWindowClass(instance())) return FALSE;
  CZentravueDlg dialog(nullptr);
  SetMainWindow(&dialog);
  dialog.DoModal();
  SetMainWindow(nullptr);
  return FALSE;
}
