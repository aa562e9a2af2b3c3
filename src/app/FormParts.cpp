#include "FormParts.h"

#include "ui/ListModel.h"
#include "ui/ListView.h"
#include "ui/WindowsColour.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace kucun {

void nameControl(QWidget *control, const QString &designerName, const QString &spokenName)
{
    control->setObjectName(designerName);
    control->setAccessibleDescription(designerName);
    if (!spokenName.isEmpty()) {
        control->setAccessibleName(spokenName);
    }
}

QLineEdit *makeEdit(const QString &designerName, const QString &spokenName)
{
    auto *edit = new QLineEdit;
    // A text is stored whole; a line edit would cut it at 32,767 characters.
    edit->setMaxLength(std::numeric_limits<int>::max());
    nameControl(edit, designerName, spokenName);
    return edit;
}

QPushButton *makeButton(const QString &designerName, const QString &caption)
{
    auto *button = new QPushButton(caption);
    // In a dialog Enter would press the first such button: an export, a
    // deletion or a booking must only ever be pressed on purpose.
    button->setAutoDefault(false);
    nameControl(button, designerName, caption);
    return button;
}

QComboBox *makeCombo(const QString &designerName, const QString &spokenName)
{
    auto *combo = new QComboBox;
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    nameControl(combo, designerName, spokenName);
    return combo;
}

namespace {

// A date box that Tab leaves, as every other box does; the arrow keys move
// between year, month and day.
class DateBox : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

} // namespace

QDateEdit *makeDateBox(const QString &designerName, const QString &spokenName)
{
    auto *box = new DateBox(QDate::currentDate());
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    // Every day the log compares, not only those since 1752.
    box->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    nameControl(box, designerName, spokenName);
    return box;
}

QLabel *makeValueLabel(const QString &designerName, const QString &text)
{
    auto *label = new QLabel(text);
    // Stored texts are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    nameControl(label, designerName, QString());
    return label;
}

QLabel *makeTitleLabel(const QString &designerName)
{
    QLabel *label = makeValueLabel(designerName, {});
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

ListView *makeList(const QString &designerName, const QString &spokenName,
                   const QStringList &columnTitles, const QList<int> &columnWidths)
{
    auto *rows = new ListModel(columnTitles);
    rows->setNumbered(true);
    return makeList(designerName, spokenName, rows, columnWidths);
}

ListView *makeList(const QString &designerName, const QString &spokenName, RowModel *rows,
                   const QList<int> &columnWidths)
{
    auto *list = new ListView(rows);
    list->setColumnWidths(columnWidths);
    nameControl(list, designerName, spokenName);
    return list;
}

QLabel *makeCaption(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void addLabelled(QHBoxLayout *row, const QString &caption, QWidget *control)
{
    row->addWidget(makeCaption(caption, control));
    row->addWidget(control);
}

void setBackground(QWidget *control, int windowsColour)
{
    QPalette palette = control->palette();
    const QColor colour = fromWindowsColour(windowsColour);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Disabled, QPalette::Base, colour);
    control->setPalette(palette);
}

} // namespace kucun
