#include "book/files/Welcome.h"
#include "book/settings/Settings.h"
#include "helpers/ScriptedDialogs.h"
#include "helpers/SettingsFile.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "ui/ColourPicker.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QtEndian>
#include <functional>

using namespace kucun;
using namespace kucun::test;

// Start-up, login and lock-out, the password settings, the page guard, the
// factory reset and the menu look, driven through the real main window.
class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aNewBookIsWelcomedOnce();
    void anEmptyPasswordNeverAsks();
    void aPasswordWithoutTheLoginFlagStartsWithoutAPrompt();
    void twoWrongEntriesThenTheRightOne();
    void threeWrongEntriesLockTheProgramForGood();
    void cancellingTheLoginEndsTheProgramSilently();
    void anUnreadableSettingsRecordEndsTheProgram();
    void aChangeCutShortInAMovedFolderStopsTheStart();
    void savingThePasswordSettings();
    void thePasswordSwitches();
    void thePageGuard_data();
    void thePageGuard();
    void theLogFlagAsksEvenWithoutAPassword();
    void theFactoryReset();
    void theStoredLookAppliesAtStart();
    void theLookIsTriedLiveAndSaved();
    void noPasswordIsEverLogged();
};

namespace {

// The background, text and selected colours the menu's item lines are drawn in.
QList<QColor> lookOf(const RollUpMenu *menu)
{
    const QPalette look = menu->groupItemList(0)->palette();
    return {look.color(QPalette::Base), look.color(QPalette::Text),
            look.color(QPalette::Highlight)};
}

const QString superPassword = QStringLiteral("kx7Tq2mWv9pLr4");

// Scripted dialogs that run a probe as each input box comes up, to look at
// the window while the box is shown.
class ProbingDialogs : public ScriptedDialogs
{
public:
    std::function<void()> probe;

    std::optional<QString> input(const QString &prompt, const QString &caption,
                                 const QString &initialText, bool password) override
    {
        if (probe) {
            probe();
        }
        return ScriptedDialogs::input(prompt, caption, initialText, password);
    }
};

// One start of the program on the files: the window is shown, as the
// program shows it, and its start-up runs.
struct Run
{
    ProbingDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    explicit Run(const TestTables &files, const QList<std::optional<QString>> &answers = {})
    {
        for (const std::optional<QString> &answer : answers) {
            dialogs.answerInput(answer);
        }
        start(files);
    }
    Run(const TestTables &files, const std::function<void(Run &)> &prepare)
    {
        prepare(*this);
        start(files);
    }
    void start(const TestTables &files)
    {
        window = std::make_unique<MainWindow>(dialogs, files.folders());
        window->show();
        QCoreApplication::processEvents();
    }

