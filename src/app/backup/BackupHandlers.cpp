#include "BackupHandlers.h"

#include "BackupStatusLine.h"
#include "app/AppContext.h"
#include "app/Messages.h"
#include "book/ChangeNotifier.h"
#include "book/ValueText.h"
#include "book/backup/BackupSettings.h"
#include "book/backup/Backups.h"
#include "book/backup/BooksInUse.h"
#include "ui/Dialogs.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QProgressDialog>
#include <QStatusBar>
#include <thread>

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
QString backupFailure(const QString &root, Outcome<BackupOutcome> outcome)
{
    switch (outcome.fault().kind()) {
    case StoreFault::None:
        break;
    case StoreFault::WriteFailed:
        return QStringLiteral("备份失败，磁盘空间不足或无法写入：%1").arg(root);
    case StoreFault::Busy:
    case StoreFault::WrongLayout:
        return tableFailureText(outcome.fault(), QString());
    case StoreFault::ReadOnly:
    case StoreFault::Unavailable:
        return tableFailureText(StoreFault::Unavailable, QString());
    }
    switch (outcome.reason()) {
    case BackupOutcome::Done:
        break;
    case BackupOutcome::FolderUnavailable:
        return QStringLiteral("备份位置无法使用（U盘未插入或没有写入权限）：%1").arg(root);
    case BackupOutcome::DiskFull:
        return QStringLiteral("备份位置已满（已删除最旧的自动备份，仍然放不下），"
                              "请换一个U盘或删除不要的备份：%1")
            .arg(root);
    }
    return {};
}

QString backupFailure(AppContext &context, Outcome<BackupOutcome> outcome)
{
    return backupFailure(readBackupSettings(context.folders).root, outcome);
}

// The day's backup on a thread of its own; its result comes back to the
// window's thread as a queued call. Ending the window waits for it.
class BackgroundBackup : public QObject
{
public:
    BackgroundBackup(QObject *window, std::function<BackupResult()> work,
                     std::function<void(const BackupResult &)> done)
        : QObject(window), m_done(std::move(done))
    {
        setObjectName(QStringLiteral("每日备份"));
        m_thread = std::thread([this, work = std::move(work)] {
            const BackupResult result = work();
            QMetaObject::invokeMethod(
                this,
                [this, result] {
                    wait();
                    m_done(result);
                    deleteLater();
                },
                Qt::QueuedConnection);
        });
    }
    ~BackgroundBackup() override { wait(); }
    BackgroundBackup(const BackgroundBackup &) = delete;
    BackgroundBackup &operator=(const BackgroundBackup &) = delete;

    void wait()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

private:
    std::function<void(const BackupResult &)> m_done;
    std::thread m_thread;
};

// A backup or restore of the window's own waits for the day's backup to end.
void waitForTheDailyBackup(QWidget &window)
{
    for (QObject *child : window.children()) {
        if (auto *running = dynamic_cast<BackgroundBackup *>(child)) {
            running->wait();
        }
    }
}

BooksInUse &booksOf(AppContext &context)
{
    if (!context.state.books) {
        context.state.books = std::make_unique<BooksInUse>(context.folders.data);
        context.state.books->tryShared();
    }
    return *context.state.books;
}

// A backup of the window's own, now; why it failed is told.
BackupResult backUpTellingFailure(AppContext &context, QWidget &window, BackupKind kind)
{
    waitForTheDailyBackup(window);
    const BackupResult result =
        backUp(context.folders, QDateTime::currentDateTime(), kind, context.changes);
    const QString failure = backupFailure(context, result.outcome);
    if (!failure.isEmpty()) {
        tell(context.dialogs, failure, Dialogs::Error);
    }
    return result;
}

} // namespace

bool backUpFirst(AppContext &context, QWidget &window)
{
    return backUpTellingFailure(context, window, BackupKind::BeforeReset).outcome.done();
}

void loadBackupList(MaintenanceContext &context)
{
    const BackupSettings settings = readBackupSettings(context.folders);
    context.page.标签上次备份->setText(
        settings.lastTakenAt.isValid()
            ? QStringLiteral("上次备份：%1  %2")
                  .arg(shownTime(settings.lastTakenAt), settings.lastFolder)
            : QStringLiteral("尚未备份"));
    const bool sameDisk = onDataDisk(settings.root, context.folders);
    context.page.标签备份磁盘->setText(
        sameDisk ? QStringLiteral("备份与数据在同一磁盘上，建议选择U盘或其他磁盘。") : QString());
    context.page.标签备份磁盘->setVisible(sameDisk);
    std::vector<ListRow> rows;
    ValueTexts texts;
    for (const BackupInfo &backup : listBackups(settings.root)) {
        ListRow row;
        row.cells << shownTime(backup.takenAt) << backupKindText(backup.kind)
                  << count(backup.models) << count(backup.movements)
                  << texts.number(backup.totalStock);
        row.record = backup.folder;
        rows.push_back(std::move(row));
    }
    context.page.列表框备份->list().setRows(std::move(rows));
    showBackupStatus(*context.page.window(), context.folders);
}

