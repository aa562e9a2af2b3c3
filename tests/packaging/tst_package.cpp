#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The Debian package CPack makes of this build: what it holds, and that its
// menu entry and metainfo pass the desktop's own validators.
class PackageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsTheProgram_data();
    void holdsTheProgram();
    void menuEntryNamesWhatThePackageHolds();
    void menuEntryIsValid();
    void metainfoIsValid();
    void copyrightIsMachineReadable();
    void dependsOnTheLinkedLibraries();

private:
    QTemporaryDir m_work;
    QString m_deb;
    QString m_tree; // the package's files, unpacked
    QStringList m_contents;
};

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

const QString appId = qEnvironmentVariable("KUCUN_APP_ID");

QString desktopEntryPath()
{
    return QStringLiteral("usr/share/applications/%1.desktop").arg(appId);
}

QString metainfoPath()
{
    return QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(appId);
}

// The value of a key in a desktop entry ("Name[zh_CN]").
QString entryValue(const QString &entry, const QString &key)
{
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(QRegularExpression::escape(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

} // namespace

void PackageTest::initTestCase()
{
    const QString build = qEnvironmentVariable("KUCUN_BUILD_DIR");
    const Run cpack = run(qEnvironmentVariable("KUCUN_CPACK"),
                          {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                           QDir(build).filePath(QStringLiteral("CPackConfig.cmake")),
                           QStringLiteral("-B"), m_work.path()});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.out));
    // scripts/package promises this name.
    m_deb =
        QDir(m_work.path())
            .filePath(
                QStringLiteral("kucun_%1_amd64.deb").arg(qEnvironmentVariable("KUCUN_VERSION")));
    QVERIFY2(QFile::exists(m_deb), qPrintable(cpack.out));

    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), m_deb});
    QCOMPARE(contents.exitCode, 0);
    m_contents = contents.out.split(u'\n', Qt::SkipEmptyParts);
    m_tree = QDir(m_work.path()).filePath(QStringLiteral("tree"));
    QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_tree}).exitCode, 0);
}

void PackageTest::holdsTheProgram_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("mode");
    QTest::newRow("kucun") << "usr/bin/kucun"
                           << "-rwxr-xr-x";
    QTest::newRow("kucun-init") << "usr/bin/kucun-init"
                                << "-rwxr-xr-x";
    QTest::newRow("kucun-move") << "usr/bin/kucun-move"
                                << "-rwxr-xr-x";
    QTest::newRow("menu entry") << desktopEntryPath() << "-rw-r--r--";
    QTest::newRow("metainfo") << metainfoPath() << "-rw-r--r--";
    QTest::newRow("scalable icon")
        << QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(appId)
        << "-rw-r--r--";
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(size)))
            << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId)
            << "-rw-r--r--";
    }
}

void PackageTest::holdsTheProgram()
{
    QFETCH(QString, path);
    QFETCH(QString, mode);
    // A line of dpkg-deb --contents: mode, owner, size, date, time, ./path.
    const auto found =
        std::find_if(m_contents.cbegin(), m_contents.cend(), [&](const QString &line) {
            return line.endsWith(QStringLiteral(" ./") + path);
        });
    QVERIFY2(found != m_contents.cend(), qPrintable(m_contents.join(u'\n')));
    QCOMPARE(found->section(u' ', 0, 0), mode);
    QVERIFY(found->contains(QStringLiteral("root/root")));
}

void PackageTest::menuEntryNamesWhatThePackageHolds()
{
    QFile file(QDir(m_tree).filePath(desktopEntryPath()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(file.readAll());
    QCOMPARE(entryValue(entry, QStringLiteral("Name")), QStringLiteral("kucun"));
    QCOMPARE(entryValue(entry, QStringLiteral("Name[zh_CN]")), QStringLiteral("库存管理"));
    QVERIFY(entryValue(entry, QStringLiteral("Comment[zh_CN]"))
                .contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))));
    QCOMPARE(entryValue(entry, QStringLiteral("Categories")), QStringLiteral("Office;Finance;"));
    // Exec and Icon name what the package installs.
    QVERIFY(QFileInfo(QDir(m_tree).filePath(QStringLiteral("usr/bin/") +
                                            entryValue(entry, QStringLiteral("Exec"))))
                .isExecutable());
    const QString icon = entryValue(entry, QStringLiteral("Icon"));
    QVERIFY(QFile::exists(QDir(m_tree).filePath(
        QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
}

void PackageTest::menuEntryIsValid()
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) {
        QSKIP("desktop-file-validate is not installed (desktop-file-utils)");
    }
    const Run check = run(validator, {QDir(m_tree).filePath(desktopEntryPath())});
    QVERIFY2(check.exitCode == 0 && check.out.isEmpty(), qPrintable(check.out));
}

void PackageTest::metainfoIsValid()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (validator.isEmpty()) {
        QSKIP("appstreamcli is not installed (appstream)");
    }
    const Run check =
        run(validator, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                        QStringLiteral("--pedantic"), QDir(m_tree).filePath(metainfoPath())});
    QVERIFY2(check.exitCode == 0 && !check.out.contains(QStringLiteral(": ")), // not even pedantic
             qPrintable(check.out));
}

void PackageTest::copyrightIsMachineReadable()
{
    QFile file(QDir(m_tree).filePath(QStringLiteral("usr/share/doc/kucun/copyright")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith( // the header, a Files paragraph, the licence's text
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
        "Upstream-Name: kucun\n\nFiles: *\nCopyright: 2026 kucun developers\nLicense: "
        "LicenseRef-proprietary\n\n"
        "License: LicenseRef-proprietary\n All rights reserved."));
}

void PackageTest::dependsOnTheLinkedLibraries()
{
    const Run depends = run(QStringLiteral("dpkg-deb"),
                            {QStringLiteral("--field"), m_deb, QStringLiteral("Depends")});
    QCOMPARE(depends.exitCode, 0);
    // Found by dpkg-shlibdeps in the binaries, with their versions.
    for (const QString &library :
         {QStringLiteral("libqt6widgets6 (>="), QStringLiteral("libsqlcipher0 (>="),
          QStringLiteral("libc6 (>=")}) {
        QVERIFY2(depends.out.contains(library), qPrintable(depends.out));
    }
}

QTEST_GUILESS_MAIN(PackageTest)
#include "tst_package.moc"
