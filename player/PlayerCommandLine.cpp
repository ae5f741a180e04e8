// The command-line options applied to the window: at start-up, after every
// successful opening and at the end of a hand-over.
#include "player/ZentravueDlg.h"

void CZentravueDlg::ApplyCommandLineOptions() {}
