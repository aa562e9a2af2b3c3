#pragma once

#include <QTemporaryDir>
#include <QVariantList>

namespace kucun::test {

// A temporary working directory (made current) and program directory with
// table files in them; the previous working directory comes back at the end.
class TestTables
{
public:
    TestTables();
    ~TestTables();

    QString workDir() const { return m_work.path(); }
    QString programDir() const { return m_program.path(); }
    QString path(const QString &table) const;

    // Creates the five table files, empty but for the settings record.
    void createAll();
    void create(const QString &table);
    // Appends one record through the store, as the program would.
    void add(const QString &table, const QVariantList &values);
    void removeFile(const QString &table);

private:
    QString m_previousDir;
    QTemporaryDir m_work;
    QTemporaryDir m_program;
};

} // namespace kucun::test
