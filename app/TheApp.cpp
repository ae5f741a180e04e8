// The one application object of the program (test executables make their own).
#include "app/ZentravueApp.h"

CZentravueApp theApp;
