#include "WelcomeDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kucun {

namespace {

QPushButton *makeButton(const QString &name, const QString &text)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

WelcomeDialog::WelcomeDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("窗口欢迎"));
    setWindowTitle(QStringLiteral("欢迎使用库存管理"));
    auto *text = new QLabel(
        QStringLiteral("<p>账本按 <b>品类 → 名称 → 型号</b> 三级整理货品，"
                       "例如 五金工具 → 扳手 → 10寸。</p>"
                       "<p>货品在 <b>项目设置</b> 页的“项目维护”中添加；"
                       "之后在 <b>进销库存</b> 页选择型号，登记入库和出库。</p>"
                       "<p>程序每天第一次启动时自动备份，备份最好放在U盘或另一块磁盘上。</p>"));
    text->setWordWrap(true);
    按钮示例数据 = makeButton(QStringLiteral("按钮示例数据"), QStringLiteral("先用示例数据试一试"));
    按钮开始使用 = makeButton(QStringLiteral("按钮开始使用"), QStringLiteral("开始使用"));
    按钮备份位置首次 =
        makeButton(QStringLiteral("按钮备份位置首次"), QStringLiteral("选择备份位置…"));
    按钮开始使用->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(按钮示例数据);
    buttons->addWidget(按钮备份位置首次);
    buttons->addStretch();
    buttons->addWidget(按钮开始使用);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

} // namespace kucun
