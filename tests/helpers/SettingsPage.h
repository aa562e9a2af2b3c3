#pragma once

#include "helpers/ScriptedDialogs.h"
#include "helpers/ShopData.h"
#include "helpers/TestTables.h"
#include "helpers/WindowTest.h"
#include "store/Table.h"
#include "store/TableSchema.h"
#include "ui/ListView.h"
#include "ui/RollUpMenu.h"

#include <QLineEdit>

namespace kucun::test {

// The small shop with one movement, its window started and shown, for the
// controls of the settings page.
struct SettingsPage
{
    TestTables files;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    SettingsPage()
    {
        addSmallShop(files);
        addMovement(files, QDate(2024, 5, 3), QStringLiteral("五金"), QStringLiteral("扳手"),
                    QStringLiteral("8寸"), 1, 0, QStringLiteral("把"), QString());
        window = startMainWindow(dialogs, files.folders());
        showWindow(*window);
    }
    template <typename T> T *get(const char *name) const
    {
        return control<T>(*window, QString::fromUtf8(name));
    }
    RollUpMenu *menu() const { return get<RollUpMenu>("卷帘式菜单2"); }
    ListView *models() const { return get<ListView>("超级列表框设置"); }
    // Clicks a button and returns the boxes it showed as "text/icon".
    QStringList click(const char *button)
    {
        dialogs.forget();
        clickButton(*window, QString::fromUtf8(button));
        QStringList shown;
        for (const ShownBox &box : dialogs.shown()) {
            shown << QStringLiteral("%1/%2").arg(box.text).arg(box.icon);
        }
        return shown;
    }
    void type(const char *box, const QString &text) { typeInto(get<QLineEdit>(box), text); }
    qint64 count(const QString &table) const
    {
        Table file;
        file.open(files.path(table), tablePassword());
        return file.recordCount();
    }
    QStringList groups() const
    {
        QStringList texts;
        for (int group = 0; group < menu()->groupCount(); ++group) {
            texts << menu()->groupText(group);
        }
        return texts;
    }
};

} // namespace kucun::test
