#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <vector>

// What every timed action of kucun-bench shares: the sizes run, the figures
// kept, timing, memory and the checks that end a run.

// Peak resident memory of this process in MiB since the last reset.
long peakMemoryMiB();

// Starts the peak memory over from what the process holds now.
void resetPeakMemory();

double median(std::vector<double> values);

// Runs an action and the events it posts, painting included; milliseconds.
template <typename Action> double timed(Action &&action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    QCoreApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

// A wrong result ends the run: the figures would measure something else.
void expect(bool ok, const char *operation, const QString &what);

template <typename A, typename B>
void expectEqual(const A &shown, const B &stored, const char *operation, const char *what)
{
    expect(shown == stored, operation,
           QStringLiteral("%1 shows %2, the store holds %3")
               .arg(QString::fromUtf8(what), QVariant::fromValue(shown).toString(),
                    QVariant::fromValue(stored).toString()));
}

struct Size
{
    QString label;
    int models = 0;
    qint64 movements = 0;
    int years = 10; // the movements are spread over these years up to today
};

struct Figure
{
    double ms = -1;
    double floorMs = -1;
};

// The figures of one size, by operation, with the operations in the order run.
struct SizeFigures
{
    QStringList order;
    std::map<QString, Figure> figures;
    long peakMiB = -1;

    // Keeps an action's figures and prints them at once.
    void add(const char *operation, double ms, double floorMs = -1);
};
