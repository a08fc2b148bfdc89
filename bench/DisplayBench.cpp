#include "Fakes.h"
#include "TimeEach.h"
#include "app/Program.h"
#include "modes/Modes.h"
#include "modes/Scales.h"
#include "modes/TreeClicks.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace chordalis;

namespace {

// A program folder with the shipped files; voicing.ini replaced when text is given.
struct Folder {
    explicit Folder(const QByteArray& voicings = {}) {
        const QDir shipped(QStringLiteral(CHORDALIS_SHIPPED_DATA));
        for (const QString& name : shipped.entryList({QStringLiteral("*.ini")}, QDir::Files))
            QFile::copy(shipped.filePath(name), dir.filePath(name));
        if (!voicings.isEmpty()) {
            QFile f(dir.filePath(QStringLiteral("voicing.ini")));
            f.remove();
            if (f.open(QIODevice::WriteOnly))
                f.write(voicings);
        }
    }
    QTemporaryDir dir;
};

struct Started {
    explicit Started(const QString& folder)
        : program(folder, boxes, test::FakeDevices().devices, true) {
        QSettings store(scratch.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
        program.startUp(store, QSize(1024, 768));
    }
    QTemporaryDir scratch;
    test::RecordingMessageBoxes boxes;
    Program program;
};

void selectFirst(Program& program, TreeId tree) {
    chooseItem(program.context(), tree, 0);
}

// The scales mode showing the major scale in all positions.
struct MajorScaleShown {
    MajorScaleShown() {
        modeDispatch(started.program.context(), Mode::Scales);
        selectFirst(started.program, TreeId::Scales);
    }
    Folder folder;
    Started started{folder.dir.path()};
};

// Clear, a full-neck major scale (7 notes, about 60 markers), the LED frame, painted into the
// 753 x 183 picture (the window's own painting at its scale: chordalis_window_bench).
void BM_ScaleRedrawAndPaint(benchmark::State& st) {
    MajorScaleShown shown;
    Started& s = shown.started;
    ModeContext c = s.program.context();
    timeEach(st, 1000.0 / 60.0, [&] {
        showScale(c);
        benchmark::DoNotOptimize(s.program.context().fretboard.image().constBits());
    });
}
BENCHMARK(BM_ScaleRedrawAndPaint)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Painting needs fonts, so a GUI application; offscreen needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
