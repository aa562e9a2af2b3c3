#include "ui/ColourPicker.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/PagedListModel.h"

#include <QAbstractItemModelTester>
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

QIcon filledIcon(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

ListRow row(const QString &a, const QString &b, const QString &c, qint64 id = 0)
{
    return {{a, b, c}, id};
}

std::vector<ListRow> numberedRows(int count)
{
    std::vector<ListRow> rows;
    rows.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back(
            row(QString::number(i), QStringLiteral("行%1").arg(i), QString::number(i * 2)));
    }
    return rows;
}

// Rows made from their identities, counting the pages asked for.
struct CountingFetcher
{
    QList<QList<qint64>> asked;
    bool readable = true;
    PagedListModel::RowFetcher fetcher()
    {
        return [this](const QList<qint64> &ids) -> std::optional<std::vector<ListRow>> {
            asked.append(ids);
            if (!readable) {
                return std::nullopt;
            }
            std::vector<ListRow> rows;
            // In reverse, and without the identities divisible by 7: the
            // model places rows by identity and shows a missing one empty.
            for (auto id = ids.crbegin(); id != ids.crend(); ++id) {
                if (*id % 7 != 0) {
                    ListRow fetched = row({}, QStringLiteral("记录%1").arg(*id), {}, *id);
                    fetched.iconColumn = 2;
                    fetched.iconIndex = qint16(*id % 2);
                    rows.push_back(fetched);
                }
            }
            return rows;
        };
    }
};

} // namespace

class TestListView : public QObject
{
    Q_OBJECT

private slots:
    void heldRows();
    void pagedRows();
    void viewSettings();
    void multiSelectWithControlClick();
    void singleSelectAndSelectRow();
    void headerClickCarriesSection();
    void colourPickerConversions();
};

void TestListView::heldRows()
{
    ListModel model(titles());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.columnTitle(1), QStringLiteral("名称"));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("数量"));
    QVERIFY(!model.headerData(0, Qt::Vertical, Qt::DisplayRole).isValid());

    // Many rows go in with one reset.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.setRows(numberedRows(200000));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(model.rowCount(), 200000);
    QCOMPARE(model.cellText(199999, 1), QStringLiteral("行199999"));
    QCOMPARE(model.data(model.index(5, 1), Qt::AccessibleTextRole).toString(),
             QStringLiteral("行5"));

    // A short row reads its missing cells as empty; reads outside are empty.
    std::vector<ListRow> rows{row(QStringLiteral("9"), QStringLiteral("螺丝"), {}),
                              {{QStringLiteral("8")}}};
    rows[0].iconColumn = 1;
    rows[0].iconIndex = 1;
    rows[1].iconColumn = 2;
    rows[1].iconIndex = 4; // past the image list
    model.setImageList({filledIcon(Qt::red), filledIcon(Qt::blue)});
    model.setRows(std::move(rows));
    QVERIFY(model.cellText(1, 1).isEmpty());
    for (const auto &[r, c] : {std::pair{2, 0}, {-1, 0}, {0, 3}, {0, -1}}) {
        QVERIFY(model.cellText(r, c).isEmpty());
        QCOMPARE(model.cellIcon(r, c), -1);
    }
    QCOMPARE(model.cellText(1, 0), QStringLiteral("8"));

    // At most one icon a row, on its cell, drawn from the image list.
    QCOMPARE(model.cellIcon(0, 1), 1);
    QCOMPARE(model.cellIcon(0, 2), -1);
    const QIcon icon = model.data(model.index(0, 1), Qt::DecorationRole).value<QIcon>();
    QCOMPARE(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    QVERIFY(model.data(model.index(0, 2), Qt::DecorationRole).isNull());
    QCOMPARE(model.cellIcon(1, 2), 4);
    QVERIFY(model.data(model.index(1, 2), Qt::DecorationRole).isNull());

    // Removing a row moves the rest up; a numbered list numbers them anew.
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.removeRowAt(0);
    model.removeRowAt(5);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.cellText(0, 0), QStringLiteral("8"));
    model.setNumbered(true);
    QCOMPARE(model.cellText(0, 0), QStringLiteral("1"));

    // Rows made when first read, each once, by their fill position wherever
    // they moved; rows() makes them all.
    ListModel lazy(titles());
    QList<int> made;
    lazy.setRows(4, [&made](int filled) {
        made.append(filled);
        return row(QString::number(filled), QStringLiteral("行%1").arg(filled), {});
    });
    QCOMPARE(lazy.rowCount(), 4);
    QVERIFY(made.isEmpty());
    lazy.reorder({3, 2, 1, 0});
    lazy.removeRowAt(1);
    QCOMPARE(lazy.cellText(1, 1), QStringLiteral("行1"));
    QCOMPARE(lazy.cellText(1, 0), QStringLiteral("1"));
    QCOMPARE(made, QList<int>{1});
    QCOMPARE(lazy.rows().at(2).cells.at(1), QStringLiteral("行0"));
    QCOMPARE(made, (QList<int>{1, 3, 0}));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

