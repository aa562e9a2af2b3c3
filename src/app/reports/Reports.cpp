#include "Reports.h"

#include "app/Form.h"

namespace kucun {

ListView *reportList(const Form &form, Report report)
{
    switch (report) {
    case Report::WholeStock:
        return form.超级列表框总库存;
    case Report::ByCategory:
        return form.超级列表框类库存;
    case Report::Monthly:
        return form.超级列表框月库存;
    }
    return nullptr;
}

QLabel *reportTotal(const Form &form, Report report)
{
    switch (report) {
    case Report::WholeStock:
        return form.标签合计库存;
    case Report::ByCategory:
        return form.标签合计库存2;
    case Report::Monthly:
        return form.标签合计月库存;
    }
    return nullptr;
}

} // namespace kucun
