#include "BooksInUse.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kucun {

BooksInUse::BooksInUse(const QString &dataFolder)
{
    const QByteArray path = QFile::encodeName(QDir(dataFolder).filePath(booksLockName));
    m_handle = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_handle < 0) {
        // A folder that can't be written: a lock file already there still locks.
        m_handle = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    }
}

BooksInUse::~BooksInUse()
{
    if (m_handle >= 0) {
        ::close(m_handle);
    }
}

bool BooksInUse::lock(int operation)
{
    if (m_handle < 0) {
        return false;
    }
    int result;
    do {
        result = ::flock(m_handle, operation | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool BooksInUse::tryShared()
{
    if (m_hold == Hold::None && lock(LOCK_SH)) {
        m_hold = Hold::Shared;
    }
    return m_hold == Hold::Shared;
}

bool BooksInUse::tryAlone()
{
    if (m_hold == Hold::Alone) {
        return true;
    }
    const Hold before = m_hold;
    if (lock(LOCK_EX)) {
        m_hold = Hold::Alone;
        return true;
    }
    // flock may have dropped the shared hold before it found the books taken.
    m_hold = Hold::None;
    if (before == Hold::Shared) {
        tryShared();
    }
    return false;
}

void BooksInUse::share()
{
    if (m_hold == Hold::Alone) {
        // flock drops the hold before it takes the new one: a restore that
        // came in between is waited for.
        if (!lock(LOCK_SH)) {
            while (::flock(m_handle, LOCK_SH) != 0 && errno == EINTR) {
            }
        }
        m_hold = Hold::Shared;
    }
}

void BooksInUse::release()
{
    if (m_handle >= 0 && m_hold != Hold::None) {
        ::flock(m_handle, LOCK_UN);
    }
    m_hold = Hold::None;
}

} // namespace kucun
