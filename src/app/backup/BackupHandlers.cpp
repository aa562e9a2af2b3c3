#include "BackupHandlers.h"

#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/ValueText.h"
#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"
#include "ui/Dialogs.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>

namespace kucun {

namespace {

QString shownTime(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString count(qint64 number)
{
    return QLocale(QLocale::English).toString(number);
}

// Why a backup could not be made; empty when it was.
QString backupFailure(AppContext &context, BackupOutcome outcome)
{
    const QString root = readBackupSettings(context.programDir).root;
    switch (outcome) {
    case BackupOutcome::Done:
        return {};
    case BackupOutcome::FolderUnavailable:
        return QStringLiteral("备份位置无法使用（U盘未插入或没有写入权限）：%1").arg(root);
    case BackupOutcome::WriteFailed:
        return QStringLiteral("备份失败，磁盘空间不足或无法写入：%1").arg(root);
    case BackupOutcome::TableBusy:
        return tableFailureText(StoreFault::Busy, QString());
    case BackupOutcome::TableWrongLayout:
        return tableFailureText(StoreFault::WrongLayout, QString());
    case BackupOutcome::TableReadOnly:
    case BackupOutcome::TableUnavailable:
        break;
    }
    return tableFailureText(StoreFault::Unavailable, QString());
}

} // namespace

bool backUpFirst(AppContext &context)
{
    const BackupResult result =
        backUp(context.programDir, QDateTime::currentDateTime(), context.changes);
    const QString failure = backupFailure(context, result.outcome);
    if (!failure.isEmpty()) {
        tell(context.dialogs, failure, Dialogs::Error);
    }
    return failure.isEmpty();
}

void loadBackupList(AppContext &context)
{
    const BackupSettings settings = readBackupSettings(context.programDir);
    context.form.标签上次备份->setText(
        settings.lastTakenAt.isValid()
            ? QStringLiteral("上次备份：%1  %2")
                  .arg(shownTime(settings.lastTakenAt), settings.lastFolder)
            : QStringLiteral("尚未备份"));
    std::vector<ListRow> rows;
    ValueTexts texts;
    for (const BackupInfo &backup : listBackups(settings.root)) {
        ListRow row;
        row.cells << shownTime(backup.takenAt) << count(backup.models) << count(backup.movements)
                  << texts.number(backup.totalStock);
        row.record = backup.folder;
        rows.push_back(std::move(row));
    }
    context.form.列表框备份->list().setRows(std::move(rows));
}

void backUpNow(AppContext &context)
{
    if (backUpFirst(context)) {
        inform(context.dialogs,
               QStringLiteral("备份完成：") + readBackupSettings(context.programDir).lastFolder);
    }
}

void chooseBackupFolder(AppContext &context)
{
    const std::optional<QString> folder = context.dialogs.chooseFolder(
        QStringLiteral("备份位置"), readBackupSettings(context.programDir).root);
    if (folder) {
        saveBackupRoot(context.programDir, *folder, context.changes);
    }
}

void restoreChosenBackup(AppContext &context)
{
    const ListView &backups = *context.form.列表框备份;
    const int chosen = backups.selectedRow();
    if (chosen < 0) {
        warn(context.dialogs, QStringLiteral("请选择要恢复的备份！"));
        return;
    }
    const BackupCheck check = checkBackup(backups.list().recordAt(chosen).toString());
    if (!check.problem.isEmpty()) {
        tell(context.dialogs, QStringLiteral("此备份不能恢复：") + check.problem, Dialogs::Error);
        return;
    }
    const QString question =
        QStringLiteral("将数据恢复到 %1 的备份（型号 %2 个，明细 %3 条）？当前数据会先自动备份。")
            .arg(shownTime(check.info.takenAt), count(check.info.models),
                 count(check.info.movements));
    if (!context.dialogs.message(question, QString(), Dialogs::Warning,
                                 Dialogs::Buttons::OkCancel) ||
        !backUpFirst(context)) {
        return;
    }
    const RestoreOutcome outcome = restoreBackup(check.info.folder, context.changes);
    if (!toldTableFailure(context.dialogs, outcome,
                          QStringLiteral("恢复失败，数据未改变，请稍后重试！"))) {
        inform(context.dialogs,
               QStringLiteral("数据已恢复到 %1 的备份。").arg(shownTime(check.info.takenAt)));
    }
}

void backUpDaily(QWidget &window, AppContext &context)
{
    const QDateTime now = QDateTime::currentDateTime();
    if (!dailyBackupDue(readBackupSettings(context.programDir), now.date())) {
        return;
    }
    const BackupResult result = backUp(context.programDir, now, context.changes);
    const QString failure = backupFailure(context, result.outcome);
    if (auto *main = qobject_cast<QMainWindow *>(&window)) {
        main->statusBar()->showMessage(failure.isEmpty()
                                           ? QStringLiteral("已自动备份：") + result.folder
                                           : QStringLiteral("自动备份失败：") + failure);
    }
}

} // namespace kucun
