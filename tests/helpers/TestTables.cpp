#include "TestTables.h"

#include "store/Table.h"
#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QDir>
#include <QFile>

namespace kucun::test {

QString TestTables::path(const QString &table) const
{
    if (table == tables::设置) {
        return tables::settingsPath(programDir());
    }
    return QDir(workDir()).filePath(tables::fileNameOf(table));
}

void TestTables::createAll()
{
    for (const QString &table : tables::allTableNames() + tables::ownTableNames()) {
        create(table);
    }
}

void TestTables::create(const QString &table)
{
    QString error;
    if (!createTableFile(path(table), table, &error)) {
        qFatal("%s", qPrintable(error));
    }
}

void TestTables::add(const QString &table, const QVariantList &values)
{
    Table file;
    if (!file.open(path(table), tablePassword()) || !file.append(values)) {
        qFatal("cannot append to %s", qPrintable(table));
    }
}

void TestTables::removeFile(const QString &table)
{
    QFile::remove(path(table));
}

} // namespace kucun::test
