#pragma once
// The player window's status bar: a standard status bar (ID_StatusBar)
// docked at the bottom, with eight panes sized from sample texts.
#include "framework/WinInclude.h"

// Creates the bar and sets its panes; null on failure.
HWND CreatePlayerStatusBar(HWND parent);
// Sizes the eight panes from the sample texts in the bar's current font.
void SetPlayerStatusPanes(HWND bar);
