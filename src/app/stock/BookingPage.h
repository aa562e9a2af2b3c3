#pragma once

#include <QWidget>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kucun {

template <typename Page> struct PageContext;
class Book;
class ListView;
class RollUpMenu;
struct ModelRecord;

// The page "进销库存": booking stock in and out. It holds the controls and
// the filter of its model list; the handlers fill them. Each control's
// objectName is its member name.
class BookingPage : public QWidget
{
    Q_OBJECT

public:
    // The day log reads its rows from the book.
    explicit BookingPage(const Book &book, QWidget *parent = nullptr);

    // Sets the order Tab takes: the category menu, the model list, 入库数量,
    // its 单价, 入库, 出库数量, its 单价, 出库, 备注, 日期, the day log. Runs whenever the menu's
    // groups are rebuilt.
    void orderFocus();

    // Shows the hint of an empty catalogue in place of the menu, or the menu.
    void showEmptyCatalogueHint(bool empty);

    QLabel *标签空目录提示 = nullptr;
    QPushButton *按钮添加商品 = nullptr;
    RollUpMenu *卷帘式菜单1 = nullptr;
    QPushButton *按钮显示菜单 = nullptr;
    QLabel *标签进销名称 = nullptr;
    ListView *超级列表框进销 = nullptr;
    QPushButton *按钮台账 = nullptr;
    QPushButton *按钮盘点 = nullptr;
    QLineEdit *编辑框条码查找 = nullptr;
    QLineEdit *编辑框_关键字 = nullptr;
    QPushButton *按钮5 = nullptr;
    QLabel *标签进销型号 = nullptr;
    QLineEdit *编辑框入库 = nullptr;
    QLineEdit *编辑框入库单价 = nullptr;
    QPushButton *按钮入库 = nullptr;
    QLabel *标签入库金额 = nullptr;
    QLineEdit *编辑框出库 = nullptr;
    QLineEdit *编辑框出库单价 = nullptr;
    QPushButton *按钮出库 = nullptr;
    QLabel *标签出库金额 = nullptr;
    QLineEdit *编辑框明细备注 = nullptr;
    QDateEdit *日期框进销 = nullptr;
    ListView *超级列表框日志 = nullptr;
    QLabel *标签入库合计 = nullptr;
    QLabel *标签出库合计 = nullptr;

    // The keyword the model list was last filtered with; a reload after a
    // booking filters the list with it again.
    std::optional<QString> bookingFilter;
    // The quantity box last typed into, 编辑框入库 or 编辑框出库, where a scan
    // puts its 1; none before the first.
    QLineEdit *usedQuantityBox = nullptr;

signals:
    // The ledger of this model is asked for.
    void ledgerWanted(const kucun::ModelRecord &model);
    // 按钮添加商品: the maintenance page is asked for, to add goods.
    void maintenanceWanted();
    // 按钮盘点: a stocktake is asked for.
    void stocktakeWanted();
    // The day log was read: the log holds this many records.
    void logCounted(qint64 records);

private:
    QWidget *buildEmptyCatalogueHint();
    QWidget *buildMenuColumn();
    QWidget *buildModelArea();
    QWidget *buildBookingBox();
    QWidget *buildDayLog(const Book &book);

    QWidget *m_emptyCatalogueHint = nullptr;
};

using BookingContext = PageContext<BookingPage>;

// Connects the page's controls to their handlers.
void connectBookingPage(const BookingContext &context);

} // namespace kucun
