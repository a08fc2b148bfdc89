#include "TimeEach.h"
#include "fretboard/LedSender.h"
#include "library/IniReader.h"
#include "library/Warnings.h"
#include "modes/AppState.h"
#include "modes/LibraryTrees.h"
#include "modes/Pages.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace chordalis;

namespace {

void loadFolder(benchmark::State& st, const QString& folder, double goalMs) {
    timeEach(st, goalMs, [&] {
        // A fresh reader each time: the files are parsed, not served from a cache.
        IniReader ini(folder);
        AppState state;
        MainPages pages;
        Warnings warnings(true);
        SilentLedSender led;
        Fretboard board(state.neckSettings(), led);
        ModeContext context{state, pages, ini, board, warnings};
        loadLibraries(context);
        benchmark::DoNotOptimize(pages.chords.tvwChords.size());
    });
}

void copyFile(const QString& from, const QString& to) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return;
    const QByteArray text = in.readAll();
    out.write(text);
}

// A library ten times the shipped one: every chord and scale section repeated under new numbers.
QString makeLargeLibrary(QTemporaryDir& dir, int factor) {
    const QString shipped = QStringLiteral(CHORDALIS_SHIPPED_DATA);
    for (const char* f : {"voicing.ini", "triad.ini", "finder.ini"})
        copyFile(shipped + u'/' + QLatin1String(f), dir.filePath(QLatin1String(f)));
    for (const auto& [file, countKey] : {std::pair{"chord", "numchords"}, {"scale", "numscales"}}) {
        IniReader ini(shipped);
        const QString name = QLatin1String(file);
        const int n = ini.readIni(name, "totals", QLatin1String(countKey)).toInt();
        const int groups = ini.readIni(name, "totals", "numgroups").toInt();
        QByteArray out = "[totals]\n" + QByteArray(countKey) + "=" +
                         QByteArray::number(n * factor) +
                         "\nnumgroups=" + QByteArray::number(groups) + "\n[groups]\n";
        for (int g = 0; g < groups; ++g)
            out += QByteArray::number(g) + "=" +
                   ini.readIni(name, "groups", QString::number(g)).toUtf8() + "\n";
        const QStringList keys = {"name",    "nameverbose", "chordsymbols",
                                  "formula", "group",       "relatedscaleid",
                                  "altname", "info",        "examples"};
        for (int copy = 0; copy < factor; ++copy) {
            for (int i = 0; i < n; ++i) {
                out += "[" + QByteArray::number(copy * n + i) + "]\n";
                for (const QString& k : keys) {
                    const QString v = ini.readIni(name, QString::number(i), k);
                    if (!v.isEmpty())
                        out += k.toUtf8() + "=" + v.toUtf8() + "\n";
                }
            }
        }
        QFile o(dir.filePath(name + QStringLiteral(".ini")));
        if (o.open(QIODevice::WriteOnly))
            o.write(out);
    }
    return dir.path();
}

void BM_LoadShippedLibrary(benchmark::State& st) {
    loadFolder(st, QStringLiteral(CHORDALIS_SHIPPED_DATA), 3.0);
}
BENCHMARK(BM_LoadShippedLibrary)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LoadTenfoldLibrary(benchmark::State& st) {
    QTemporaryDir dir;
    loadFolder(st, makeLargeLibrary(dir, 10), 0.0); // no goal: how it scales
}
BENCHMARK(BM_LoadTenfoldLibrary)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