    template <typename T> T *get(const char *name) const
    {
        return control<T>(*window, QString::fromUtf8(name));
    }
    bool closed() const { return !window->isVisible(); }
    // The views are filled only after a login.
    bool filled() const
    {
        return get<RollUpMenu>("卷帘式菜单1")->groupCount() > 0 &&
               get<ListView>("超级列表框总库存")->rowCount() > 0;
    }
    QTabWidget *tabs() const { return get<QTabWidget>("高级选择夹1"); }
    // Clicks a page's tab, as the user selects a page.
    void selectPage(int page)
    {
        QTabBar *bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
        QCoreApplication::processEvents();
    }
    // The boxes shown, as "text|caption|icon"; an input box as
    // "?prompt|caption|initial text|password".
    QStringList boxes() const
    {
        QStringList shown;
        for (const ShownBox &box : dialogs.shown()) {
            shown << (box.isInput
                          ? QStringLiteral("?%1|%2|%3|%4")
                                .arg(box.text, box.caption, box.initialText,
                                     box.password ? QStringLiteral("password")
                                                  : QStringLiteral("plain"))
                          : QStringLiteral("%1|%2|%3").arg(box.text, box.caption).arg(box.icon));
        }
        return shown;
    }
    QStringList click(const char *button)
    {
        dialogs.forget();
        clickButton(*window, QString::fromUtf8(button));
        return boxes();
    }
};

const QString loginPrompt = QStringLiteral("?请输入登录密码|库存管理系统||password");
const QString pagePrompt = QStringLiteral("?请输入密码|枫淮库存管理系统||password");
const QString wrongPassword = QStringLiteral("输入密码有误，请重新输入！||16");

QString wrongLogin(int count)
{
    return QStringLiteral("输入密码有误，请重新输入！|密码错误次数 %1 次|16").arg(count);
}

const QString lockedNow = QStringLiteral("密码错误次数过多，程序已锁定！|程序锁定|16");
const QString lockedAtStart =
    QStringLiteral("密码错误次数过多，本程序已停止使用！|本程序已禁止使用|16");

void setPasswords(const TestTables &files, const PasswordSettings &settings)
{
    if (savePasswordSettings(files.folders(), settings) != SettingsOutcome::Done) {
        qFatal("cannot write the settings");
    }
}

void setLook(const TestTables &files, const MenuLook &look)
{
    if (saveMenuLook(files.folders(), look) != SettingsOutcome::Done) {
        qFatal("cannot write the look");
    }
}

// The settings record as stored: 密码, the three flags, then the look.
QVariantList stored(const TestTables &files)
{
    const std::optional<Settings> read = readSettings(files.folders());
    if (!read) {
        return {};
    }
    const PasswordSettings &p = read->passwords;
    const MenuLook &l = read->look;
    return {p.password,    p.atLogin,    p.beforeLog, p.beforeStock, l.itemHeight,
            l.scrollSpeed, l.background, l.text,      l.selected};
}

qint64 recordsOf(const TestTables &files, const QString &table)
{
    Table file;
    return file.open(files.path(table), tablePassword()) ? file.recordCount() : -1;
}

QColor baseOf(const QLineEdit *edit)
{
    return edit->palette().color(QPalette::Base);
}

// Chooses an item of a drop-down, as the arrow keys or the list do.
void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void pick(ColourPicker *picker, const QColor &colour)
{
    picker->setColour(colour);
    emit picker->colourChanged();
}

} // namespace

void SettingsTest::initTestCase()
{
    // The tests close many windows; the test program goes on.
    QApplication::setQuitOnLastWindowClosed(false);
}

void SettingsTest::anEmptyPasswordNeverAsks()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QString(), true, false, true});
    Run run(files);
    QCOMPARE(run.boxes(), QStringList());
    QVERIFY(!run.closed());
    QVERIFY(run.filled());
    // No password: the password controls keep their password-off look.
    QVERIFY(run.get<QRadioButton>("单选框禁用密码")->isChecked());
    QCOMPARE(run.get<QLineEdit>("编辑框密码")->text(), QString());
    QCOMPARE(baseOf(run.get<QLineEdit>("编辑框密码")), QColor(0x80, 0x80, 0x80));
    QVERIFY(run.get<QCheckBox>("选择框登录密码")->isChecked());
    QVERIFY(!run.get<QCheckBox>("选择框日志密码")->isChecked());
    QVERIFY(run.get<QCheckBox>("选择框库存密码")->isChecked());
}

void SettingsTest::aPasswordWithoutTheLoginFlagStartsWithoutAPrompt()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("abc"), false, true, false});
    Run run(files);
    QCOMPARE(run.boxes(), QStringList());
    QVERIFY(run.filled());
    // The password controls are primed with the password.
    QVERIFY(run.get<QRadioButton>("单选框启用密码")->isChecked());
    QVERIFY(!run.get<QRadioButton>("单选框禁用密码")->isChecked());
    for (const char *name : {"编辑框密码", "编辑框确认密码"}) {
        QCOMPARE(run.get<QLineEdit>(name)->text(), QStringLiteral("abc"));
        QCOMPARE(baseOf(run.get<QLineEdit>(name)), QColor(Qt::white));
    }
    QVERIFY(!run.get<QCheckBox>("选择框登录密码")->isChecked());
    QVERIFY(run.get<QCheckBox>("选择框日志密码")->isChecked());
}

