#pragma once

#include <QDialog>

class QPushButton;

namespace kucun {

// 窗口欢迎: greets the owner of a new book with how the book is organised and
// where goods are added, and offers the first steps.
class WelcomeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WelcomeDialog(QWidget *parent);

    QPushButton *按钮示例数据 = nullptr;
    QPushButton *按钮开始使用 = nullptr;
    QPushButton *按钮备份位置首次 = nullptr;
};

} // namespace kucun
