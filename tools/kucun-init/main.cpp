// kucun-init: creates the five table files of kucun, optionally with demo data.

#include "DemoData.h"
#include "book/settings/Settings.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

using namespace kucun;

namespace {

void printLine(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

// The look a new settings record starts with: lines 25 high rolling at
// speed 100, black text on white, the selected line a clear blue,
// RGB(0, 120, 215). Colours are Windows values, 0x00BBGGRR.
constexpr MenuLook readableLook{25, 100, 0xFFFFFF, 0x000000, 0xD77800};

int usage()
{
    printLine(stderr, QStringLiteral("用法：kucun-init [--demo] 工作目录 程序目录\n"
                                     "在工作目录中创建 品类.edb、名称.edb、型号.edb、明细.edb，"
                                     "在程序目录中创建 设置.edb；--demo 填入演示数据。"));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool demo = arguments.removeAll(QStringLiteral("--demo")) > 0;
    if (arguments.size() != 2 || arguments.first().startsWith(QLatin1Char('-'))) {
        return usage();
    }
    const QDir workDir(arguments[0]);
    const QDir programDir(arguments[1]);
    for (const QDir &dir : {workDir, programDir}) {
        if (!dir.exists()) {
            printLine(stderr, QStringLiteral("目录不存在：%1").arg(dir.path()));
            return 1;
        }
    }

    QList<std::pair<QString, QString>> files; // table, path
    for (const QString &table : {tables::品类, tables::名称, tables::型号, tables::明细}) {
        files.append({table, workDir.filePath(tables::fileNameOf(table))});
    }
    files.append({tables::设置, tables::settingsPath(programDir.path())});

    // Refuse before writing anything, so that an existing table is never touched.
    for (const auto &[table, path] : files) {
        if (QFileInfo::exists(path)) {
            printLine(stderr, QStringLiteral("表文件已存在，未做任何改动：%1").arg(path));
            return 1;
        }
    }
    QString error;
    for (const auto &[table, path] : files) {
        if (!createTableFile(path, table, &error)) {
            printLine(stderr, error);
            return 1;
        }
        printLine(stdout, QStringLiteral("已创建 %1").arg(QDir::cleanPath(path)));
    }
    // The record the store creates is empty, which would draw black menus.
    if (saveMenuLook(programDir.path(), readableLook) != SettingsOutcome::Done) {
        printLine(
            stderr,
            QStringLiteral("写入菜单外观失败：%1").arg(tables::settingsPath(programDir.path())));
        return 1;
    }
    if (demo) {
        if (!writeDemoData(workDir.path(), QDate::currentDate(), &error)) {
            printLine(stderr, error);
            return 1;
        }
        printLine(stdout, QStringLiteral("已写入演示数据"));
    }
    return 0;
}