void backUpNow(MaintenanceContext &context)
{
    const BackupResult result =
        backUpTellingFailure(context, *context.page.window(), BackupKind::Manual);
    if (result.outcome.done()) {
        inform(context.dialogs, QStringLiteral("备份完成：") + result.folder);
    }
}

void chooseBackupFolder(MaintenanceContext &context)
{
    const std::optional<QString> folder = context.dialogs.chooseFolder(
        QStringLiteral("备份位置"), readBackupSettings(context.folders).root);
    if (folder) {
        saveBackupRoot(context.folders, *folder, context.changes);
    }
}

void restoreChosenBackup(MaintenanceContext &context)
{
    const ListView &backups = *context.page.列表框备份;
    const int chosen = backups.selectedRow();
    if (chosen < 0) {
        warn(context.dialogs, QStringLiteral("请选择要恢复的备份！"));
        return;
    }
    // No backup of this window prunes between the choice and the restore.
    waitForTheDailyBackup(*context.page.window());
    const QString folder = backups.list().recordAt(chosen).toString();
    const BackupCheck check = checkBackup(context.folders, folder);
    const QString missing = QStringLiteral("所选备份已不存在：") + folder;
    if (check.missing) {
        tell(context.dialogs, missing, Dialogs::Error);
        return;
    }
    if (!check.problem.isEmpty()) {
        tell(context.dialogs, QStringLiteral("此备份不能恢复：") + check.problem, Dialogs::Error);
        return;
    }
    // Asked only when no other copy has the books; the restore makes sure
    // again. A server book is restored while others use it.
    const QString inUse = QStringLiteral("其他窗口或电脑正在使用这些数据，请先关闭后再恢复。");
    BooksInUse &books = booksOf(context);
    if (context.folders.server.isEmpty()) {
        if (!books.tryAlone()) {
            warn(context.dialogs, inUse);
            return;
        }
        books.share();
    }
    const QString question =
        QStringLiteral("将数据恢复到 %1 的备份（型号 %2 个，明细 %3 条）？当前数据会先自动备份。")
            .arg(shownTime(check.info.takenAt), count(check.info.models),
                 count(check.info.movements));
    if (!context.dialogs.message(question, QString(), Dialogs::Warning,
                                 Dialogs::Buttons::OkCancel)) {
        return;
    }
    // Shown once the restore has taken a second; the window takes no input meanwhile.
    QProgressDialog progress(QStringLiteral("正在恢复备份，请稍候……"), QString(), 0, 4,
                             context.page.window());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(1000);
    progress.setAutoClose(false);
    const RestoreResult restored =
        restoreBackup(context.folders, folder, books, QDateTime::currentDateTime(), context.changes,
                      [&progress](int step) { progress.setValue(step); });
    progress.close();
    if (toldTableFailure(context.dialogs, restored.outcome.fault(),
                         QStringLiteral("恢复失败，数据未改变，请稍后重试！"))) {
        return;
    }
    switch (restored.outcome.reason()) {
    case RestoreOutcome::InUseElsewhere:
        warn(context.dialogs, inUse);
        return;
    case RestoreOutcome::BackupMissing:
        tell(context.dialogs, missing, Dialogs::Error);
        return;
    case RestoreOutcome::BackupUnsound:
        tell(context.dialogs, QStringLiteral("此备份不能恢复：") + restored.problem,
             Dialogs::Error);
        return;
    case RestoreOutcome::NoSafetyBackup:
        tell(context.dialogs, backupFailure(context, restored.safety.outcome), Dialogs::Error);
        return;
    case RestoreOutcome::Done:
        break;
    }
    QString done = QStringLiteral("数据已恢复到 %1 的备份。").arg(shownTime(check.info.takenAt));
    if (restored.safetyBesideTables) {
        done += QStringLiteral("\n备份位置无法写入，恢复前的数据已备份到数据文件旁：") +
                restored.safety.folder;
    }
    inform(context.dialogs, done);
}

void backUpDaily(QWidget &window, AppContext &context)
{
    const QDateTime now = QDateTime::currentDateTime();
    const BookFolders folders = context.folders;
    const BackupSettings settings = readBackupSettings(folders);
    const bool due = dailyBackupDue(settings, now.date());
    new BackgroundBackup(
        &window,
        [folders, root = settings.root, now, due]() -> BackupResult {
            removeLeftPartials(root);
            return due ? makeKeptBackup(folders, now, BackupKind::Daily) : BackupResult{};
        },
        [&window, &context, due, root = settings.root](const BackupResult &result) {
            if (!due) {
                return;
            }
            const QString failure = backupFailure(root, result.outcome);
            if (!failure.isEmpty()) {
                saveBackupFailure(context.folders, failure);
            }
            emit context.changes.backupsChanged();
            if (auto *main = qobject_cast<QMainWindow *>(&window)) {
                main->statusBar()->showMessage(failure.isEmpty()
                                                   ? QStringLiteral("已自动备份：") + result.folder
                                                   : QStringLiteral("自动备份失败：") + failure);
            }
        });
}

} // namespace kucun
