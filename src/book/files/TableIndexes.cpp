#include "TableIndexes.h"

#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QFileInfo>

namespace kucun {

void addMissingTableIndexes(const Book &book)
{
    for (const QString &name : {tables::明细, tables::型号, tables::型号资料}) {
        const QString path = book.pathOf(name);
        addMissingIndexes(path, name);
    }
}

} // namespace kucun