void SettingsTest::twoWrongEntriesThenTheRightOne()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("abc"), true, false, false});
    setLook(files, {40, 200, 0, 0, 0});
    QStringList seenAtPrompt;
    const auto watch = [&seenAtPrompt, &files](Run &run) {
        run.dialogs.probe = [&run, &seenAtPrompt, &files] {
            // Before a login the look is applied and nothing is filled.
            seenAtPrompt << QStringLiteral("%1 %2 %3")
                                .arg(run.get<RollUpMenu>("卷帘式菜单1")->itemHeight())
                                .arg(run.get<RollUpMenu>("卷帘式菜单2")->scrollSpeed())
                                .arg(run.filled());
            // The settings are read again before each prompt: a look saved
            // meanwhile shows at the next one.
            setLook(files, {60, 100, 0, 0, 0});
        };
        // A trailing space and the letter case count.
        run.dialogs.answerInput(QStringLiteral("abc "));
        run.dialogs.answerInput(QStringLiteral("ABC"));
        run.dialogs.answerInput(QStringLiteral("abc"));
    };
    Run run(files, watch);
    QCOMPARE(run.boxes(),
             (QStringList{loginPrompt, wrongLogin(1), loginPrompt, wrongLogin(2), loginPrompt}));
    QCOMPARE(seenAtPrompt, (QStringList{"40 200 0", "60 100 0", "60 100 0"}));
    QVERIFY(!run.closed());
    QVERIFY(run.filled());
    QVERIFY(QFile::exists(files.path(tables::设置)));

    // The count lives one run: the next run allows three wrong entries again.
    Run next(files, watch);
    QCOMPARE(next.boxes(), run.boxes());
    QVERIFY(next.filled());
    QVERIFY(QFile::exists(files.path(tables::设置)));
}

void SettingsTest::threeWrongEntriesLockTheProgramForGood()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("abc"), true, true, true});
    Run run(files, {QStringLiteral("a"), QStringLiteral("Abc"), QStringLiteral(" abc")});
    QCOMPARE(run.boxes(), (QStringList{loginPrompt, wrongLogin(1), loginPrompt, wrongLogin(2),
                                       loginPrompt, wrongLogin(3), lockedNow}));
    QVERIFY(run.closed());
    QVERIFY(!run.filled());

    // Every later start is refused.
    Run locked(files, {QStringLiteral("abc")});
    QCOMPARE(locked.boxes(), QStringList{lockedAtStart});
    QVERIFY(locked.closed());
    QVERIFY(!locked.filled());

    // Only a missing file is the locked state: one that is there but can't
    // be opened (held, damaged) says so, not a word about passwords.
    QFile damaged(files.path(tables::设置));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    Run unopenable(files, {QStringLiteral("abc")});
    QCOMPARE(unopenable.boxes(), QStringList{QStringLiteral("数据库打开失败或丢失！||16")});
    QVERIFY(unopenable.closed());
    QVERIFY(QFile::exists(files.path(tables::设置)));
}

void SettingsTest::cancellingTheLoginEndsTheProgramSilently()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("abc"), true, false, false});
    Run cancelled(files, {std::nullopt});
    QCOMPARE(cancelled.boxes(), QStringList{loginPrompt});
    QVERIFY(cancelled.closed());
    QVERIFY(!cancelled.filled());

    Run afterWrongOnes(files, {QStringLiteral("x"), QStringLiteral("y"), std::nullopt});
    QCOMPARE(afterWrongOnes.boxes(),
             (QStringList{loginPrompt, wrongLogin(1), loginPrompt, wrongLogin(2), loginPrompt}));
    QVERIFY(afterWrongOnes.closed());
    QVERIFY(!afterWrongOnes.filled());
    QVERIFY(QFile::exists(files.path(tables::设置)));
}

