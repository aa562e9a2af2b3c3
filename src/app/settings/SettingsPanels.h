#pragma once

#include "book/settings/Settings.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kucun {

template <typename Page> struct PageContext;
class ColourPicker;

// The panel "密码设置": the password and the pages it guards.
class PasswordPanel : public QGroupBox
{
public:
    PasswordPanel();

    QRadioButton *单选框启用密码 = nullptr;
    QRadioButton *单选框禁用密码 = nullptr;
    QLineEdit *编辑框密码 = nullptr;
    QLineEdit *编辑框确认密码 = nullptr;
    QCheckBox *选择框登录密码 = nullptr;
    QCheckBox *选择框日志密码 = nullptr;
    QCheckBox *选择框库存密码 = nullptr;
    QPushButton *按钮保存 = nullptr;
    QPushButton *按钮出厂 = nullptr;
};

// The panel "软件设置": the look of both roll-up menus, tried at once and
// saved on demand.
class LookPanel : public QGroupBox
{
    Q_OBJECT

public:
    LookPanel();

    QComboBox *组合框菜单高度 = nullptr;
    QComboBox *组合框菜单速度 = nullptr;
    ColourPicker *颜色选择器背景颜色 = nullptr;
    ColourPicker *颜色选择器文本颜色 = nullptr;
    ColourPicker *颜色选择器文本选中颜色 = nullptr;
    QPushButton *按钮保存全部设置 = nullptr;

    // The look both menus show: as loaded, with each value tried since.
    MenuLook shown;

signals:
    // Both menus are to show this look.
    void menuLookChanged(const kucun::MenuLook &look);
};

using PasswordContext = PageContext<PasswordPanel>;
using LookContext = PageContext<LookPanel>;

} // namespace kucun
