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

QString Session::qualifiedName(const QString &alias, const QString &table) const
{
    const auto quoted = [](QString name) {
        return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
               QLatin1Char('"');
    };
    return quoted(alias) + QLatin1Char('.') + quoted(table);
}

} // namespace kucun::sql
