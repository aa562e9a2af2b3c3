#pragma once

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace kucun {

class ColourPicker;
class LedgerWindow;
class StocktakeWindow;
class ListView;
class RollUpMenu;

// The named controls of the main window, as the handlers reach them. Each
// control's objectName is its member name.
struct Form
{
    QTabWidget *高级选择夹1 = nullptr;

    // Page 0 "进销库存": booking stock in and out.
    RollUpMenu *卷帘式菜单1 = nullptr;
    QPushButton *按钮显示菜单 = nullptr;
    QLabel *标签进销名称 = nullptr;
    ListView *超级列表框进销 = nullptr;
    QPushButton *按钮台账 = nullptr;
    // The window of one model's movements, opened from the model lists.
    LedgerWindow *窗口台账 = nullptr;
    QPushButton *按钮盘点 = nullptr;
    // The count sheet of a stocktake.
    StocktakeWindow *窗口盘点 = nullptr;
    QLineEdit *编辑框_关键字 = nullptr;
    QPushButton *按钮5 = nullptr;
    QLabel *标签进销型号 = nullptr;
    QLineEdit *编辑框入库 = nullptr;
    QPushButton *按钮入库 = nullptr;
    QLineEdit *编辑框出库 = nullptr;
    QPushButton *按钮出库 = nullptr;
    QLineEdit *编辑框明细备注 = nullptr;
    QDateEdit *日期框进销 = nullptr;
    ListView *超级列表框日志 = nullptr;
    QLabel *标签入库合计 = nullptr;
    QLabel *标签出库合计 = nullptr;

    // Page 1 "日志查询": the movement log.
    QLineEdit *编辑框关键字 = nullptr;
    QPushButton *按钮模糊搜索 = nullptr;
    QDateEdit *日期框明细起 = nullptr;
    QDateEdit *日期框明细止 = nullptr;
    QPushButton *按钮日期搜索 = nullptr;
    ListView *超级列表框明细 = nullptr;
    QLabel *标签明细入库合计 = nullptr;
    QLabel *标签明细出库合计 = nullptr;
    QLabel *透明标签日志总数 = nullptr;
    QPushButton *按钮删除选中 = nullptr;

    // Page 2 "库存报表": whole-stock, per-category, monthly and past-day lists, each on
    // a tab of its own.
    QTabWidget *报表选择夹 = nullptr;
    ListView *超级列表框总库存 = nullptr;
    QLabel *标签合计库存 = nullptr;
    QPushButton *按钮导出总库存 = nullptr;
    QPushButton *按钮另存总库存 = nullptr;
    QPushButton *按钮打印总表单 = nullptr;
    QComboBox *组合框1 = nullptr;
    QComboBox *组合框2 = nullptr;
    QComboBox *组合框3 = nullptr;
    ListView *超级列表框类库存 = nullptr;
    QLabel *标签合计库存2 = nullptr;
    QPushButton *按钮导出类库存 = nullptr;
    QPushButton *按钮另存类库存 = nullptr;
    QPushButton *按钮打印类表单 = nullptr;
    QCalendarWidget *月历1 = nullptr;
    ListView *超级列表框月库存 = nullptr;
    QLabel *标签合计月库存 = nullptr;
    QPushButton *按钮导出月库存 = nullptr;
    QPushButton *按钮另存月库存 = nullptr;
    QPushButton *按钮打印月表单 = nullptr;
    QDateEdit *日期框期末 = nullptr;
    ListView *超级列表框期末库存 = nullptr;
    QLabel *标签合计期末库存 = nullptr;
    QPushButton *按钮导出期末库存 = nullptr;
    QPushButton *按钮另存期末库存 = nullptr;
    QPushButton *按钮打印期末表单 = nullptr;

    // Page 3 "项目设置": catalogue maintenance and settings.
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
};

} // namespace kucun
