#pragma once

#include <QList>
#include <QString>

namespace kucun {

// How a field's stored value is read and written.
enum class FieldKind
{
    Text,
    Number,   // any numeric declared type, read as a double
    Integer,  // written as a whole number, read as a double like Number
    Logical,  // 0/1
    DateTime, // text "YYYY-MM-DD HH:MM:SS"
    Unknown,  // a declared type the store does not understand
};

struct FieldDefinition
{
    QString name;
    FieldKind kind;
};

using FieldList = QList<FieldDefinition>;

// The declared SQL type a new table file gives a field of this kind.
QString declaredType(FieldKind kind);
// The kind of an existing column, from its declared SQL type.
FieldKind kindOfDeclaredType(const QString &declared);
bool isNumericKind(FieldKind kind);

// The table password: the same for all five table files.
QString tablePassword();

namespace tables {

inline const QString 品类 = QStringLiteral("品类");
inline const QString 名称 = QStringLiteral("名称");
inline const QString 型号 = QStringLiteral("型号");
inline const QString 明细 = QStringLiteral("明细");
inline const QString 设置 = QStringLiteral("设置");
// Tables of our own beside the five: made when missing, never needed by the
// five tables' features.
inline const QString 型号资料 = QStringLiteral("型号资料");
inline const QString 明细金额 = QStringLiteral("明细金额");

// The file name of a table: a bare name gets ".edb"; a name that already
// has an extension is kept.
QString fileNameOf(const QString &tableName);
// The settings table lives in the program's directory.
QString settingsPath(const QString &programDir);

// Field lists in field order, the order append and modify take values in.
const FieldList &fieldsOf(const QString &tableName);
QStringList allTableNames();
// The tables of our own, in the data folder.
QStringList ownTableNames();

} // namespace tables

namespace fields {

inline const QString 品类 = QStringLiteral("品类");
inline const QString 名称 = QStringLiteral("名称");
inline const QString 型号 = QStringLiteral("型号");
inline const QString 单位 = QStringLiteral("单位");
inline const QString 库存 = QStringLiteral("库存");
inline const QString 备注 = QStringLiteral("备注");
inline const QString 日期 = QStringLiteral("日期");
inline const QString 入库 = QStringLiteral("入库");
inline const QString 出库 = QStringLiteral("出库");
inline const QString 密码 = QStringLiteral("密码");
inline const QString 登陆密码 = QStringLiteral("登陆密码");
inline const QString 日志密码 = QStringLiteral("日志密码");
inline const QString 库存密码 = QStringLiteral("库存密码");
inline const QString 菜单高度 = QStringLiteral("菜单高度");
inline const QString 滚动速度 = QStringLiteral("滚动速度");
inline const QString 背景颜色 = QStringLiteral("背景颜色");
inline const QString 文本颜色 = QStringLiteral("文本颜色");
inline const QString 选中颜色 = QStringLiteral("选中颜色");
inline const QString 条码 = QStringLiteral("条码");
inline const QString 进价 = QStringLiteral("进价");
inline const QString 售价 = QStringLiteral("售价");
inline const QString 成本价 = QStringLiteral("成本价");
inline const QString 最低库存 = QStringLiteral("最低库存");
inline const QString 补货至 = QStringLiteral("补货至");
inline const QString 单价 = QStringLiteral("单价");

} // namespace fields

} // namespace kucun
