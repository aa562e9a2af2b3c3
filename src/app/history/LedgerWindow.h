#pragma once

#include "book/catalogue/ModelKey.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;

namespace kucun {

template <typename Page> struct PageContext;
class FormPreview;
class ListView;

// The window 窗口台账: the movements of one model with the stock after each.
// It holds the controls and the model shown; the handlers fill it. Escape
// closes it, as any dialog.
class LedgerWindow : public QDialog
{
    Q_OBJECT

public:
    explicit LedgerWindow(QWidget *parent = nullptr);

    // Shows the ledger of this model, named with its unit above the list,
    // from now on, over its whole history.
    void setModel(const ModelKey &model, const QString &unit);
    const ModelKey &model() const { return m_model; }
    // True until the user narrows the dates: the range then follows new
    // movements at either end.
    bool showsWholeHistory() const { return m_wholeHistory; }
    // Sets both date boxes without counting it as the user's choice.
    void setRange(const QDate &from, const QDate &to);

    QLabel *标签台账型号 = nullptr;
    QLabel *标签台账期初 = nullptr;
    QDateEdit *日期框台账起 = nullptr;
    QDateEdit *日期框台账止 = nullptr;
    ListView *超级列表框台账 = nullptr;
    QPushButton *按钮导出台账 = nullptr;
    QPushButton *按钮另存台账 = nullptr;
    QPushButton *按钮打印台账 = nullptr;

signals:
    // The user changed a date box.
    void rangeChosen();

private:
    ModelKey m_model;
    bool m_wholeHistory = true;
};

using LedgerContext = PageContext<LedgerWindow>;

// Connects the window's controls to their handlers; 按钮打印台账 shows its
// form in the preview.
void connectLedgerWindow(const LedgerContext &context, FormPreview &preview);

} // namespace kucun