void TestListView::pagedRows()
{
    CountingFetcher source;
    PagedListModel model(titles(), source.fetcher());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // Identities from 6001 down to 1: row r shows record 6001 - r.
    const int count = 6001;
    QList<qint64> ids;
    for (qint64 id = count; id > 0; --id) {
        ids.append(id);
    }
    model.setIds(ids);
    QCOMPARE(model.rowCount(), count);
    source.asked.clear();

    // Only the page a row is on is read, once, and each row shows its own record.
    QCOMPARE(model.cellText(0, 1), QStringLiteral("记录6001"));
    QCOMPARE(model.cellText(0, 0), QStringLiteral("1"));
    QCOMPARE(model.cellText(count - 1, 1), QStringLiteral("记录1"));
    QCOMPARE(model.cellText(count - 1, 0), QString::number(count));
    QCOMPARE(model.cellText(1, 1), QStringLiteral("记录6000"));
    QCOMPARE(source.asked.size(), 2);
    QCOMPARE(source.asked[0].size(), PagedListModel::PageSize);
    QCOMPARE(source.asked[0].first(), 6001);
    QCOMPARE(model.idAt(count - 1), 1);
    QCOMPARE(model.idAt(count), 0);
    // A record the source no longer has (5999 = 7 * 857) shows an empty row.
    QVERIFY(model.cellText(2, 1).isEmpty());
    QCOMPARE(model.cellText(2, 0), QStringLiteral("3"));
    QCOMPARE(model.cellIcon(0, 2), 1);
    QCOMPARE(model.cellIcon(1, 2), 0);
    QCOMPARE(model.cellIcon(1, 1), -1);

    // Reading every row keeps a bounded number of pages: the first is read again.
    for (int r = 0; r < model.rowCount(); ++r) {
        model.cellText(r, 1);
    }
    const qsizetype afterScan = source.asked.size();
    model.cellText(0, 1);
    QCOMPARE(source.asked.size(), afterScan + 1);

    // A page that can't be read shows empty and is asked for again.
    model.setIds({5, 6});
    source.readable = false;
    QVERIFY(model.cellText(1, 1).isEmpty());
    QCOMPARE(model.cellText(1, 0), QStringLiteral("2"));
    source.readable = true;
    QCOMPARE(model.cellText(1, 1), QStringLiteral("记录6"));
    QCOMPARE(source.asked.last(), (QList<qint64>{5, 6}));
    // New identities drop every page read before.
    const qsizetype askedBefore = source.asked.size();
    model.setIds({5, 6});
    QCOMPARE(model.cellText(0, 1), QStringLiteral("记录5"));
    QCOMPARE(source.asked.size(), askedBefore + 1);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.cellText(0, 1).isEmpty());
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

    view.list().setRows({row(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b"))});
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.cellText(0, 2), QStringLiteral("b"));
}

void TestListView::multiSelectWithControlClick()
{
    ListView view(titles());
    view.setMultiSelect(true);
    view.list().setRows(numberedRows(5));
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
    view.list().setRows(numberedRows(300));
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
    view.list().setRows({row(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b"))});
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
