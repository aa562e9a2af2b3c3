#include "Output.h"

#include <QFile>
#include <cstdio>

namespace {

QString cell(double value, int decimals = 1)
{
    return value < 0 ? QString() : QString::number(value, 'f', decimals);
}

} // namespace

// The floor and ratio are those of the largest size run.
void printTable(const std::vector<SizeFigures> &sizes, const QString &csvPath)
{
    const SizeFigures &s = sizes.front();
    const SizeFigures *l = sizes.size() > 1 ? &sizes.back() : nullptr;
    const SizeFigures &largest = l ? *l : s;
    QStringList csv{QStringLiteral("operation,s_ms,l_ms,l_over_s,floor_ms,ratio")};
    std::printf("\n| %-44s | %8s | %8s | %5s | %8s | %5s |\n", "operation", "S ms", "L ms", "L/S",
                "floor ms", "ratio");
    std::printf("|%s|---------:|---------:|------:|---------:|------:|\n",
                QByteArray(46, '-').constData());
    for (const QString &operation : s.order) {
        const Figure small = s.figures.at(operation);
        const Figure large = l ? l->figures.at(operation) : Figure{};
        const Figure floorOf = largest.figures.at(operation);
        const QString sCell = cell(small.ms);
        const QString lCell = cell(large.ms);
        const QString growth = l && small.ms > 0 ? cell(large.ms / small.ms, 2) : QString();
        const QString floorCell = cell(floorOf.floorMs);
        const QString ratio =
            floorOf.floorMs > 0 ? cell(floorOf.ms / floorOf.floorMs, 2) : QString();
        std::printf("| %-44s | %8s | %8s | %5s | %8s | %5s |\n", operation.toUtf8().constData(),
                    sCell.toUtf8().constData(), lCell.toUtf8().constData(),
                    growth.toUtf8().constData(), floorCell.toUtf8().constData(),
                    ratio.toUtf8().constData());
        QString name = operation;
        name.replace(QLatin1Char(','), QLatin1Char(' '));
        csv << QStringList{name, sCell, lCell, growth, floorCell, ratio}.join(QLatin1Char(','));
    }
    const QString peak = QString::number(largest.peakMiB);
    std::printf("| %-44s | %8s | %8s | %5s | %8s | %5s |\n",
                "peak resident MiB after the full-log search", l ? "" : peak.toUtf8().constData(),
                l ? peak.toUtf8().constData() : "", "", "", "");
    csv << (l ? QStringLiteral("peak_rss_mb,,%1,,,") : QStringLiteral("peak_rss_mb,%1,,,,"))
               .arg(peak);
    if (!csvPath.isEmpty()) {
        QFile file(csvPath);
        expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "csv",
               QStringLiteral("cannot write ") + csvPath);
        file.write((csv.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }
}

void printServerTable(const SizeFigures &files, const SizeFigures &server, const QString &csvPath)
{
    QStringList csv;
    std::printf("\n| %-44s | %8s | %9s | %8s | %5s |\n", "operation on the server book", "files ms",
                "server ms", "floor ms", "ratio");
    std::printf("|%s|---------:|----------:|---------:|------:|\n",
                QByteArray(46, '-').constData());
    for (const QString &operation : server.order) {
        const Figure onServer = server.figures.at(operation);
        const auto onFiles = files.figures.find(operation);
        const QString filesCell =
            onFiles == files.figures.end() ? QString() : cell(onFiles->second.ms);
        const QString ratio =
            onServer.floorMs > 0 ? cell(onServer.ms / onServer.floorMs, 2) : QString();
        const QStringList cells{filesCell, cell(onServer.ms), cell(onServer.floorMs), ratio};
        std::printf("| %-44s | %8s | %9s | %8s | %5s |\n", operation.toUtf8().constData(),
                    cells[0].toUtf8().constData(), cells[1].toUtf8().constData(),
                    cells[2].toUtf8().constData(), cells[3].toUtf8().constData());
        QString name = QStringLiteral("server ") + operation;
        name.replace(QLatin1Char(','), QLatin1Char(' '));
        csv << QStringList{name, QString(), cells[1], QString(), cells[2], ratio}.join(u',');
    }
    std::printf("| %-44s | %8ld | %9ld | %8s | %5s |\n",
                "peak resident MiB after the full-log search", files.peakMiB, server.peakMiB, "",
                "");
    csv << QStringLiteral("server peak_rss_mb,,%1,,,").arg(server.peakMiB);
    if (!csvPath.isEmpty()) {
        QFile file(csvPath);
        expect(file.open(QIODevice::Append), "csv", QStringLiteral("cannot write ") + csvPath);
        file.write((csv.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }
}