void SettingsTest::aChangeCutShortInAMovedFolderStopsTheStart()
{
    TestTables files;
    addSmallShop(files);
    // 型号's journal names a super-journal in the folder the files came from;
    // one of that name lies here, but it can't be repaired (it is no file).
    const QByteArray recorded = "/media/旧U盘/库存/型号.edb-mj0123ABCD";
    QByteArray journal(512, '\1');
    journal.append(QByteArray(4, '\0')).append(recorded);
    quint32 checksum = 0;
    for (const char byte : recorded) {
        checksum += quint32(int(byte));
    }
    char number[4];
    qToBigEndian(quint32(recorded.size()), number);
    journal.append(number, 4);
    qToBigEndian(checksum, number);
    journal.append(number, 4).append("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile file(files.path(tables::型号) + QStringLiteral("-journal"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(journal) == journal.size());
    file.close();
    QVERIFY(QDir(files.workDir()).mkdir(QStringLiteral("型号.edb-mj0123ABCD")));

    Run run(files);
    QCOMPARE(run.boxes(),
             QStringList{QStringLiteral(
                 "上次写入数据时程序被中断，之后数据文件夹被移动过，中断的写入无法在这里撤销。\n"
                 "请先把文件夹移回原来的位置：\n/media/旧U盘/库存\n"
                 "在那里启动一次本程序，中断的写入会被撤销，之后再移动文件夹。||16")});
    QVERIFY(run.closed());
    QVERIFY(!run.filled());
    QCOMPARE(file.size(), journal.size());
}

void SettingsTest::anUnreadableSettingsRecordEndsTheProgram()
{
    TestTables files;
    addSmallShop(files);
    replaceSettingsFile(files,
                        QStringLiteral("密码 INTEGER, 登陆密码 BOOLEAN, 日志密码 BOOLEAN, 库存密码 "
                                       "BOOLEAN, 菜单高度 INTEGER, 滚动速度 INTEGER, 背景颜色 "
                                       "INTEGER, 文本颜色 INTEGER, 选中颜色 INTEGER"),
                        QStringLiteral("123, 1, 1, 1, 0, 0, 0, 0, 0"));
    Run run(files, {QStringLiteral("123")});
    QCOMPARE(run.boxes(),
             QStringList{QStringLiteral("数据表“设置”的字段“密码”缺失或类型不符，无法使用！||16")});
    QVERIFY(run.closed());
    QVERIFY(!run.filled());

    // A flag that is no logical field.
    replaceSettingsFile(files,
                        QStringLiteral("密码 TEXT, 登陆密码 TEXT, 日志密码 BOOLEAN, 库存密码 "
                                       "BOOLEAN, 菜单高度 INTEGER, 滚动速度 INTEGER, 背景颜色 "
                                       "INTEGER, 文本颜色 INTEGER, 选中颜色 INTEGER"),
                        QStringLiteral("'abc', 'no', 0, 0, 0, 0, 0, 0, 0"));
    Run flag(files, {QStringLiteral("abc")});
    QCOMPARE(flag.boxes(), QStringList{QStringLiteral(
                               "数据表“设置”的字段“登陆密码”缺失或类型不符，无法使用！||16")});
    QVERIFY(flag.closed());
}

void SettingsTest::savingThePasswordSettings()
{
    TestTables files;
    addSmallShop(files);
    setLook(files, {20, 50, 1, 2, 3});
    Run run(files);
    QVERIFY(run.filled());
    run.selectPage(3);
    QTest::mouseClick(run.get<QRadioButton>("单选框启用密码"), Qt::LeftButton);
    auto *password = run.get<QLineEdit>("编辑框密码");
    auto *again = run.get<QLineEdit>("编辑框确认密码");
    const auto typeBoth = [&](const QString &first, const QString &second) {
        typeInto(password, first);
        typeInto(again, second);
    };
    const QVariantList before = stored(files);

    // Nothing but half- and full-width spaces is no password.
    typeBoth(QStringLiteral("  　"), QStringLiteral("  　"));
    QCOMPARE(run.click("按钮保存"), QStringList{QStringLiteral("请输入有效密码！||48")});
    QCOMPARE(stored(files), before);
    // The two entries are compared as typed.
    typeBoth(QStringLiteral(" pw "), QStringLiteral(" pw"));
    QCOMPARE(run.click("按钮保存"),
             QStringList{QStringLiteral("您二次输入的密码不一致，请核对！||48")});
    QCOMPARE(stored(files), before);

    typeBoth(QStringLiteral(" pw "), QStringLiteral(" pw "));
    QTest::mouseClick(run.get<QCheckBox>("选择框日志密码"), Qt::LeftButton);
    QCOMPARE(run.click("按钮保存"), QStringList{QStringLiteral("保存成功！重启程序后生效！||64")});
    QCOMPARE(stored(files),
             (QVariantList{QStringLiteral(" pw "), false, true, false, 20, 50, 1, 2, 3}));
    // The old settings stay in force until the next start.
    run.dialogs.forget();
    run.selectPage(1);
    run.selectPage(3);
    QCOMPARE(run.boxes(), QStringList());
    QCOMPARE(run.tabs()->currentIndex(), 3);

    // Password off stores no password and the check boxes as they stand.
    QTest::mouseClick(run.get<QRadioButton>("单选框禁用密码"), Qt::LeftButton);
    QTest::mouseClick(run.get<QCheckBox>("选择框库存密码"), Qt::LeftButton);
    QCOMPARE(run.click("按钮保存"), QStringList{QStringLiteral("保存成功！重启程序后生效！||64")});
    QCOMPARE(stored(files), (QVariantList{QString(), false, false, true, 20, 50, 1, 2, 3}));

    // The next start goes by what was saved: 库存密码 asks even with no password.
    Run next(files);
    QCOMPARE(next.boxes(), QStringList());
    next.selectPage(2);
    QCOMPARE(next.boxes(), QStringList{pagePrompt});
    QCOMPARE(next.tabs()->currentIndex(), 0);

    files.removeFile(tables::设置);
    QCOMPARE(run.click("按钮保存"), QStringList{QStringLiteral("数据库打开失败或丢失！||16")});
    QVERIFY(!QFile::exists(files.path(tables::设置)));
}

void SettingsTest::thePasswordSwitches()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("abc"), true, true, true});
    Run run(files, {QStringLiteral("abc")});
    QVERIFY(run.filled());
    auto *password = run.get<QLineEdit>("编辑框密码");
    auto *again = run.get<QLineEdit>("编辑框确认密码");
    QVERIFY(run.get<QCheckBox>("选择框登录密码")->isChecked());

    run.dialogs.answerInput(QStringLiteral("abc"));
    run.selectPage(3);
    QCOMPARE(run.tabs()->currentIndex(), 3);
    QTest::mouseClick(run.get<QRadioButton>("单选框禁用密码"), Qt::LeftButton);
    for (QLineEdit *edit : {password, again}) {
        QCOMPARE(edit->text(), QString());
        QCOMPARE(baseOf(edit), QColor(0x80, 0x80, 0x80));
        QVERIFY(!edit->isEnabled());
    }
    for (const char *name : {"选择框登录密码", "选择框日志密码", "选择框库存密码"}) {
        QVERIFY(!run.get<QCheckBox>(name)->isChecked());
    }
    QTest::mouseClick(run.get<QRadioButton>("单选框启用密码"), Qt::LeftButton);
    for (QLineEdit *edit : {password, again}) {
        QCOMPARE(baseOf(edit), QColor(Qt::white));
        QVERIFY(edit->isEnabled());
    }
    // Nothing is stored until Save.
    QCOMPARE(stored(files).mid(0, 4), (QVariantList{QStringLiteral("abc"), true, true, true}));
}

