#include "LogHandlers.h"
#include "app/AppContext.h"

#include <QLineEdit>
#include <QPushButton>

namespace kucun {

void connectLogPage(const LogContext &context)
{
    LogPage &page = context.page;
    const auto search = [&context](LogSearch kind) {
        return slotOf(context, [kind](LogContext &log) { searchLog(log, kind); });
    };
    QObject::connect(page.按钮模糊搜索, &QPushButton::clicked, &page, search(LogSearch::Keyword));
    QObject::connect(page.编辑框关键字, &QLineEdit::returnPressed, &page,
                     search(LogSearch::Keyword));
    QObject::connect(page.按钮日期搜索, &QPushButton::clicked, &page, search(LogSearch::DateRange));
    QObject::connect(page.按钮删除选中, &QPushButton::clicked, &page,
                     slotOf(context, deleteSelectedLogEntries));
}

} // namespace kucun
