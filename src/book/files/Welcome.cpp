#include "Welcome.h"

#include "book/catalogue/CatalogueReads.h"
#include "book/settings/ProgramIni.h"

namespace kucun {

namespace {

const QString dueKey = QStringLiteral("welcome/due");

} // namespace

void markWelcomeDue(const QString &programDir)
{
    programIni(programDir).setValue(dueKey, true);
}

bool welcomeDue(const QString &programDir)
{
    if (!programIni(programDir).value(dueKey, false).toBool()) {
        return false;
    }
    // A book copied over the new one, or filled before the welcome could
    // show, is no longer new.
    const ReadResult<QStringList> categories = readCategories();
    return categories && categories->isEmpty();
}

void markWelcomed(const QString &programDir)
{
    programIni(programDir).remove(dueKey);
}

} // namespace kucun