void SettingsTest::thePageGuard_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("contents");
    // 按钮出厂 stays hidden until 项目设置 has been shown.
    QTest::addColumn<bool>("showsFactoryReset");
    QTest::newRow("日志查询") << 1 << QStringLiteral("超级列表框明细") << false;
    QTest::newRow("库存报表") << 2 << QStringLiteral("超级列表框总库存") << false;
    QTest::newRow("项目设置") << 3 << QStringLiteral("超级列表框设置") << true;
}

void SettingsTest::thePageGuard()
{
    QFETCH(int, page);
    QFETCH(QString, contents);
    QFETCH(bool, showsFactoryReset);
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("Pw"), false, true, true});
    Run run(files);
    QVERIFY(QTest::qWaitForWindowExposed(run.window.get()));
    QWidget *shown = control<QWidget>(*run.window, contents);
    auto *factoryReset = run.get<QPushButton>("按钮出厂");
    QVERIFY(factoryReset->isHidden());
    QList<bool> visibleAtPrompt;
    run.dialogs.probe = [&] {
        QCoreApplication::processEvents();
        visibleAtPrompt << shown->isVisible();
    };

    // Cancel: back to "进销库存", no message.
    run.selectPage(page);
    QCOMPARE(run.boxes(), QStringList{pagePrompt});
    QCOMPARE(run.tabs()->currentIndex(), 0);
    QVERIFY(!shown->isVisible());

    // A wrong entry: the message, and back to "进销库存".
    for (const QString &wrong : {QStringLiteral("pw"), QStringLiteral("Pw "), QString()}) {
        run.dialogs.forget();
        run.dialogs.answerInput(wrong);
        run.selectPage(page);
        QCOMPARE(run.boxes(), (QStringList{pagePrompt, wrongPassword}));
        QCOMPARE(run.tabs()->currentIndex(), 0);
        QVERIFY(!shown->isVisible());
    }
    QVERIFY(factoryReset->isHidden());

    run.dialogs.forget();
    run.dialogs.answerInput(QStringLiteral("Pw"));
    run.selectPage(page);
    QCOMPARE(run.boxes(), QStringList{pagePrompt});
    QCOMPARE(run.tabs()->currentIndex(), page);
    QVERIFY(shown->isVisible());
    QCOMPARE(!factoryReset->isHidden(), showsFactoryReset);
    // The contents never showed while the password was asked.
    QCOMPARE(visibleAtPrompt, QList<bool>(5, false));

    // "进销库存" never asks; coming back asks again.
    run.dialogs.forget();
    run.selectPage(0);
    QCOMPARE(run.boxes(), QStringList());
    QVERIFY(!shown->isVisible());
    run.selectPage(page);
    QCOMPARE(run.boxes(), QStringList{pagePrompt});
    QCOMPARE(run.tabs()->currentIndex(), 0);
    QCOMPARE(visibleAtPrompt.last(), false);
    // The wrong entries here count for nothing: the program never locks.
    QVERIFY(QFile::exists(files.path(tables::设置)));
}

