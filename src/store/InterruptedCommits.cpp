#include "InterruptedCommits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QtEndian>
#include <unistd.h>

namespace kucun {

namespace {

// The journal's trailer naming its super-journal, as SQLite writes it at the
// end of the file: the name, its length, its checksum and these eight bytes.
constexpr unsigned char journalMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
constexpr qint64 trailerSize = 16; // length, checksum, magic
// SQLite reads a name only when it is shorter than its longest path.
constexpr quint32 longestName = 512;

// The checksum SQLite keeps of the name: the sum of its bytes as the
// platform's char, as SQLite itself adds them.
quint32 checksumOf(const QByteArray &name)
{
    quint32 sum = 0;
    for (const char byte : name) {
        sum += quint32(int(byte));
    }
    return sum;
}

QByteArray trailerOf(const QByteArray &name)
{
    QByteArray trailer = name;
    char number[4];
    qToBigEndian(quint32(name.size()), number);
    trailer.append(number, 4);
    qToBigEndian(checksumOf(name), number);
    trailer.append(number, 4);
    trailer.append(reinterpret_cast<const char *>(journalMagic), sizeof journalMagic);
    return trailer;
}

// Where the name starts in a journal, and the name; nothing when the
// journal names no super-journal.
struct NamedSuperJournal
{
    qint64 offset = -1;
    QByteArray name;
};

NamedSuperJournal readSuperJournalName(QFile &journal)
{
    const qint64 size = journal.size();
    if (size < trailerSize || !journal.seek(size - trailerSize)) {
        return {};
    }
    const QByteArray trailer = journal.read(trailerSize);
    if (trailer.size() != trailerSize ||
        trailer.mid(8) !=
            QByteArray(reinterpret_cast<const char *>(journalMagic), sizeof journalMagic)) {
        return {};
    }
    const quint32 length = qFromBigEndian<quint32>(trailer.constData());
    const quint32 checksum = qFromBigEndian<quint32>(trailer.constData() + 4);
    if (length == 0 || length >= longestName || qint64(length) > size - trailerSize) {
        return {};
    }
    const qint64 offset = size - trailerSize - length;
    if (!journal.seek(offset)) {
        return {};
    }
    const QByteArray name = journal.read(length);
    if (name.size() != qsizetype(length) || checksumOf(name) != checksum) {
        return {};
    }
    return {offset, name};
}

bool flushToDisk(QFile &file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
}

// Makes the journal name this super-journal instead. A cut-off rewrite
// leaves a journal that names none, which SQLite rolls back on its own: the
// change is undone either way.
bool renameSuperJournalIn(const QString &journalPath, const QByteArray &newName)
{
    QFile journal(journalPath);
    if (!journal.open(QIODevice::ReadWrite)) {
        return false;
    }
    const NamedSuperJournal named = readSuperJournalName(journal);
    return named.offset >= 0 && journal.resize(named.offset) && journal.seek(named.offset) &&
           journal.write(trailerOf(newName)) == trailerSize + newName.size() &&
           flushToDisk(journal);
}

// The journals a super-journal lists, each ended by a NUL.
QList<QByteArray> listedJournals(const QString &superJournal)
{
    QFile file(superJournal);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<QByteArray> journals = file.readAll().split('\0');
    journals.removeAll(QByteArray());
    return journals;
}

bool writeListedJournals(const QString &superJournal, const QList<QByteArray> &journals)
{
    QSaveFile file(superJournal);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (const QByteArray &journal : journals) {
        file.write(journal);
        file.write("", 1);
    }
    return file.commit();
}

// The path a file named by an old path has now: where it still is, or the
// folder among these that holds a file of its name.
QString whereNow(const QString &oldPath, const QStringList &folders)
{
    if (QFileInfo::exists(oldPath)) {
        return oldPath;
    }
    const QString name = QFileInfo(oldPath).fileName();
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo::exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

QStringList journalsIn(const QStringList &folders)
{
    QStringList journals;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name :
             dir.entryList({QStringLiteral("*.edb-journal")}, QDir::Files | QDir::Hidden)) {
            journals << dir.filePath(name);
        }
    }
    return journals;
}

} // namespace

QString superJournalOf(const QString &journalPath)
{
    QFile journal(journalPath);
    return journal.open(QIODevice::ReadOnly) ? QFile::decodeName(readSuperJournalName(journal).name)
                                             : QString();
}

InterruptedCommits repairMovedCommits(const QStringList &folders)
{
    QStringList canonical;
    for (const QString &folder : folders) {
        canonical << QFileInfo(folder).canonicalFilePath();
    }
    // The program's folder may be the data folder itself.
    canonical.removeDuplicates();
    // The journals to repoint, by the super-journal's recorded path.
    QHash<QString, QStringList> stranded;
    for (const QString &journal : journalsIn(canonical)) {
        const QString recorded = superJournalOf(journal);
        if (!recorded.isEmpty() && !QFileInfo::exists(recorded)) {
            stranded[recorded] << journal;
        }
    }
    InterruptedCommits result;
    for (auto it = stranded.cbegin(); it != stranded.cend(); ++it) {
        const QString superJournal = whereNow(it.key(), canonical);
        if (superJournal.isEmpty()) {
            continue; // the commit finished before the folder moved
        }
        // The super-journal's list first: until the journals name it, a
        // repair cut short is simply made again at the next start.
        QList<QByteArray> listed = listedJournals(superJournal);
        for (QByteArray &journal : listed) {
            const QString now = whereNow(QFile::decodeName(journal), canonical);
            if (!now.isEmpty()) {
                journal = QFile::encodeName(now);
            }
        }
        bool repaired = !listed.isEmpty() && writeListedJournals(superJournal, listed);
        for (const QString &journal : it.value()) {
            repaired = repaired && renameSuperJournalIn(journal, QFile::encodeName(superJournal));
        }
        if (!repaired) {
            return {InterruptedCommits::Status::Stranded, QFileInfo(it.key()).absolutePath()};
        }
        result.status = InterruptedCommits::Status::Repaired;
    }
    return result;
}

void removeJournalsOf(const QStringList &tablePaths)
{
    for (const QString &path : tablePaths) {
        const QFileInfo table(path);
        const QDir dir = table.absoluteDir();
        const QStringList patterns{table.fileName() + QStringLiteral("-journal"),
                                   table.fileName() + QStringLiteral("-mj*")};
        for (const QString &name : dir.entryList(patterns, QDir::Files | QDir::Hidden)) {
            QFile::remove(dir.filePath(name));
        }
    }
}

} // namespace kucun
