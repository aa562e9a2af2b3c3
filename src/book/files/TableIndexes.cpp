#include "TableIndexes.h"

#include "store/TableFiles.h"
#include "store/TableSchema.h"

#include <QFileInfo>

namespace kucun {

void addMissingTableIndexes()
{
    for (const QString &name : {tables::明细, tables::型号}) {
        const QString path = QFileInfo(tables::fileNameOf(name)).absoluteFilePath();
        addMissingIndexes(path, name);
    }
}

} // namespace kucun
