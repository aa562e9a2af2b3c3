#include "Measure.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Peak resident memory of this process in MiB since the last reset.
long peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
        }
    }
    return -1;
}

// Starts the peak memory over from what the process holds now. Memory an
// earlier run freed goes back to the system first: the window keeps what
// it frees for reuse, and the next run would count it as its own.
void resetPeakMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

double median(std::vector<double> values)
{
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A wrong result ends the run: the figures would measure something else.
void expect(bool ok, const char *operation, const QString &what)
{
    if (!ok) {
        std::fprintf(stderr, "kucun-bench: check failed: %s: %s\n", operation,
                     what.toUtf8().constData());
        std::exit(1);
    }
}

void SizeFigures::add(const char *operation, double ms, double floorMs)
{
    const QString name = QString::fromUtf8(operation);
    order.append(name);
    figures[name] = {ms, floorMs};
    std::printf("  %-44s %9.1f ms", operation, ms);
    if (floorMs >= 0) {
        std::printf("   floor %8.1f ms", floorMs);
    }
    std::printf("\n");
    std::fflush(stdout);
}
