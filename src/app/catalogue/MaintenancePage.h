#pragma once

#include "book/settings/Settings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kucun {

template <typename Page> struct PageContext;
class ColourPicker;
class FormPreview;
class ListView;
class RollUpMenu;

// The page "项目设置": the catalogue's upkeep, and the password, look and
// backup settings beside it. It holds the controls and the look the menus
// show; the handlers fill them.
class MaintenancePage : public QWidget
{
    Q_OBJECT

public:
    explicit MaintenancePage(QWidget *parent = nullptr);

    RollUpMenu *卷帘式菜单2 = nullptr;
    QLabel *标签设置名称 = nullptr;
    ListView *超级列表框设置 = nullptr;
    QLineEdit *编辑框品类 = nullptr;
    QPushButton *按钮添加品类 = nullptr;
    QComboBox *组合框品类 = nullptr;
    QLineEdit *编辑框名称 = nullptr;
    QPushButton *按钮添加名称 = nullptr;
    QLineEdit *编辑框型号 = nullptr;
    QLineEdit *编辑框单位 = nullptr;
    QLineEdit *编辑框型号备注 = nullptr;
    QLineEdit *编辑框进价 = nullptr;
    QLineEdit *编辑框售价 = nullptr;
    QLineEdit *编辑框条码 = nullptr;
    QLineEdit *编辑框最低库存 = nullptr;
    QLineEdit *编辑框补货至 = nullptr;
    QPushButton *按钮打印条码 = nullptr;
    QPushButton *按钮添加型号 = nullptr;
    QPushButton *按钮修改型号 = nullptr;
    QPushButton *按钮删除型号 = nullptr;
    QPushButton *按钮删除名称 = nullptr;
    QPushButton *按钮删除品类 = nullptr;

    QRadioButton *单选框启用密码 = nullptr;
    QRadioButton *单选框禁用密码 = nullptr;
    QLineEdit *编辑框密码 = nullptr;
    QLineEdit *编辑框确认密码 = nullptr;
    QCheckBox *选择框登录密码 = nullptr;
    QCheckBox *选择框日志密码 = nullptr;
    QCheckBox *选择框库存密码 = nullptr;
    QPushButton *按钮保存 = nullptr;
    QPushButton *按钮出厂 = nullptr;

    QComboBox *组合框菜单高度 = nullptr;
    QComboBox *组合框菜单速度 = nullptr;
    ColourPicker *颜色选择器背景颜色 = nullptr;
    ColourPicker *颜色选择器文本颜色 = nullptr;
    ColourPicker *颜色选择器文本选中颜色 = nullptr;
    QPushButton *按钮保存全部设置 = nullptr;

    QPushButton *按钮立即备份 = nullptr;
    QPushButton *按钮备份位置 = nullptr;
    QPushButton *按钮恢复备份 = nullptr;
    QLabel *标签上次备份 = nullptr;
    QLabel *标签备份磁盘 = nullptr;
    ListView *列表框备份 = nullptr;

    // The look both menus show: as loaded, with each value tried since.
    MenuLook shownLook;

signals:
    // Both menus are to show this look.
    void menuLookChanged(const kucun::MenuLook &look);

private:
    QWidget *buildCatalogueColumn();
    QGroupBox *buildPasswordBox();
    QGroupBox *buildLookBox();
    QGroupBox *buildBackupBox();
};

using MaintenanceContext = PageContext<MaintenancePage>;

// Connects the page's controls to their handlers; the labels show in the preview.
void connectMaintenancePage(const MaintenanceContext &context, FormPreview &preview);

} // namespace kucun
