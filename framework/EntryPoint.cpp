// The program's entry point: hands over to the one application object.
// Linked into the program only (test executables have their own main).
#include "framework/App.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  fw::App* app = fw::App::Current();
  return app ? app->Run(instance) : 1;
}
