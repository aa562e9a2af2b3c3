#pragma once

#include "app/catalogue/MaintenancePage.h"

namespace kucun {

struct AppContext;

// 列表框备份, 标签上次备份 and 标签备份磁盘: the backups in the backup folder,
// newest first, with their kind; when and where the last one was made; and
// a line of its own while the backups lie on the tables' own disk.
void loadBackupList(MaintenanceContext &context);

// 按钮立即备份: backs the five tables up now and says where.
void backUpNow(MaintenanceContext &context);
// 按钮备份位置: the owner chooses the folder backups go into.
void chooseBackupFolder(MaintenanceContext &context);
// 按钮恢复备份: checks the backup chosen in 列表框备份, asks, then, with the
// books alone, backs the current books up and puts the backup's books in
// their place. A restore longer than a second shows its progress.
void restoreChosenBackup(MaintenanceContext &context);

// At start, after the login: removes what killed backups left and, on the
// first start of a day, makes a backup without a question, off the
// window's thread; the status bar of the window tells how it went.
void backUpDaily(QWidget &window, AppContext &context);

// Before a factory reset: a backup without a question. False, and the
// failure told, when it could not be made.
bool backUpFirst(AppContext &context, QWidget &window);

} // namespace kucun