void SettingsTest::theLogFlagAsksEvenWithoutAPassword()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QString(), true, true, false});
    Run run(files);
    QCOMPARE(run.boxes(), QStringList());
    // "项目设置" and "库存报表" don't ask.
    run.selectPage(3);
    run.selectPage(2);
    QCOMPARE(run.boxes(), QStringList());
    QCOMPARE(run.tabs()->currentIndex(), 2);
    // "日志查询" asks, and an empty entry confirmed opens it.
    run.dialogs.answerInput(QString());
    run.selectPage(1);
    QCOMPARE(run.boxes(), QStringList{pagePrompt});
    QCOMPARE(run.tabs()->currentIndex(), 1);
    QVERIFY(run.get<ListView>("超级列表框明细")->isVisible());
}

void SettingsTest::theFactoryReset()
{
    TestTables files;
    addSmallShop(files);
    addMovement(files, QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                QStringLiteral("8寸"), 1, 0, QStringLiteral("把"), QString());
    setPasswords(files, {QStringLiteral("pw"), false, false, false});
    setLook(files, {40, 200, 0xFFFFFF, 0x00FF00, 0x0000FF});
    Run run(files);
    const QString resetPrompt =
        QStringLiteral("?请输入超级密码，超级密码不是设置密码！|您即将恢复出厂设置······|"
                       "数据清空不可恢复，请谨慎！|plain");

    // The page asks its password first; then Cancel does nothing.
    run.dialogs.answerInput(QStringLiteral("pw"));
    run.dialogs.answerInput(std::nullopt);
    QCOMPARE(run.click("按钮出厂"), (QStringList{pagePrompt, resetPrompt}));
    QCOMPARE(recordsOf(files, tables::型号), 5);
    // The warning text itself, or anything but the super password, is refused.
    for (const QString &wrong : {QStringLiteral("数据清空不可恢复，请谨慎！"),
                                 QStringLiteral("KX7TQ2MWV9PLR4"), QStringLiteral("pw")}) {
        run.dialogs.answerInput(wrong);
        QCOMPARE(run.click("按钮出厂"),
                 (QStringList{resetPrompt, QStringLiteral("密码错误，求你别试了！||48")}));
    }
    QCOMPARE(recordsOf(files, tables::明细), 1);
    QVERIFY(!run.closed());

    // A reset that can't reach every table changes none, and the program goes on.
    const QString aside = files.path(tables::明细) + QStringLiteral(".aside");
    QVERIFY(QFile::rename(files.path(tables::明细), aside));
    run.dialogs.answerInput(superPassword);
    QCOMPARE(run.click("按钮出厂"),
             (QStringList{resetPrompt, QStringLiteral("数据库打开失败或丢失！||16")}));
    QVERIFY(!run.closed());
    QVERIFY(QFile::rename(aside, files.path(tables::明细)));

    run.dialogs.answerInput(superPassword);
    QCOMPARE(run.click("按钮出厂"),
             (QStringList{resetPrompt, QStringLiteral("已恢复出厂设置，请重启本程序！||64")}));
    QVERIFY(run.closed());

    // The next start: no password, and a look of all zeros, drawn.
    files.add(tables::品类, {QStringLiteral("五金")});
    files.add(tables::名称, {QStringLiteral("五金"), QStringLiteral("扳手")});
    Run next(files);
    QCOMPARE(next.boxes(), QStringList());
    QVERIFY(!next.closed());
    QVERIFY(QTest::qWaitForWindowExposed(next.window.get()));
    for (const char *name : {"卷帘式菜单1", "卷帘式菜单2"}) {
        auto *menu = next.get<RollUpMenu>(name);
        QCOMPARE(menu->scrollSpeed(), 0);
        QCOMPARE(lookOf(menu), QList<QColor>(3, QColor(Qt::black)));
        menu->chooseGroup(0);
        menu->chooseItem(0, 0);
        next.selectPage(3);
        QVERIFY(!menu->grab().isNull());
        next.selectPage(0);
    }
    QCOMPARE(next.get<QComboBox>("组合框菜单高度")->currentText(), QStringLiteral("0"));
    QCOMPARE(next.get<QComboBox>("组合框菜单速度")->currentText(), QStringLiteral("0"));
    QCOMPARE(next.get<ColourPicker>("颜色选择器背景颜色")->colourValue(), 0);
    QCOMPARE(next.get<ColourPicker>("颜色选择器文本颜色")->colourValue(), 0);
    QCOMPARE(next.get<ColourPicker>("颜色选择器文本选中颜色")->colourValue(), 0);
}

