// The name search of the search field and `chordalis-cli find`: building its index from the
// shipped library, and 10,000 queries of what players type, timed one by one. A query that
// names nothing is timed with the nearest names it is offered. Prints each figure beside its
// goal.
//
//   chordalis_search_bench [--queries N]
#include "BenchFigures.h"
#include "library/IniReader.h"
#include "library/LibraryLoader.h"
#include "library/Warnings.h"
#include "search/SearchIndex.h"
#include "theory/RootTabs.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

using namespace chordalis;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int count = 10000;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--queries")); at > 0)
        count = std::max(1, args.value(at + 1).toInt());

    IniReader ini(QStringLiteral(CHORDALIS_SHIPPED_DATA));
    Warnings warnings(true);
    LibraryLoader loader(ini, warnings);
    const ChordLibrary chords = loader.loadChords();
    const ScaleLibrary scales = loader.loadScales();
    const TriadLibrary triads = loader.loadTriads();

    constexpr double BuildGoalMs = 50;
    const auto built = std::chrono::steady_clock::now();
    const SearchIndex index(chords, scales, triads);
    const double buildMs = msSince(built);

    // What players type: every chord symbol on a root, scale names with and without a root,
    // slash chords, notes, arpeggios, and one text in ten that names nothing.
    QStringList queries;
    for (int i = 0; queries.size() < count; ++i) {
        const QString root = QLatin1String(RootTabs[size_t(i) % RootTabs.size()].caption);
        const ChordEntry& chord = chords.entries[size_t(i % std::max(1, chords.count))];
        const ScaleEntry& scale = scales.entries[size_t(i % std::max(1, scales.count))];
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
            queries << root + chord.name;
            break;
        case 3:
            queries << root + chord.chordsymbols.section(u';', 0, 0);
            break;
        case 4:
            queries << root + u' ' + scale.name.toLower();
            break;
        case 5:
            queries << scale.name;
            break;
        case 6:
            queries << root + chord.name + u'/' +
                           QLatin1String(RootTabs[size_t(i / 7) % 17].caption);
            break;
        case 7:
            queries << (i % 20 == 7 ? root : root + chord.name + QLatin1String(" arpeggio"));
            break;
        case 8:
            queries << QStringLiteral("%1 on %2").arg(scale.name, root);
            break;
        default:
            queries << root + QStringLiteral("m7b4x") + QString::number(i % 13);
            break;
        }
    }

    std::vector<double> ms;
    ms.reserve(size_t(queries.size()));
    int found = 0;
    int refused = 0;
    const auto all = std::chrono::steady_clock::now();
    for (const QString& q : queries) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = index.find(q);
        if (result.empty()) {
            (void)index.suggest(q);
            ++refused;
        } else {
            ++found;
        }
        ms.push_back(msSince(start));
    }
    const double totalMs = msSince(all);

    std::vector<double> completeMs;
    for (int i = 0; i < std::min<int>(2000, int(queries.size())); ++i) {
        const QString& q = queries[i];
        const auto start = std::chrono::steady_clock::now();
        (void)index.complete(QStringView(q).left(std::max<qsizetype>(1, q.size() / 2)), 12);
        completeMs.push_back(msSince(start));
    }

    constexpr double GoalMs = 1.0;
    std::printf("load average %s\n", qPrintable(benchfigures::loadAverage()));
    std::printf("index built in %.2f ms (goal under %.0f ms)\n", buildMs, BuildGoalMs);
    std::printf("%d queries (%d found, %d refused with suggestions) in %.1f ms: %.4f ms each "
                "(goal under %.1f ms)\n",
                int(queries.size()), found, refused, totalMs, totalMs / double(queries.size()),
                GoalMs);
    std::printf("per query: median %.4f ms, p99 %.4f ms, max %.4f ms (goal under %.1f ms)\n",
                benchfigures::percentile(ms, 0.5), benchfigures::percentile(ms, 0.99),
                benchfigures::percentile(ms, 1.0), GoalMs);
    std::printf("completion list (12 entries) of a half-typed text: median %.4f ms, p99 %.4f ms "
                "(goal under %.1f ms)\n",
                benchfigures::percentile(completeMs, 0.5),
                benchfigures::percentile(completeMs, 0.99), GoalMs);
    const bool met = totalMs / double(queries.size()) < GoalMs && buildMs < BuildGoalMs;
    std::printf("%s\n", met ? "goals met" : "GOAL MISSED");
    return met ? 0 : 1;
}
