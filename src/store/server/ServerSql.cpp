#include "ServerSql.h"

namespace kucun::pg {

namespace {

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// The index just past the quoted part that starts at `from` with `quote`;
// a doubled quote inside stands for the quote itself.
qsizetype endOfQuoted(const QString &text, qsizetype from, QChar quote)
{
    qsizetype at = from + 1;
    while (at < text.size()) {
        if (text[at] == quote) {
            if (at + 1 < text.size() && text[at + 1] == quote) {
                at += 2;
                continue;
            }
            return at + 1;
        }
        ++at;
    }
    return at;
}

} // namespace

QString serverStatement(const QString &statement)
{
    static const QString rowId = QStringLiteral("rowid");
    QString translated;
    translated.reserve(statement.size() + 16);
    int marks = 0;
    qsizetype at = 0;
    while (at < statement.size()) {
        const QChar c = statement[at];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = endOfQuoted(statement, at, c);
            translated += QStringView(statement).sliced(at, end - at);
            at = end;
        } else if (c == u'?') {
            translated += QLatin1Char('$') + QString::number(++marks);
            ++at;
        } else if (isNamePart(c)) {
            qsizetype end = at;
            while (end < statement.size() && isNamePart(statement[end])) {
                ++end;
            }
            const QStringView word = QStringView(statement).sliced(at, end - at);
            if (word.compare(rowId, Qt::CaseInsensitive) == 0) {
                translated += QStringLiteral("\"id\"");
            } else {
                translated += word;
            }
            at = end;
        } else {
            translated += c;
            ++at;
        }
    }
    return translated;
}

} // namespace kucun::pg
