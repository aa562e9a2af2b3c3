#include "TableSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace kucun {

QString declaredType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return QStringLiteral("TEXT");
    case FieldKind::Number:
        return QStringLiteral("REAL");
    case FieldKind::Integer:
        return QStringLiteral("INTEGER");
    case FieldKind::Logical:
        return QStringLiteral("BOOLEAN");
    case FieldKind::DateTime:
        return QStringLiteral("DATETIME");
    case FieldKind::Unknown:
        break;
    }
    return QStringLiteral("BLOB");
}

FieldKind kindOfDeclaredType(const QString &declared)
{
    const QString type = declared.toUpper();
    const auto has = [&type](const char *part) { return type.contains(QLatin1String(part)); };
    if (has("BOOL")) {
        return FieldKind::Logical;
    }
    if (has("DATE") || has("TIME")) {
        return FieldKind::DateTime;
    }
    if (has("CHAR") || has("CLOB") || has("TEXT")) {
        return FieldKind::Text;
    }
    if (has("INT")) {
        return FieldKind::Integer;
    }
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC")) {
        return FieldKind::Number;
    }
    return FieldKind::Unknown;
}

bool isNumericKind(FieldKind kind)
{
    return kind == FieldKind::Number || kind == FieldKind::Integer;
}

QString tablePassword()
{
    return QStringLiteral("604213");
}

namespace tables {

QString fileNameOf(const QString &tableName)
{
    if (!QFileInfo(tableName).suffix().isEmpty()) {
        return tableName;
    }
    return tableName + QStringLiteral(".edb");
}

QString settingsPath(const QString &programDir)
{
    return QDir(programDir).filePath(fileNameOf(设置));
}

const FieldList &fieldsOf(const QString &tableName)
{
    using K = FieldKind;
    static const QHash<QString, FieldList> lists = {
        {品类, {{fields::品类, K::Text}}},
        {名称, {{fields::品类, K::Text}, {fields::名称, K::Text}}},
        {型号,
         {{fields::品类, K::Text},
          {fields::名称, K::Text},
          {fields::型号, K::Text},
          {fields::单位, K::Text},
          {fields::库存, K::Number},
          {fields::备注, K::Text}}},
        {明细,
         {{fields::日期, K::DateTime},
          {fields::品类, K::Text},
          {fields::名称, K::Text},
          {fields::型号, K::Text},
          {fields::入库, K::Integer},
          {fields::出库, K::Integer},
          {fields::单位, K::Text},
          {fields::备注, K::Text}}},
        {设置,
         {{fields::密码, K::Text},
          {fields::登陆密码, K::Logical},
          {fields::日志密码, K::Logical},
          {fields::库存密码, K::Logical},
          {fields::菜单高度, K::Integer},
          {fields::滚动速度, K::Integer},
          {fields::背景颜色, K::Integer},
          {fields::文本颜色, K::Integer},
          {fields::选中颜色, K::Integer}}},
        {型号资料,
         {{fields::品类, K::Text},
          {fields::名称, K::Text},
          {fields::型号, K::Text},
          {fields::条码, K::Text},
          {fields::进价, K::Number},
          {fields::售价, K::Number},
          {fields::成本价, K::Number},
          {fields::最低库存, K::Number},
          {fields::补货至, K::Number}}},
        {明细金额, {{明细, K::Integer}, {fields::单价, K::Number}, {fields::成本价, K::Number}}},
    };
    static const FieldList none;
    const auto it = lists.constFind(tableName);
    return it == lists.constEnd() ? none : *it;
}

QStringList allTableNames()
{
    return {品类, 名称, 型号, 明细, 设置};
}

QStringList ownTableNames()
{
    return {型号资料, 明细金额};
}

} // namespace tables

} // namespace kucun
