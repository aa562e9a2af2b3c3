// kucun-move: moves a book of table files onto a PostgreSQL server, or a
// server book back into table files.

#include "book/files/MoveBook.h"

#include <QCoreApplication>
#include <QDir>
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
    printLine(stderr, QStringLiteral("用法：kucun-move 工作目录 程序目录 --to-server 连接串\n"
                                     "      kucun-move --from-server 连接串 工作目录 程序目录\n"
                                     "--to-server 把工作目录和程序目录中的表文件复制到 "
                                     "PostgreSQL 服务器上没有账本的数据库中；\n"
                                     "--from-server 把服务器上的账本复制成表文件，"
                                     "两个目录中须还没有表文件。\n"
                                     "连接串如 \"host=192.168.1.10 dbname=shop user=shop "
                                     "sslmode=require\"。"));
    return 2;
}

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The records of every table and the stock total, in the book moved and in
// the book made.
void printCounts(const MoveResult &moved)
{
    if (!moved.counted) {
        return;
    }
    for (const MovedTable &table : moved.tables) {
        printLine(stdout, QStringLiteral("%1：%2 条 → %3 条")
                              .arg(table.table)
                              .arg(table.before)
                              .arg(table.after));
    }
    printLine(stdout, QStringLiteral("库存合计：%1 → %2")
                          .arg(numberText(moved.stockBefore), numberText(moved.stockAfter)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() != 4) {
        return usage();
    }
    const bool toServer = arguments[2] == QStringLiteral("--to-server");
    const bool fromServer = arguments[0] == QStringLiteral("--from-server");
    if (toServer == fromServer) {
        return usage();
    }
    const QString conninfo = toServer ? arguments[3] : arguments[1];
    const QStringList folders = toServer ? arguments.mid(0, 2) : arguments.mid(2, 2);
    for (const QString &folder : folders) {
        if (folder.startsWith(QLatin1Char('-'))) {
            return usage();
        }
        if (!QDir(folder).exists()) {
            printLine(stderr, QStringLiteral("目录不存在：%1").arg(folder));
            return 1;
        }
    }
    const BookFolders files = bookFoldersAt(folders[0], folders[1]);
    const MoveResult moved =
        toServer ? moveBookToServer(files, conninfo) : moveBookFromServer(conninfo, files);
    printCounts(moved);
    if (!moved.done) {
        printLine(stderr, moved.error);
        return 1;
    }
    printLine(stdout, toServer
                          ? QStringLiteral("已将账本复制到服务器 %1").arg(moved.server)
                          : QStringLiteral("已将服务器 %1 上的账本复制成表文件").arg(moved.server));
    return 0;
}
