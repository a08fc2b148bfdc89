#pragma once

#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

// What the benches that print their own figures share: a clock's reading, the machine's load
// and the percentiles beside the goals.
namespace benchfigures {

// The reading of a POSIX clock in seconds (monotonic, or a thread's or process's CPU time).
inline double clockSeconds(clockid_t which) {
    timespec t{};
    clock_gettime(which, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The load averages over 1, 5 and 15 minutes, as the kernel gives them.
inline QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2);
}

// The value below which the share p of the values lies; NaN when there are none.
inline double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

} // namespace benchfigures
