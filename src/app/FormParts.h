#pragma once

#include <QString>

class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kucun {

class ListView;
class RowModel;

// Gives a control its designer name as object name and accessible
// description, and a name a screen reader speaks.
void nameControl(QWidget *control, const QString &designerName, const QString &spokenName);

QLineEdit *makeEdit(const QString &designerName, const QString &spokenName);
// A button that Enter in a dialog never presses unless it has the focus.
QPushButton *makeButton(const QString &designerName, const QString &caption);
// A check box or radio button whose caption is also its spoken name.
template <typename Choice> Choice *makeChoice(const QString &designerName, const QString &caption)
{
    auto *choice = new Choice(caption);
    nameControl(choice, designerName, caption);
    return choice;
}
QComboBox *makeCombo(const QString &designerName, const QString &spokenName);
// A date box showing today, with a calendar drop-down.
QDateEdit *makeDateBox(const QString &designerName, const QString &spokenName);
// A bold label that names what a page shows, such as the chosen item.
QLabel *makeTitleLabel(const QString &designerName);
// A label that shows a value, such as a total. A screen reader speaks the
// value it shows; the caption beside it names it (makeCaption).
QLabel *makeValueLabel(const QString &designerName, const QString &text);
// A numbered list that holds its rows.
ListView *makeList(const QString &designerName, const QString &spokenName,
                   const QStringList &columnTitles, const QList<int> &columnWidths);
// A numbered list over rows given in pages by a row model.
ListView *makeList(const QString &designerName, const QString &spokenName, RowModel *rows,
                   const QList<int> &columnWidths);
// A caption label bound to the control it describes.
QLabel *makeCaption(const QString &text, QWidget *buddy);
// Adds "caption control" to a row.
void addLabelled(QHBoxLayout *row, const QString &caption, QWidget *control);
// Paints the background of an edit box with a Windows colour value (0x00BBGGRR).
void setBackground(QWidget *control, int windowsColour);
} // namespace kucun