void SettingsTest::theStoredLookAppliesAtStart()
{
    TestTables files;
    addSmallShop(files);
    // 0x00BBGGRR: red, green and blue.
    setLook(files, {40, 200, 0x0000FF, 0x00FF00, 0xFF0000});
    Run run(files);
    for (const char *name : {"卷帘式菜单1", "卷帘式菜单2"}) {
        auto *menu = run.get<RollUpMenu>(name);
        QCOMPARE(menu->itemHeight(), 40);
        QCOMPARE(menu->scrollSpeed(), 200);
        QCOMPARE(lookOf(menu),
                 (QList<QColor>{QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)}));
    }
    QCOMPARE(run.get<QComboBox>("组合框菜单高度")->currentText(), QStringLiteral("40"));
    QCOMPARE(run.get<QComboBox>("组合框菜单速度")->currentText(), QStringLiteral("200"));
    QCOMPARE(run.get<ColourPicker>("颜色选择器背景颜色")->colour(), QColor(255, 0, 0));
    QCOMPARE(run.get<ColourPicker>("颜色选择器文本颜色")->colourValue(), 0x00FF00);
    QCOMPARE(run.get<ColourPicker>("颜色选择器文本选中颜色")->colourValue(), 0xFF0000);
}

void SettingsTest::theLookIsTriedLiveAndSaved()
{
    TestTables files;
    addSmallShop(files);
    setPasswords(files, {QStringLiteral("pw"), false, true, false});
    setLook(files, {20, 50, 0, 0, 0});
    Run run(files);
    auto *first = run.get<RollUpMenu>("卷帘式菜单1");
    auto *second = run.get<RollUpMenu>("卷帘式菜单2");
    const auto both = [&](auto read) { return QList{read(first), read(second)}; };
    run.dialogs.answerInput(QStringLiteral("pw"));
    run.selectPage(3);
    QCOMPARE(run.tabs()->currentIndex(), 3);

    choose(run.get<QComboBox>("组合框菜单速度"), QStringLiteral("200"));
    QCOMPARE(both([](RollUpMenu *m) { return m->scrollSpeed(); }), (QList{200, 200}));
    choose(run.get<QComboBox>("组合框菜单高度"), QStringLiteral("45"));
    QCOMPARE(both([](RollUpMenu *m) { return m->itemHeight(); }), (QList{45, 45}));
    pick(run.get<ColourPicker>("颜色选择器背景颜色"), QColor(0x12, 0x34, 0x56));
    pick(run.get<ColourPicker>("颜色选择器文本颜色"), QColor(0xFF, 0xFF, 0xFF));
    pick(run.get<ColourPicker>("颜色选择器文本选中颜色"), QColor(0x00, 0x80, 0xFF));
    const QList<QColor> tried{QColor(0x12, 0x34, 0x56), QColor(Qt::white),
                              QColor(0x00, 0x80, 0xFF)};
    QCOMPARE(both([](RollUpMenu *m) { return lookOf(m); }), (QList{tried, tried}));
    // Nothing is stored by trying.
    QCOMPARE(stored(files),
             (QVariantList{QStringLiteral("pw"), false, true, false, 20, 50, 0, 0, 0}));

    // Save stores the controls' values, colours as 0x00BBGGRR; the password
    // part of the record and the password boxes stay.
    typeInto(run.get<QLineEdit>("编辑框密码"), QStringLiteral("typed, not saved"));
    QCOMPARE(run.click("按钮保存全部设置"), QStringList{QStringLiteral("保存成功||64")});
    QCOMPARE(stored(files), (QVariantList{QStringLiteral("pw"), false, true, false, 45, 200,
                                          0x563412, 0xFFFFFF, 0xFF8000}));
    QCOMPARE(run.get<QLineEdit>("编辑框密码")->text(), QStringLiteral("typed, not saved"));
    QCOMPARE(run.get<QLineEdit>("编辑框确认密码")->text(), QStringLiteral("pw"));

    // A text that is no number saves 0.
    run.get<QComboBox>("组合框菜单高度")->setEditText(QStringLiteral("高"));
    QCOMPARE(run.click("按钮保存全部设置"), QStringList{QStringLiteral("保存成功||64")});
    QCOMPARE(stored(files).at(4), QVariant(0));

    // No settings file: the message, and the menus keep the look tried out.
    files.removeFile(tables::设置);
    QCOMPARE(run.click("按钮保存全部设置"),
             QStringList{QStringLiteral("数据库打开失败或丢失！||16")});
    QCOMPARE(first->scrollSpeed(), 200);
    QVERIFY(!QFile::exists(files.path(tables::设置)));
}

