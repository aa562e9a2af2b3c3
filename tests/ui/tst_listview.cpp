#include "ui/ColourPicker.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

using namespace kucun;

namespace {

QStringList titles()
{
    return {QStringLiteral("编号"), QStringLiteral("名称"), QStringLiteral("数量")};
}

QStringList cells(const QString &a, const QString &b, const QString &c)
{
    return {a, b, c};
}

QIcon filledIcon(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

std::vector<ListRow> numberedRows(int count)
{
    std::vector<ListRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        ListRow row;
        row.cells = {QString::number(i), QStringLiteral("物品%1").arg(i)};
        row.itemData = i * 10;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

class TestListView : public QObject
{
    Q_OBJECT

private slots:
    void appendEditAndRemoveRows();
    void clearAndSetRowsReset();
    void itemDataAndCellIcons();
    void viewSettings();
    void multiSelectWithControlClick();
    void singleSelectAndSelectRow();
    void headerClickCarriesSection();
    void colourPickerConversions();
};

void TestListView::appendEditAndRemoveRows()
{
    ListModel model(titles());
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnTitle(1), QStringLiteral("名称"));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("数量"));
    QVERIFY(!model.headerData(0, Qt::Vertical, Qt::DisplayRole).isValid());
    QVERIFY(model.columnTitle(7).isEmpty());

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QCOMPARE(model.appendRow(
                 cells(QStringLiteral("1"), QStringLiteral("螺丝"), QStringLiteral("40")), 11),
             0);
    QCOMPARE(
        model.appendRow(cells(QStringLiteral("2"), QStringLiteral("螺母"), QStringLiteral("25"))),
        1);
    // A short row: its missing cells read as empty text.
    QCOMPARE(model.appendRow({QStringLiteral("3")}), 2);
    QCOMPARE(inserted.count(), 3);
    QCOMPARE(inserted.at(2).at(1).toInt(), 2);
    QCOMPARE(inserted.at(2).at(2).toInt(), 2);
    QCOMPARE(model.rowCount(), 3);

    QCOMPARE(model.cellText(0, 1), QStringLiteral("螺丝"));
    QCOMPARE(model.cellText(1, 2), QStringLiteral("25"));
    QCOMPARE(model.cellText(2, 0), QStringLiteral("3"));
    QVERIFY(model.cellText(2, 1).isEmpty());
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("螺丝"));
    QCOMPARE(model.data(model.index(0, 1), Qt::AccessibleTextRole).toString(),
             QStringLiteral("螺丝"));
    QVERIFY(model.data(model.index(2, 2), Qt::DisplayRole).toString().isEmpty());
    QCOMPARE(model.itemData(0), qint64(11));
    QCOMPARE(model.itemData(1), qint64(0));

    // Out-of-range reads are empty and out-of-range writes change nothing.
    QVERIFY(model.cellText(3, 0).isEmpty());
    QVERIFY(model.cellText(-1, 0).isEmpty());
    QVERIFY(model.cellText(0, 5).isEmpty());
    QVERIFY(!model.data(QModelIndex(), Qt::DisplayRole).isValid());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCellText(5, 0, QStringLiteral("x"));
    model.setCellText(0, 3, QStringLiteral("x"));
    model.setCellText(-1, 0, QStringLiteral("x"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.rowCount(), 3);

    model.setCellText(2, 2, QStringLiteral("7"));
    QCOMPARE(model.cellText(2, 2), QStringLiteral("7"));
    QVERIFY(model.cellText(2, 1).isEmpty());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(2, 2));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(2, 2));

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.removeRowAt(0);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 0);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.cellText(0, 1), QStringLiteral("螺母"));
    QCOMPARE(model.cellText(1, 2), QStringLiteral("7"));
    model.removeRowAt(2);
    model.removeRowAt(-1);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(model.rowCount(), 2);
}

void TestListView::clearAndSetRowsReset()
{
    ListModel model(titles());
    model.appendRow(cells(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b")));
    model.appendRow(cells(QStringLiteral("2"), QStringLiteral("c"), QStringLiteral("d")));

    QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    model.setRows(numberedRows(5));
    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.cellText(4, 1), QStringLiteral("物品4"));
    QVERIFY(model.cellText(4, 2).isEmpty());
    QCOMPARE(model.itemData(3), qint64(30));
    QCOMPARE(model.rows().size(), std::size_t(5));

    model.clear();
    QCOMPARE(reset.count(), 2);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.cellText(0, 0).isEmpty());

    // A large list goes into a view in one reset.
    ListView view(titles());
    QSignalSpy viewReset(&view.list(), &QAbstractItemModel::modelReset);
    QSignalSpy viewInserted(&view.list(), &QAbstractItemModel::rowsInserted);
    view.list().setRows(numberedRows(200000));
    QCOMPARE(viewReset.count(), 1);
    QCOMPARE(viewInserted.count(), 0);
    QCOMPARE(view.rowCount(), 200000);
    QCOMPARE(view.cellText(199999, 1), QStringLiteral("物品199999"));
    view.list().clear();
    QCOMPARE(view.rowCount(), 0);
}

