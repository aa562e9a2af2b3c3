#include "BackupPanel.h"

#include "app/FormParts.h"
#include "ui/ListModel.h"
#include "ui/ListView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kucun {

BackupPanel::BackupPanel() : QGroupBox(QStringLiteral("数据备份"))
{
    auto *layout = new QVBoxLayout(this);
    标签上次备份 = makeTitleLabel(QStringLiteral("标签上次备份"));
    标签上次备份->setWordWrap(true);
    layout->addWidget(标签上次备份);
    // A line of its own, shown only while the backups share the tables' disk.
    标签备份磁盘 = makeValueLabel(QStringLiteral("标签备份磁盘"), {});
    标签备份磁盘->setWordWrap(true);
    标签备份磁盘->hide();
    layout->addWidget(标签备份磁盘);
    列表框备份 =
        makeList(QStringLiteral("列表框备份"), QStringLiteral("备份列表"),
                 {QStringLiteral("备份时间"), QStringLiteral("类型"), QStringLiteral("型号数"),
                  QStringLiteral("明细条数"), QStringLiteral("总库存")},
                 {120, 50, 50, 70});
    // The list shows backups by their time, not by a row number.
    列表框备份->list().setNumbered(false);
    列表框备份->setMinimumHeight(120);
    layout->addWidget(列表框备份);
    auto *buttons = new QHBoxLayout;
    按钮立即备份 = makeButton(QStringLiteral("按钮立即备份"), QStringLiteral("立即备份"));
    按钮备份位置 = makeButton(QStringLiteral("按钮备份位置"), QStringLiteral("备份位置…"));
    按钮恢复备份 = makeButton(QStringLiteral("按钮恢复备份"), QStringLiteral("恢复备份…"));
    buttons->addWidget(按钮立即备份);
    buttons->addWidget(按钮备份位置);
    buttons->addWidget(按钮恢复备份);
    layout->addLayout(buttons);
}

} // namespace kucun
