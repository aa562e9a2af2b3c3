#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;

namespace kucun {

template <typename Page> struct PageContext;
class ListView;

// The panel "数据备份": the backups, and making and restoring one.
class BackupPanel : public QGroupBox
{
public:
    BackupPanel();

    QPushButton *按钮立即备份 = nullptr;
    QPushButton *按钮备份位置 = nullptr;
    QPushButton *按钮恢复备份 = nullptr;
    QLabel *标签上次备份 = nullptr;
    QLabel *标签备份磁盘 = nullptr;
    ListView *列表框备份 = nullptr;
};

using BackupContext = PageContext<BackupPanel>;

} // namespace kucun
