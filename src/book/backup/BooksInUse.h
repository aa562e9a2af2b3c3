#pragma once

#include <QString>

namespace kucun {

// Every running copy of the program holds the books of its data folder
// shared, through a lock file there kept open for the program's life; a
// restore, which replaces the files under every reader, holds them alone.
// The lock is flock(2): the system drops it when a process ends, killed or
// not, so a copy that died holds nothing.
class BooksInUse
{
public:
    // Opens (makes if need be) the lock file in the data folder; holds nothing yet.
    explicit BooksInUse(const QString &dataFolder);
    ~BooksInUse();
    BooksInUse(const BooksInUse &) = delete;
    BooksInUse &operator=(const BooksInUse &) = delete;

    // Holds the books shared; false while a copy holds them alone.
    bool tryShared();
    // Holds the books alone, also from a shared hold; false while another
    // copy holds them in any way. A shared hold may be lost on the way
    // (flock changes a hold by dropping it first): it is taken again.
    bool tryAlone();
    // From alone back to shared, so other copies may start again.
    void share();
    void release();

    bool isShared() const { return m_hold == Hold::Shared; }
    // False when the lock file could not be opened (a folder that can't be
    // written and has none): no hold can be taken.
    bool isUsable() const { return m_handle >= 0; }

private:
    enum class Hold
    {
        None,
        Shared,
        Alone,
    };
    bool lock(int operation);

    int m_handle = -1;
    Hold m_hold = Hold::None;
};

// The lock file's name in the data folder.
inline const QString booksLockName = QStringLiteral(".kucun-在用");

} // namespace kucun
