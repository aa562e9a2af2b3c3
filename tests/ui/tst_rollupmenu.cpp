#include "ui/RollUpMenu.h"

#include <QAbstractButton>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace kucun;

class RollUpMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void addingAndReading();
    void gesturesRaiseEventsAndSetTheCurrentPlace();
    void settingTheCurrentPlaceRaisesNothing();
    void mouseAndKeyboard();
    void hidingAndShowingGroups();
    void lookAndLineHeight();
    void manyGroupsLoadAndScrollIntoView();
};

namespace {

QAbstractButton *headerOf(const RollUpMenu &menu, int group)
{
    return qobject_cast<QAbstractButton *>(menu.groupHeader(group));
}

// A group is open when its header shows pressed, with the arrow down.
bool isOpen(const RollUpMenu &menu, int group)
{
    return headerOf(menu, group)->isChecked();
}

QListView *listOf(const RollUpMenu &menu, int group)
{
    return qobject_cast<QListView *>(menu.groupItemList(group));
}

// 五金工具 (3 items), 电器 (2 items), 文具 (1 item).
void fillTools(RollUpMenu &menu)
{
    const int tools = menu.addGroup(QStringLiteral("五金工具"));
    menu.addItem(tools, QStringLiteral("扳手"));
    menu.addItem(tools, QStringLiteral("螺丝刀"));
    menu.addItem(tools, QStringLiteral("钳子"));
    const int electrical = menu.addGroup(QStringLiteral("电器"));
    menu.addItem(electrical, QStringLiteral("电钻"));
    menu.addItem(electrical, QStringLiteral("插座"));
    const int stationery = menu.addGroup(QStringLiteral("文具"));
    menu.addItem(stationery, QStringLiteral("铅笔"));
}

int openGroups(const RollUpMenu &menu)
{
    int open = 0;
    for (int group = 0; group < menu.groupCount(); ++group) {
        open += isOpen(menu, group) ? 1 : 0;
    }
    return open;
}

QList<int> selectedRows(const QListView *list)
{
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedIndexes()) {
        rows.append(index.row());
    }
    return rows;
}

} // namespace

void RollUpMenuTest::addingAndReading()
{
    RollUpMenu menu;
    QCOMPARE(menu.groupCount(), 0);
    QCOMPARE(menu.currentGroup(), -1);
    QCOMPARE(menu.currentItem(), -1);

    QCOMPARE(menu.addGroup(QStringLiteral("五金工具")), 0);
    QCOMPARE(menu.addGroup(QStringLiteral("电器&灯具")), 1);
    QCOMPARE(menu.addItem(0, QStringLiteral("扳手")), 0);
    QCOMPARE(menu.addItem(0, QStringLiteral("螺丝刀")), 1);
    QCOMPARE(menu.addItem(1, QStringLiteral("电钻")), 0);
    QCOMPARE(menu.addItem(2, QStringLiteral("无此组")), -1);
    QCOMPARE(menu.addItem(-1, QStringLiteral("无此组")), -1);

    QCOMPARE(menu.groupCount(), 2);
    QCOMPARE(menu.itemCount(0), 2);
    QCOMPARE(menu.itemCount(1), 1);
    QCOMPARE(menu.itemCount(2), 0);
    QCOMPARE(menu.itemCount(-1), 0);
    QCOMPARE(menu.groupText(0), QStringLiteral("五金工具"));
    QCOMPARE(menu.groupText(1), QStringLiteral("电器&灯具"));
    QCOMPARE(menu.groupText(2), QString());
    QCOMPARE(menu.itemText(0, 1), QStringLiteral("螺丝刀"));
    QCOMPARE(menu.itemText(1, 0), QStringLiteral("电钻"));
    QCOMPARE(menu.itemText(0, 2), QString());
    QCOMPARE(menu.itemText(0, -1), QString());
    QCOMPARE(menu.itemText(5, 0), QString());

    // The child widgets carry the texts for keyboard and screen reader users.
    QAbstractButton *header = headerOf(menu, 1);
    QVERIFY(header);
    QVERIFY(header->isCheckable());
    QCOMPARE(header->accessibleName(), QStringLiteral("电器&灯具"));
    QCOMPARE(QString(header->text()).remove(QLatin1Char('&')), QStringLiteral("电器灯具"));
    QVERIFY(header->focusPolicy() & Qt::TabFocus);
    QListView *list = listOf(menu, 0);
    QVERIFY(list);
    QCOMPARE(list->accessibleName(), QStringLiteral("五金工具的项目"));
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->model()->index(1, 0).data().toString(), QStringLiteral("螺丝刀"));
    QVERIFY(!menu.groupHeader(2));
    QVERIFY(!menu.groupItemList(-1));

    auto *scrollArea = menu.findChild<QScrollArea *>();
    QVERIFY(scrollArea);
    QCOMPARE(scrollArea->frameShape(), QFrame::NoFrame);

    // Nothing is open until something is chosen.
    QCOMPARE(openGroups(menu), 0);

    menu.chooseItem(0, 1);
    QCOMPARE(menu.currentGroup(), 0);
    menu.clear();
    QCOMPARE(menu.groupCount(), 0);
    QCOMPARE(menu.currentGroup(), -1);
    QCOMPARE(menu.currentItem(), -1);
    QVERIFY(!menu.groupHeader(0));
    QCOMPARE(menu.itemCount(0), 0);

    // The menu fills again from index 0 after clearing.
    QCOMPARE(menu.addGroup(QStringLiteral("文具")), 0);
    QCOMPARE(menu.addItem(0, QStringLiteral("铅笔")), 0);
    QCOMPARE(menu.groupText(0), QStringLiteral("文具"));
    QCOMPARE(menu.itemText(0, 0), QStringLiteral("铅笔"));
}

