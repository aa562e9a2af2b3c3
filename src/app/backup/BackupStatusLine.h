#pragma once

class QWidget;

namespace kucun {

struct BookFolders;

// 标签状态备份, kept at the right of the window's status bar: when the last
// backup was made, in red with the reason while the last automatic backup
// failed or the backups lie on the books' own disk.
void showBackupStatus(QWidget &window, const BookFolders &folders);

} // namespace kucun