namespace {

QStringList loggedMessages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    loggedMessages << message;
}

} // namespace

void SettingsTest::noPasswordIsEverLogged()
{
    const QString password = QStringLiteral("秘Pw-7731");
    const QString wrong = QStringLiteral("错Pw-0042");
    loggedMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    {
        TestTables files;
        addSmallShop(files);
        setPasswords(files, {password, true, true, true});
        Run run(files, {wrong, password});
        QVERIFY(run.filled());
        run.dialogs.answerInput(wrong);
        run.selectPage(1);
        run.dialogs.answerInput(password);
        run.selectPage(3);
        typeInto(run.get<QLineEdit>("编辑框密码"), wrong);
        typeInto(run.get<QLineEdit>("编辑框确认密码"), wrong);
        clickButton(*run.window, QStringLiteral("按钮保存"));
        run.dialogs.answerInput(wrong);
        clickButton(*run.window, QStringLiteral("按钮出厂"));
    }
    qInstallMessageHandler(previous);
    for (const QString &message : std::as_const(loggedMessages)) {
        QVERIFY2(!message.contains(QStringLiteral("Pw-")), qPrintable(message));
    }
}

void SettingsTest::aNewBookIsWelcomedOnce()
{
    const auto startOnANewBook = [](ShopWindow &shop) {
        shop.files.createAll();
        markWelcomeDue(shop.files.folders());
        shop.start();
        return shop.get<QDialog>("窗口欢迎");
    };
    const auto click = [](QDialog *welcome, const char *button) {
        control<QPushButton>(*welcome, QString::fromUtf8(button))->click();
    };
    ShopWindow tried;
    QDialog *welcome = startOnANewBook(tried);
    const auto hintShown = [](const ShopWindow &shop) {
        return shop.get<QLabel>("标签空目录提示")->isVisibleTo(shop.window.get());
    };
    QVERIFY(hintShown(tried));
    click(welcome, "按钮备份位置首次");
    click(welcome, "按钮示例数据");
    QCOMPARE(tried.dialogs.texts(),
             (QStringList{"备份位置", "已填入示例数据：5 个品类、20 个名称、60 个型号和两个月的"
                                      "出入库明细。可在“项目设置”中修改或删除。"}));
    QCOMPARE(tried.get<RollUpMenu>("卷帘式菜单1")->groupCount(), 5);
    QVERIFY(!hintShown(tried));

    ShopWindow started;
    click(startOnANewBook(started), "按钮开始使用");
    QCOMPARE(started.get<QTabWidget>("高级选择夹1")->currentIndex(), 3); // 项目设置
    QTRY_COMPARE(QApplication::focusWidget(), started.get<QLineEdit>("编辑框品类"));
    // Once per book; never in a portable copy with tables.
    started.window.reset();
    started.start();
    started.get<QTabWidget>("高级选择夹1")->setCurrentIndex(0);
    clickButton(*started.window, QStringLiteral("按钮添加商品"));
    QCOMPARE(started.get<QTabWidget>("高级选择夹1")->currentIndex(), 3);
    ShopWindow portable;
    addSmallShop(portable.files);
    portable.start();
    for (const ShopWindow *shop : {&started, &portable}) {
        QVERIFY(!shop->window->findChild<QDialog *>(QStringLiteral("窗口欢迎")));
    }
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