void RollUpMenuTest::gesturesRaiseEventsAndSetTheCurrentPlace()
{
    RollUpMenu menu;
    fillTools(menu);
    QSignalSpy groups(&menu, &RollUpMenu::groupChosen);
    QSignalSpy items(&menu, &RollUpMenu::itemChosen);
    QSignalSpy rightClicks(&menu, &RollUpMenu::groupRightClicked);

    menu.chooseGroup(1);
    QCOMPARE(groups.count(), 1);
    QCOMPARE(groups.takeFirst(), QVariantList{1});
    QCOMPARE(menu.currentGroup(), 1);
    QCOMPARE(menu.currentItem(), -1);
    QVERIFY(isOpen(menu, 1));
    QCOMPARE(openGroups(menu), 1);
    QVERIFY(headerOf(menu, 1)->isChecked());

    menu.chooseItem(0, 2);
    QCOMPARE(items.count(), 1);
    QCOMPARE(items.takeFirst(), (QVariantList{0, 2}));
    QCOMPARE(groups.count(), 0);
    QCOMPARE(menu.currentGroup(), 0);
    QCOMPARE(menu.currentItem(), 2);
    // Choosing an item rolls its group open and the other one closed.
    QVERIFY(isOpen(menu, 0));
    QVERIFY(!isOpen(menu, 1));
    QCOMPARE(openGroups(menu), 1);
    QVERIFY(!headerOf(menu, 1)->isChecked());
    QCOMPARE(selectedRows(listOf(menu, 0)), QList<int>{2});

    // An item of another group takes the selection away from the first list.
    menu.chooseItem(1, 0);
    QCOMPARE(items.takeFirst(), (QVariantList{1, 0}));
    QCOMPARE(selectedRows(listOf(menu, 1)), QList<int>{0});
    QVERIFY(selectedRows(listOf(menu, 0)).isEmpty());
    QCOMPARE(openGroups(menu), 1);

    // Choosing a group forgets the chosen item and its selection.
    menu.chooseGroup(2);
    QCOMPARE(groups.takeFirst(), QVariantList{2});
    QCOMPARE(menu.currentGroup(), 2);
    QCOMPARE(menu.currentItem(), -1);
    QVERIFY(selectedRows(listOf(menu, 1)).isEmpty());
    QVERIFY(isOpen(menu, 2));
    QCOMPARE(openGroups(menu), 1);

    // Choosing the open group again keeps it open and still raises the event.
    menu.chooseGroup(2);
    QCOMPARE(groups.takeFirst(), QVariantList{2});
    QVERIFY(isOpen(menu, 2));

    // Invalid gestures are ignored.
    menu.chooseGroup(3);
    menu.chooseGroup(-1);
    menu.chooseItem(0, 3);
    menu.chooseItem(0, -1);
    menu.chooseItem(7, 0);
    menu.rightClickGroup(3);
    menu.rightClickGroup(-2);
    QCOMPARE(groups.count(), 0);
    QCOMPARE(items.count(), 0);
    QCOMPARE(rightClicks.count(), 0);
    QCOMPARE(menu.currentGroup(), 2);
    QCOMPARE(menu.currentItem(), -1);

    // A right click only raises its event.
    menu.rightClickGroup(0);
    QCOMPARE(rightClicks.count(), 1);
    QCOMPARE(rightClicks.takeFirst(), QVariantList{0});
    QCOMPARE(menu.currentGroup(), 2);
    QVERIFY(isOpen(menu, 2));
    QVERIFY(!isOpen(menu, 0));
}

