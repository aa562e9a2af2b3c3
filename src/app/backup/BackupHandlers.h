#pragma once

class QWidget;

namespace kucun {

struct AppContext;

// 列表框备份 and 标签上次备份: the backups in the backup folder, newest first,
// and when and where the last one was made.
void loadBackupList(AppContext &context);

// 按钮立即备份: backs the five tables up now and says where.
void backUpNow(AppContext &context);
// 按钮备份位置: the owner chooses the folder backups go into.
void chooseBackupFolder(AppContext &context);
// 按钮恢复备份: checks the backup chosen in 列表框备份, asks, backs the
// current books up and puts the backup's books in their place.
void restoreChosenBackup(AppContext &context);

// The first start of a day, after the login: a backup without a question,
// told in the status bar of the window.
void backUpDaily(QWidget &window, AppContext &context);

// Before a change that replaces the books (a factory reset, a restore): a
// backup without a question. False, and the failure told, when it could not
// be made.
bool backUpFirst(AppContext &context);

} // namespace kucun
