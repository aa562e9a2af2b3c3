#pragma once

#include "app/history/LedgerWindow.h"
#include "helpers/ShopData.h"
#include "helpers/WindowTest.h"
#include "ui/ListView.h"

#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace kucun::test {

inline const QDate today = QDate::currentDate();
inline const QString hardware = QStringLiteral("五金");
inline const QString spanner = QStringLiteral("扳手");

// The small shop with a history for 扳手/8寸 (stock 10 now): +6 a year ago,
// -2 a month ago, and +3 of 10寸 today.
struct HistoryShop : ShopWindow
{
    HistoryShop()
    {
        addSmallShop(files);
        const auto move = [this](const QDate &day, const char *model, double in, double out) {
            addMovement(files, day, hardware, spanner, QString::fromUtf8(model), in, out,
                        QStringLiteral("把"), QStringLiteral("备注"));
        };
        move(today.addYears(-1), "8寸", 6, 0);
        move(today.addMonths(-1), "8寸", 0, 2);
        move(today, "10寸", 3, 0);
        start();
    }
    LedgerWindow *ledger() const { return get<LedgerWindow>("窗口台账"); }
    ListView *ledgerList() const { return control<ListView>(*ledger(), "超级列表框台账"); }
    QString opening() const { return control<QLabel>(*ledger(), "标签台账期初")->text(); }
    void bookIn(const QString &quantity) const
    {
        clickRow(get<ListView>("超级列表框进销"), 0);
        typeInto(get<QLineEdit>("编辑框入库"), quantity);
        clickButton(*window, QStringLiteral("按钮入库"));
    }
    void showReports(int tab) const
    {
        get<QTabWidget>("高级选择夹1")->setCurrentIndex(2);
        get<QTabWidget>("报表选择夹")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }
};

} // namespace kucun::test