void TestListView::itemDataAndCellIcons()
{
    ListModel model(titles());
    model.setImageList({filledIcon(Qt::red), filledIcon(Qt::blue)});
    model.appendRow(cells(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b")), 5);
    model.appendRow(cells(QStringLiteral("2"), QStringLiteral("c"), QStringLiteral("d")), 6);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setItemData(1, 99);
    QCOMPARE(model.itemData(1), qint64(99));
    QCOMPARE(model.itemData(0), qint64(5));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
    model.setItemData(2, 1);
    QCOMPARE(model.itemData(2), qint64(0));
    QCOMPARE(changed.count(), 1);

    QCOMPARE(model.cellIcon(0, 1), -1);
    model.setCellIcon(0, 1, 1);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toModelIndex(), model.index(0, 1));
    QCOMPARE(model.cellIcon(0, 1), 1);
    QCOMPARE(model.cellIcon(0, 0), -1);
    QCOMPARE(model.cellIcon(1, 1), -1);
    for (int column = 0; column < 3; ++column) {
        const QVariant decoration = model.data(model.index(0, column), Qt::DecorationRole);
        QCOMPARE(decoration.isValid(), column == 1);
        QVERIFY(model.data(model.index(1, column), Qt::DecorationRole).isNull());
    }
    const QIcon icon = model.data(model.index(0, 1), Qt::DecorationRole).value<QIcon>();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));

    // A row has one icon: putting it on another cell moves it there.
    model.setCellIcon(0, 2, 0);
    QCOMPARE(model.cellIcon(0, 1), -1);
    QCOMPARE(model.cellIcon(0, 2), 0);
    QVERIFY(model.data(model.index(0, 1), Qt::DecorationRole).isNull());
    QVERIFY(!model.data(model.index(0, 2), Qt::DecorationRole).isNull());
    QCOMPARE(changed.last().at(0).toModelIndex(), model.index(0, 1));
    QCOMPARE(changed.last().at(1).toModelIndex(), model.index(0, 2));

    // Removing on a cell without the icon leaves the icon alone.
    model.setCellIcon(0, 0, -1);
    QCOMPARE(model.cellIcon(0, 2), 0);
    model.setCellIcon(0, 2, -1);
    QCOMPARE(model.cellIcon(0, 2), -1);
    QVERIFY(model.data(model.index(0, 2), Qt::DecorationRole).isNull());

    // An index past the image list is remembered but shows nothing.
    model.setCellIcon(1, 0, 4);
    QCOMPARE(model.cellIcon(1, 0), 4);
    QVERIFY(model.data(model.index(1, 0), Qt::DecorationRole).isNull());

    // Icons given with setRows are shown the same way.
    std::vector<ListRow> rows(1);
    rows[0].cells = cells(QStringLiteral("9"), QStringLiteral("x"), QStringLiteral("y"));
    rows[0].iconColumn = 0;
    rows[0].iconIndex = 1;
    model.setRows(std::move(rows));
    QCOMPARE(model.cellIcon(0, 0), 1);
    QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isNull());
    QVERIFY(model.data(model.index(0, 1), Qt::DecorationRole).isNull());

    const int before = static_cast<int>(changed.count());
    model.setCellIcon(3, 0, 0);
    model.setCellIcon(0, 3, 0);
    QCOMPARE(changed.count(), before);
    QCOMPARE(model.cellIcon(3, 0), -1);
    QCOMPARE(model.cellIcon(0, -1), -1);
}

