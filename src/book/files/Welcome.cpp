#include "Welcome.h"

#include "Book.h"
#include "book/catalogue/CatalogueReads.h"
#include "book/settings/ProgramIni.h"

namespace kucun {

namespace {

const QString dueKey = QStringLiteral("welcome/due");

} // namespace

void markWelcomeDue(const BookFolders &folders)
{
    programIni(folders.program).setValue(dueKey, true);
}

bool welcomeDue(const BookFolders &folders)
{
    if (!programIni(folders.program).value(dueKey, false).toBool()) {
        return false;
    }
    // A book copied over the new one, or filled before the welcome could
    // show, is no longer new.
    const ReadResult<QStringList> categories = readCategories(folders);
    return categories && categories->isEmpty();
}

void markWelcomed(const BookFolders &folders)
{
    programIni(folders.program).remove(dueKey);
}

} // namespace kucun
