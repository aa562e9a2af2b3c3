#include "OwnTables.h"

#include <QFileInfo>

namespace kucun {

namespace {

OwnTable stateAfter(bool opened, const Book &book, const QString &name)
{
    if (opened) {
        return OwnTable::Open;
    }
    return QFileInfo::exists(book.pathOf(name)) ? OwnTable::Unreadable : OwnTable::Missing;
}

} // namespace

OwnTable openOwnTable(const Book &book, Table &table, const QString &name)
{
    return stateAfter(book.open(table, name), book, name);
}

OwnTable attachOwnTable(const Book &book, Table &table, const QString &name)
{
    return stateAfter(book.attach(table, name), book, name);
}

} // namespace kucun
