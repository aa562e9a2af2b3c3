#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kucun {

template <typename Page> struct PageContext;
class BackupPanel;
class ListView;
class LookPanel;
class PasswordPanel;
class RollUpMenu;

// The page "项目设置": the catalogue's upkeep, with the password, look and
// backup panels beside it. It holds the controls; the handlers fill them.
class MaintenancePage : public QWidget
{
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
    QPushButton *按钮添加型号 = nullptr;
    QPushButton *按钮修改型号 = nullptr;
    QPushButton *按钮删除型号 = nullptr;
    QPushButton *按钮删除名称 = nullptr;
    QPushButton *按钮删除品类 = nullptr;

    PasswordPanel *password = nullptr;
    LookPanel *look = nullptr;
    BackupPanel *backup = nullptr;

private:
    QWidget *buildCatalogueColumn();
};

using MaintenanceContext = PageContext<MaintenancePage>;

// Connects the page's controls, and those of its panels, to their handlers.
void connectMaintenancePage(const MaintenanceContext &context);

} // namespace kucun
