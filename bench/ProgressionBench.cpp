// Keys and progressions: every key of the 17 root tabs in each mode, timed one by one (goal
// under 1 ms each); a 32-chord progression voiced over the whole (goal under 50 ms), with the
// grips gathered as the chords page lists them and the dynamic programme alone; and ten library
// progressions in C compared: the optimum against each chord's first grip and a greedy choice
// (cost parts, total cost, frets moved). Prints each figure beside its goal.
//
//   chordalis_progression_bench [--runs N]
#include "BenchFigures.h"
#include "Fakes.h"
#include "app/Program.h"
#include "app/ProgressionGrips.h"
#include "modes/AppState.h"
#include "progressions/Progression.h"
#include "progressions/Voicer.h"
#include "theory/RootTabs.h"

#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>

using namespace chordalis;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void row(const char* what, const std::vector<double>& ms, double goal) {
    std::printf("%-44s median %8.4f ms  p99 %8.4f ms  max %8.4f ms  goal < %g ms\n", what,
                benchfigures::percentile(ms, 0.5), benchfigures::percentile(ms, 0.99),
                benchfigures::percentile(ms, 1.0), goal);
}

void costRow(const char* how, const VoicedProgression& v) {
    const CostParts& p = v.parts;
    std::printf("  %-8s total %7.1f  semitones %6.1f  not held %4.0f  top %5.0f  frets moved %4.0f"
                "  fingers %4.0f  difficulty %5.1f\n",
                how, v.total, p.semitones, p.notHeld, p.topVoice, p.shift, p.fingers, p.difficulty);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 50;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at > 0)
        runs = std::max(1, args.value(at + 1).toInt());

    test::RecordingMessageBoxes boxes;
    Program program(QStringLiteral(CHORDALIS_SHIPPED_DATA), boxes, test::FakeDevices().devices,
                    true);
    QTemporaryDir scratch;
    QSettings store(scratch.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    if (!program.initTables())
        return 1;
    program.loadSettings(store, QSize(1024, 768));
    program.loadLibraries();
    const ChordLibrary& chords = program.state().chords;
    std::printf("== %d cores, load average %s\n", QThread::idealThreadCount(),
                qPrintable(benchfigures::loadAverage()));

    std::vector<double> keys, keysCpu;
    for (int run = 0; run < std::max(1, runs / 10); ++run) {
        for (int tab = 1; tab <= int(RootTabs.size()); ++tab) {
            for (int m = 0; m < KeyModeCount; ++m) {
                const auto start = std::chrono::steady_clock::now();
                const double cpuStart = benchfigures::clockSeconds(CLOCK_THREAD_CPUTIME_ID);
                const Key key = makeKey(tab, KeyMode(m), chords);
                keys.push_back(msSince(start));
                keysCpu.push_back(1000 *
                                  (benchfigures::clockSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart));
                if (key.triads[0].item < 0)
                    return 1;
            }
        }
    }
    row("one key (17 roots x 11 modes)", keys, 1);
    row("one key, this thread's CPU time", keysCpu, 1);

    // 32 chords: rhythm changes' A section twice, then the jazz blues and a turnaround.
    const QString text = QStringLiteral(
        "| I VI7 | ii7 V7 | iii7 VI7 | ii7 V7 | v7 I7 | IV #iv°7 | iii7 VI7 | ii7 V7 |"
        "| I7 | IV7 | I7 | v7 I7 | IV7 | IV7 #iv°7 | I7 | VI7 | ii7 | V7 | I7 VI7 | ii7 V7 |");
    const Key c = makeKey(1, KeyMode::Major, chords);
    const auto reading = readProgression(text, c, program.search(), chords);
    if (!reading.progression || reading.progression->chords.size() != 32) {
        std::printf("the 32-chord progression does not read as 32 chords: %s\n",
                    qPrintable(reading.error));
        return 1;
    }
    std::vector<double> whole, search, cpu;
    size_t grips = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = benchfigures::clockSeconds(CLOCK_THREAD_CPUTIME_ID);
        VoicerRequest request;
        request.chords =
            progressionGrips(program.context(), *reading.progression, VoicingStyle::Any);
        request.tuning = program.state().tuning();
        const auto dp = std::chrono::steady_clock::now();
        const VoicedProgression v = voiceProgression(request);
        whole.push_back(msSince(start));
        cpu.push_back(1000 * (benchfigures::clockSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart));
        search.push_back(msSince(dp));
        grips = 0;
        for (const VoicerChord& chord : request.chords)
            grips += chord.grips.size();
        if (v.choice.size() != 32)
            return 1;
    }
    std::printf("32 chords, %zu grips weighed\n", grips);
    row("32 chords voiced (grips gathered + search)", whole, 50);
    row("32 chords, the search alone", search, 50);
    row("32 chords voiced, this thread's CPU time", cpu, 50);

    std::printf("== ten progressions in C, standard tuning: optimum, first grips, greedy\n");
    Warnings quiet(true);
    const auto library = loadProgressions(program.context().ini, quiet);
    int shown = 0;
    for (const char* id :
         {"pop-axis", "pop-fifties", "rock-mixolydian", "blues-twelve", "blues-jazz", "jazz-ii-v-i",
          "jazz-rhythm-a", "jazz-minor-cycle", "folk-waltz", "classical-canon"}) {
        for (const LibraryProgression& p : library) {
            if (p.id != QLatin1String(id))
                continue;
            const auto r = readProgression(p.chords, makeKey(1, p.mode, chords), program.search(),
                                           chords, p.beatsPerBar);
            if (!r.progression)
                return 1;
            VoicerRequest request;
            request.chords = progressionGrips(program.context(), *r.progression, VoicingStyle::Any);
            request.tuning = program.state().tuning();
            std::printf("%s (%zu chords)\n", id, r.progression->chords.size());
            costRow("optimum", voiceProgression(request));
            costRow("first", firstGrips(request));
            costRow("greedy", greedyGrips(request));
            ++shown;
        }
    }
    return shown == 10 ? 0 : 1;
}
