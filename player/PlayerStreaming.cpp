// The streaming command: the user types a stream address, which opens as a
// playlist of one, the way a single file does.
#include "player/ZentravueDlg.h"

#include "streaming/StreamingDlg.h"

void CZentravueDlg::OnStreamingCommand() {
  // Over a fullscreen picture the cursor is hidden; the dialog needs it.
  const bool showCursor = currentMedia_ && fullscreen_;
  if (showCursor) ShowCursor(TRUE);
  StreamingDlg dialog(language_);
  if (dialog.DoModal() == IDOK) CreatePlaylistSingle(dialog.Address());
  if (showCursor) ShowCursor(FALSE);
}