void RollUpMenuTest::settingTheCurrentPlaceRaisesNothing()
{
    RollUpMenu menu;
    fillTools(menu);
    QSignalSpy groups(&menu, &RollUpMenu::groupChosen);
    QSignalSpy items(&menu, &RollUpMenu::itemChosen);

    menu.setCurrentItem(1, 1);
    QCOMPARE(menu.currentGroup(), 1);
    QCOMPARE(menu.currentItem(), 1);
    QVERIFY(isOpen(menu, 1));
    QCOMPARE(selectedRows(listOf(menu, 1)), QList<int>{1});

    menu.setCurrentGroup(0);
    QCOMPARE(menu.currentGroup(), 0);
    QCOMPARE(menu.currentItem(), -1);
    QVERIFY(isOpen(menu, 0));
    QVERIFY(!isOpen(menu, 1));
    QVERIFY(selectedRows(listOf(menu, 1)).isEmpty());

    // An item out of range changes nothing.
    menu.setCurrentItem(0, 3);
    QCOMPARE(menu.currentGroup(), 0);
    QCOMPARE(menu.currentItem(), -1);

    menu.setCurrentItem(2, 0);
    QCOMPARE(menu.currentGroup(), 2);
    QCOMPARE(menu.currentItem(), 0);

    // No group at all clears the current place.
    menu.setCurrentGroup(-1);
    QCOMPARE(menu.currentGroup(), -1);
    QCOMPARE(menu.currentItem(), -1);
    QCOMPARE(openGroups(menu), 0);
    QVERIFY(selectedRows(listOf(menu, 2)).isEmpty());

    QCOMPARE(groups.count(), 0);
    QCOMPARE(items.count(), 0);
}

