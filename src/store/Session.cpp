#include "Session.h"

namespace kucun::sql {

QString Rows::textAt(int column) const
{
    if (isNullAt(column)) {
        return {};
    }
    const std::string_view utf8 = utf8At(column);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace kucun::sql
