// kucun-init: creates the five table files of kucun, optionally with demo data.

#include "book/files/DemoData.h"
#include "book/files/MoveBook.h"
#include "book/files/NewBook.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

using namespace kucun;

namespace {

void printLine(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int usage()
{
    printLine(stderr, QStringLiteral("用法：kucun-init [--demo] 工作目录 程序目录\n"
                                     "      kucun-init [--demo] --server 连接串\n"
                                     "在工作目录中创建 品类.edb、名称.edb、型号.edb、明细.edb，"
                                     "在程序目录中创建 设置.edb；--demo 填入演示数据。\n"
                                     "--server 在 PostgreSQL 服务器的空数据库中创建账本，"
                                     "连接串如 \"host=192.168.1.10 dbname=shop user=shop "
                                     "sslmode=require\"。"));
    return 2;
}

// Makes an empty book on the server the connection string names.
int createServerBook(const QString &conninfo)
{
    const NewBookResult made = createNewServerBook(conninfo);
    if (!made.done) {
        printLine(stderr, made.error);
        return 1;
    }
    printLine(stdout, QStringLiteral("已在服务器上创建账本 %1").arg(made.created.join(QString())));
    return 0;
}

// Makes a book with the demo data on the server: the demo book is written
// into table files in a temporary folder, then moved onto the server whole.
int createServerDemoBook(const QString &conninfo)
{
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        printLine(stderr, QStringLiteral("无法创建临时文件夹：%1").arg(folder.errorString()));
        return 1;
    }
    const BookFolders files = bookFoldersAt(folder.path(), folder.path());
    const NewBookResult made = createNewBook(files);
    QString error = made.error;
    if (!made.done || !writeDemoData(files.data, QDate::currentDate(), &error)) {
        printLine(stderr, error);
        return 1;
    }
    const MoveResult moved = moveBookToServer(files, conninfo);
    if (!moved.done) {
        printLine(stderr, moved.error);
        return 1;
    }
    printLine(stdout, QStringLiteral("已在服务器上创建账本 %1").arg(moved.server));
    printLine(stdout, QStringLiteral("已写入演示数据"));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool demo = arguments.removeAll(QStringLiteral("--demo")) > 0;
    if (arguments.size() == 2 && arguments.first() == QStringLiteral("--server")) {
        return demo ? createServerDemoBook(arguments[1]) : createServerBook(arguments[1]);
    }
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

    const NewBookResult made = createNewBook(bookFoldersAt(workDir.path(), programDir.path()));
    for (const QString &path : made.created) {
        printLine(stdout, QStringLiteral("已创建 %1").arg(QDir::cleanPath(path)));
    }
    if (!made.done) {
        printLine(stderr, made.error);
        return 1;
    }
    if (demo) {
        QString error;
        if (!writeDemoData(workDir.path(), QDate::currentDate(), &error)) {
            printLine(stderr, error);
            return 1;
        }
        printLine(stdout, QStringLiteral("已写入演示数据"));
    }
    return 0;
}
