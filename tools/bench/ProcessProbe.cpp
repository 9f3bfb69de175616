#include "bench/ProcessProbe.h"

#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace probe {

namespace {

double milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

double monotonicMilliseconds()
{
    return milliseconds(CLOCK_MONOTONIC);
}

double millisecondsSinceLaunch()
{
    const char *launch = std::getenv(kLaunchVariable);
    if (!launch)
        return 0;
    return monotonicMilliseconds() - std::strtod(launch, nullptr) / 1e6;
}

double processCpuMilliseconds()
{
    return milliseconds(CLOCK_PROCESS_CPUTIME_ID);
}

long peakResidentKibibytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long residentKibibytes()
{
    // The second field of statm: resident pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    return fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

void copyMemoryMapIfAsked()
{
    const QString copy = qEnvironmentVariable("TALLIMER_BENCH_SMAPS");
    if (copy.isEmpty())
        return;
    QFile maps(QStringLiteral("/proc/self/smaps"));
    QFile target(copy);
    if (maps.open(QIODevice::ReadOnly) && target.open(QIODevice::WriteOnly))
        target.write(maps.readAll());
}

void print(const char *name, double value)
{
    std::printf("%s=%.6f\n", name, value);
    std::fflush(stdout);
}

} // namespace probe