void RollUpMenuTest::mouseAndKeyboard()
{
    RollUpMenu menu;
    fillTools(menu);
    menu.resize(300, 400);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QSignalSpy groups(&menu, &RollUpMenu::groupChosen);
    QSignalSpy items(&menu, &RollUpMenu::itemChosen);
    QSignalSpy rightClicks(&menu, &RollUpMenu::groupRightClicked);

    // A left click on a header chooses the group and rolls it open.
    QTest::mouseClick(headerOf(menu, 1), Qt::LeftButton);
    QCOMPARE(groups.count(), 1);
    QCOMPARE(groups.takeFirst(), QVariantList{1});
    QCOMPARE(menu.currentGroup(), 1);
    QVERIFY(isOpen(menu, 1));
    QListView *list = listOf(menu, 1);
    QTRY_VERIFY(list->isVisible() && list->height() == 2 * menu.itemHeight());

    // A left click on an item line chooses the item.
    QRect line = list->visualRect(list->model()->index(1, 0));
    QVERIFY(list->viewport()->rect().contains(line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
    QCOMPARE(items.count(), 1);
    QCOMPARE(items.takeFirst(), (QVariantList{1, 1}));
    QCOMPARE(menu.currentItem(), 1);
    QCOMPARE(selectedRows(list), QList<int>{1});

    // A right click on a line chooses nothing.
    line = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, line.center());
    QCOMPARE(items.count(), 0);
    QCOMPARE(menu.currentItem(), 1);

    // A right click on a header raises its event and changes nothing.
    QTest::mouseClick(headerOf(menu, 2), Qt::RightButton);
    QCOMPARE(rightClicks.count(), 1);
    QCOMPARE(rightClicks.takeFirst(), QVariantList{2});
    QCOMPARE(groups.count(), 0);
    QCOMPARE(menu.currentGroup(), 1);
    QVERIFY(!isOpen(menu, 2));

    // Return on a focused item list chooses its current line.
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(items.count(), 1);
    QCOMPARE(items.takeFirst(), (QVariantList{1, 0}));
    QCOMPARE(menu.currentItem(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(items.count(), 0);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(items.count(), 1);
    QCOMPARE(items.takeFirst(), (QVariantList{1, 1}));

    // Space and Return on a header choose the group.
    QTest::keyClick(headerOf(menu, 0), Qt::Key_Space);
    QCOMPARE(groups.count(), 1);
    QCOMPARE(groups.takeFirst(), QVariantList{0});
    QVERIFY(isOpen(menu, 0));
    QVERIFY(!isOpen(menu, 1));
    QTest::keyClick(headerOf(menu, 2), Qt::Key_Return);
    QCOMPARE(groups.count(), 1);
    QCOMPARE(groups.takeFirst(), QVariantList{2});
    QCOMPARE(menu.currentGroup(), 2);

    // The menu key and Shift+F10 on a header ask for the group's menu, once each.
    QTest::keyClick(headerOf(menu, 0), Qt::Key_Menu);
    QTest::keyClick(headerOf(menu, 1), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(rightClicks.count(), 2);
    QCOMPARE(rightClicks.at(0), QVariantList{0});
    QCOMPARE(rightClicks.at(1), QVariantList{1});
    QCOMPARE(menu.currentGroup(), 2);
    QCOMPARE(groups.count(), 0);
    QCOMPARE(items.count(), 0);
}

void RollUpMenuTest::hidingAndShowingGroups()
{
    RollUpMenu menu;
    fillTools(menu);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QSignalSpy groups(&menu, &RollUpMenu::groupChosen);
    QSignalSpy items(&menu, &RollUpMenu::itemChosen);

    menu.setCurrentItem(1, 1);
    QVERIFY(!menu.hideGroup(3));
    QVERIFY(!menu.hideGroup(-1));

    // Hiding a group that is not current leaves the current place alone.
    QVERIFY(menu.hideGroup(0));
    QVERIFY(menu.isGroupHidden(0));
    QVERIFY(!headerOf(menu, 0)->isVisible());
    QVERIFY(!listOf(menu, 0)->isVisible());
    QCOMPARE(menu.currentGroup(), 1);
    QCOMPARE(menu.currentItem(), 1);
    QVERIFY(!menu.hideGroup(0));

    // A hidden group cannot be chosen.
    menu.chooseGroup(0);
    menu.chooseItem(0, 0);
    QCOMPARE(menu.currentGroup(), 1);
    QCOMPARE(groups.count(), 0);
    QCOMPARE(items.count(), 0);

    // Hiding the current group makes the first shown group current and open.
    QVERIFY(menu.hideGroup(1));
    QVERIFY(menu.isGroupHidden(1));
    QCOMPARE(menu.currentGroup(), 2);
    QCOMPARE(menu.currentItem(), -1);
    QVERIFY(isOpen(menu, 2));
    QVERIFY(!isOpen(menu, 1));
    QVERIFY(!listOf(menu, 1)->isVisible());
    QCOMPARE(groups.count(), 0);

    // The last shown group stays.
    QVERIFY(!menu.hideGroup(2));
    QVERIFY(!menu.isGroupHidden(2));
    QVERIFY(headerOf(menu, 2)->isVisible());

    menu.showGroup(0);
    QVERIFY(!menu.isGroupHidden(0));
    QVERIFY(headerOf(menu, 0)->isVisible());
    QVERIFY(!isOpen(menu, 0));
    QCOMPARE(menu.currentGroup(), 2);
    menu.showGroup(0);
    QVERIFY(!menu.isGroupHidden(0));
    QVERIFY(menu.isGroupHidden(1));

    // With another group shown again, the former last one can go.
    QVERIFY(menu.hideGroup(2));
    QCOMPARE(menu.currentGroup(), 0);
    QVERIFY(isOpen(menu, 0));
    menu.chooseItem(0, 2);
    QCOMPARE(items.takeFirst(), (QVariantList{0, 2}));
}

void RollUpMenuTest::lookAndLineHeight()
{
    RollUpMenu menu;
    fillTools(menu);
    menu.resize(300, 400);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    QCOMPARE(menu.itemHeight(), 25);
    menu.setItemHeight(32);
    QCOMPARE(menu.itemHeight(), 32);
    menu.setItemHeight(0);
    QCOMPARE(menu.itemHeight(), 25);
    menu.setItemHeight(-4);
    QCOMPARE(menu.itemHeight(), 25);

    menu.setScrollSpeed(0);
    QCOMPARE(menu.scrollSpeed(), 0);
    menu.setScrollSpeed(300);
    QCOMPARE(menu.scrollSpeed(), 300);

    const QColor background(0x20, 0x30, 0x40);
    const QColor text(0xf0, 0xe0, 0xd0);
    menu.setBackgroundColour(background);
    menu.setTextColour(text);
    menu.setSelectedColour(QColor(0x00, 0x00, 0x80));

    // The colours reach the lists at once, with readable selected text.
    QListView *list = listOf(menu, 0);
    QCOMPARE(list->palette().color(QPalette::Base), background);
    QCOMPARE(list->palette().color(QPalette::Text), text);
    QCOMPARE(list->palette().color(QPalette::Highlight), QColor(0x00, 0x00, 0x80));
    QCOMPARE(list->palette().color(QPalette::HighlightedText), QColor(Qt::white));
    QCOMPARE(headerOf(menu, 0)->palette().color(QPalette::ButtonText), text);
    menu.setSelectedColour(QColor(0xff, 0xee, 0x88));
    QCOMPARE(list->palette().color(QPalette::Highlight), QColor(0xff, 0xee, 0x88));
    QCOMPARE(list->palette().color(QPalette::HighlightedText), QColor(Qt::black));

    // Every line, header or item, is one item height tall, and the open list
    // shows all its lines.
    menu.setItemHeight(30);
    menu.chooseGroup(0);
    QCOMPARE(list->sizeHintForRow(0), 30);
    QCOMPARE(list->visualRect(list->model()->index(2, 0)).height(), 30);
    QTRY_COMPARE(headerOf(menu, 0)->height(), 30);
    QTRY_COMPARE(list->height(), 3 * 30);
    QCOMPARE(list->verticalScrollBar()->maximum(), 0);

    // Changing the height re-lays the open list at once.
    menu.setItemHeight(41);
    QCOMPARE(list->visualRect(list->model()->index(1, 0)).height(), 41);
    QCOMPARE(list->visualRect(list->model()->index(1, 0)).top(), 41);
    QTRY_COMPARE(list->height(), 3 * 41);
    QTRY_COMPARE(headerOf(menu, 1)->height(), 41);

    // A line added to the open group makes its list grow; closed lists take no room.
    menu.addItem(0, QStringLiteral("锤子"));
    QTRY_COMPARE(list->height(), 4 * 41);
    QVERIFY(!listOf(menu, 1)->isVisible());
    QCOMPARE(headerOf(menu, 1)->y(), headerOf(menu, 0)->height() + list->height());
}

void RollUpMenuTest::manyGroupsLoadAndScrollIntoView()
{
    RollUpMenu menu;
    menu.resize(240, 300);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    for (int group = 0; group < 300; ++group) {
        const int index = menu.addGroup(QStringLiteral("品类%1").arg(group));
        for (int item = 0; item < 12; ++item) {
            menu.addItem(index, QStringLiteral("物品%1-%2").arg(group).arg(item));
        }
    }
    QCoreApplication::processEvents();
    QCOMPARE(menu.groupCount(), 300);
    QCOMPARE(menu.itemCount(299), 12);
    QCOMPARE(menu.itemText(150, 7), QStringLiteral("物品150-7"));

    // Making a far item current scrolls the menu so that its line is seen.
    auto *scrollArea = menu.findChild<QScrollArea *>();
    QVERIFY(scrollArea);
    QCOMPARE(scrollArea->verticalScrollBar()->value(), 0);
    menu.setCurrentItem(250, 11);
    QListView *list = listOf(menu, 250);
    QVERIFY(list->isVisible());
    QTRY_VERIFY(scrollArea->verticalScrollBar()->value() > 0);
    const QRect line = list->visualRect(list->model()->index(11, 0));
    const QRect seen(list->viewport()->mapTo(scrollArea->viewport(), line.topLeft()), line.size());
    QVERIFY2(scrollArea->viewport()->rect().contains(seen),
             qPrintable(QStringLiteral("%1,%2").arg(seen.top()).arg(seen.bottom())));

    // Arrow keys in a focused list keep the menu scrolled to the keyboard's line.
    menu.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    menu.setCurrentItem(250, 0);
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    scrollArea->verticalScrollBar()->setValue(0);
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentIndex().row(), 11);
    QVERIFY(scrollArea->verticalScrollBar()->value() > 0);
    const QRect last = list->visualRect(list->currentIndex());
    const QRect lastSeen(list->viewport()->mapTo(scrollArea->viewport(), last.topLeft()),
                         last.size());
    QVERIFY(scrollArea->viewport()->rect().contains(lastSeen));

    menu.clear();
    QCOMPARE(menu.groupCount(), 0);
    QCOMPARE(menu.currentGroup(), -1);
}

QTEST_MAIN(RollUpMenuTest)
#include "tst_rollupmenu.moc"