void TestListView::viewSettings()
{
    ListView view(titles());
    QCOMPARE(view.model(), &view.list());
    QCOMPARE(view.list().parent(), &view);
    QCOMPARE(view.columnCount(), 3);
    QCOMPARE(view.rowCount(), 0);
    QCOMPARE(view.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("编号"));

    QVERIFY(view.verticalHeader()->isHidden());
    QCOMPARE(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(view.verticalHeader()->defaultSectionSize(), view.fontMetrics().height() + 8);
    QVERIFY(view.horizontalHeader()->stretchLastSection());
    QCOMPARE(view.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!view.wordWrap());
    QVERIFY(view.alternatingRowColors());
    QVERIFY(!view.isSortingEnabled());
    QVERIFY(!view.tabKeyNavigation());

    view.setMultiSelect(true);
    QCOMPARE(view.selectionMode(), QAbstractItemView::ExtendedSelection);
    view.setMultiSelect(false);
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);

    view.setColumnWidths({120, 45});
    QCOMPARE(view.columnWidth(0), 120);
    QCOMPARE(view.columnWidth(1), 45);
    // More widths than columns are ignored.
    view.setColumnWidths({80, 60, 70, 90, 100});
    QCOMPARE(view.columnWidth(0), 80);
    QCOMPARE(view.columnWidth(1), 60);

    view.list().appendRow(cells(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b")));
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.cellText(0, 2), QStringLiteral("b"));
}

void TestListView::multiSelectWithControlClick()
{
    ListView view(titles());
    view.setMultiSelect(true);
    for (int i = 0; i < 5; ++i) {
        view.list().appendRow(
            cells(QString::number(i), QStringLiteral("行%1").arg(i), QString::number(i * 2)));
    }
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QSignalSpy selection(&view, &ListView::rowSelectionChanged);
    view.selectRow(0);
    QCOMPARE(selection.count(), 1);
    QCOMPARE(view.selectedRows(), QList<int>{0});

    const QRect third = view.visualRect(view.list().index(2, 0));
    QVERIFY(third.isValid());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, third.center());
    QCOMPARE(view.selectedRows(), (QList<int>{0, 2}));
    QCOMPARE(view.selectedRow(), 0);
    QCOMPARE(selection.count(), 2);

    // Rows selected out of order still come back ascending.
    view.selectionModel()->select(view.list().index(4, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view.selectionModel()->select(view.list().index(1, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(view.selectedRows(), (QList<int>{0, 1, 2, 4}));
    QCOMPARE(selection.count(), 4);

    // selectRow keeps only its row, whatever was selected before.
    view.selectRow(3);
    QCOMPARE(view.selectedRows(), QList<int>{3});
    QCOMPARE(view.currentIndex().row(), 3);
    QCOMPARE(selection.count(), 5);
}

void TestListView::singleSelectAndSelectRow()
{
    ListView view(titles());
    for (int i = 0; i < 300; ++i) {
        view.list().appendRow(cells(QString::number(i), QString(), QString()));
    }
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QCOMPARE(view.selectedRow(), -1);
    QVERIFY(view.selectedRows().isEmpty());

    QSignalSpy selection(&view, &ListView::rowSelectionChanged);
    view.selectRow(5);
    QCOMPARE(view.selectedRow(), 5);
    QCOMPARE(view.currentIndex().row(), 5);
    view.selectRow(300);
    view.selectRow(-1);
    QCOMPARE(view.selectedRow(), 5);
    QCOMPARE(selection.count(), 1);

    // A click replaces the selection in single-select mode, even with Ctrl held.
    const QRect second = view.visualRect(view.list().index(1, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, second.center());
    QCOMPARE(view.selectedRows(), QList<int>{1});
    QCOMPARE(selection.count(), 2);

    // The last rows are off screen until the view scrolls to them.
    QVERIFY(!view.viewport()->rect().intersects(view.visualRect(view.list().index(299, 0))));
    view.ensureVisible(299);
    QVERIFY(view.viewport()->rect().contains(view.visualRect(view.list().index(299, 0))));
    view.ensureVisible(1000);

    // Removing rows keeps the selection on existing rows.
    view.list().removeRowAt(1);
    QCOMPARE(view.rowCount(), 299);
    QCOMPARE(view.cellText(1, 0), QStringLiteral("2"));
    QVERIFY(view.selectedRow() < view.rowCount());
    view.list().clear();
    QCOMPARE(view.selectedRow(), -1);
}

void TestListView::headerClickCarriesSection()
{
    ListView view(titles());
    view.setColumnWidths({80, 90, 100});
    view.list().appendRow(cells(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b")));
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QSignalSpy clicked(&view, &ListView::headerClicked);
    QHeaderView *header = view.horizontalHeader();
    for (int section : {1, 0, 2}) {
        const QPoint centre(header->sectionViewportPosition(section) +
                                header->sectionSize(section) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }
    QCOMPARE(clicked.count(), 3);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    QCOMPARE(clicked.at(1).at(0).toInt(), 0);
    QCOMPARE(clicked.at(2).at(0).toInt(), 2);
}

void TestListView::colourPickerConversions()
{
    ColourPicker picker;
    QSignalSpy changed(&picker, &ColourPicker::colourChanged);
    QCOMPARE(picker.colour(), QColor(Qt::white));
    QCOMPARE(picker.colourValue(), 0xFFFFFF);

    picker.setColourValue(0x0000FF);
    QCOMPARE(picker.colour(), QColor(255, 0, 0));
    QCOMPARE(picker.colourValue(), 0x0000FF);
    QCOMPARE(picker.text(), QStringLiteral("#FF0000"));

    picker.setColourValue(0x563412);
    QCOMPARE(picker.colour(), QColor(0x12, 0x34, 0x56));

    picker.setColour(QColor(0x12, 0x34, 0x56));
    QCOMPARE(picker.colourValue(), 0x563412);
    picker.setColour(QColor(0, 0, 255));
    QCOMPARE(picker.colourValue(), 0xFF0000);
    QCOMPARE(picker.text(), QStringLiteral("#0000FF"));

    // The swatch shows the colour inside a dark border.
    const QImage swatch = picker.icon().pixmap(picker.iconSize()).toImage();
    QVERIFY(!swatch.isNull());
    QCOMPARE(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(0, 0, 255));
    QVERIFY(swatch.pixelColor(0, 0).lightness() < 100);
    QCOMPARE(picker.iconSize(), QSize(40, 16));

    // An invalid colour is ignored.
    picker.setColour(QColor());
    QCOMPARE(picker.colourValue(), 0xFF0000);

    QCOMPARE(changed.count(), 0);
}

QTEST_MAIN(TestListView)
#include "tst_listview.moc"
