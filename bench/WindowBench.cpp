// What the user waits for in the main window, with the shipped library: a redraw of the neck
// painted at the window's scale, the same right after the window was resized, and a root change
// with the trees, the labels and the repaint of the whole window. Each prints the median and the
// 99th percentile of single operations beside its goal: within one frame at 60 Hz.

#include "Fakes.h"
#include "TimeEach.h"
#include "app/Program.h"
#include "modes/Modes.h"
#include "modes/Scales.h"
#include "modes/TreeClicks.h"
#include "theory/Instruments.h"
#include "ui/DesktopWindow.h"
#include "ui/MainWindow.h"
#include "ui/NeckView.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace chordalis;

namespace {

constexpr double FrameGoalMs = 1000.0 / 60.0;

// The program's windows without the splash's wait.
class QuickWindow : public DesktopWindow {
public:
    using DesktopWindow::DesktopWindow;
    void showSplash() override {}
};

// The program on the shipped library with its main window shown at the given size.
struct ShownWindow {
    explicit ShownWindow(QSize size)
        : store(scratch.filePath(QStringLiteral("s.conf")), QSettings::IniFormat),
          program(QStringLiteral(CHORDALIS_SHIPPED_DATA), boxes, test::FakeDevices().devices, true),
          desktop(program, store, boxes) {
        program.startUp(store, QSize(1920, 1080), &desktop);
        window().resize(size);
        QApplication::processEvents();
    }
    ~ShownWindow() { program.shutDown(store); }
    MainWindow& window() { return *desktop.window(); }

    void select(TreeId tree) {
        chooseItem(program.context(), tree, 0);
        window().showPages();
    }
    // The major scale in all positions, its page shown.
    void showScales() {
        modeDispatch(program.context(), Mode::Scales);
        select(TreeId::Scales);
    }

    QTemporaryDir scratch;
    QSettings store;
    test::RecordingMessageBoxes boxes;
    Program program;
    QuickWindow desktop;
};

// The major scale in all positions (about 60 markers) shown again and painted at the window's
// scale: the neck's surface scaled into a window of the given size.
void BM_ScaleRedrawInWindow(benchmark::State& st) {
    ShownWindow shown(QSize(int(st.range(0)), int(st.range(1))));
    shown.showScales();
    ModeContext c = shown.program.context();
    NeckView& neck = shown.window().neck();
    timeEach(st, FrameGoalMs, [&] {
        showScale(c);
        shown.window().showPages();
        neck.repaint();
    });
    st.SetLabel(QStringLiteral("neck %1x%2").arg(neck.width()).arg(neck.height()).toStdString());
}
BENCHMARK(BM_ScaleRedrawInWindow)
    ->Args({1024, 768})
    ->Args({1920, 1080})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same, each time right after the window was resized between 1024 x 768 and the size given:
// the layout and the whole window are done anew, the neck scaled from its last rendering. The
// frame that follows when the resizing pauses, with the neck rendered sharp at the new size, runs
// between the timed ones as the event loop runs it, and is reported apart (sharp_median_ms,
// sharp_p99_ms).
void BM_ScaleRedrawAfterResize(benchmark::State& st) {
    ShownWindow shown(QSize(1024, 768));
    shown.showScales();
    ModeContext c = shown.program.context();
    const QSize large(int(st.range(0)), int(st.range(1)));
    bool wide = false;
    std::vector<double> sharp;
    timeEach(
        st, FrameGoalMs,
        [&] {
            wide = !wide;
            shown.window().resize(wide ? large : QSize(1024, 768));
            showScale(c);
            shown.window().showPages();
            shown.window().repaint();
        },
        [&] {
            // The sharp frame comes when the resizing pauses.
            std::this_thread::sleep_for(std::chrono::milliseconds(NeckView::SharpFrameDelayMs + 5));
            const auto start = std::chrono::steady_clock::now();
            QApplication::processEvents();
            sharp.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        });
    reportSpread(st, std::move(sharp), "sharp_");
}
BENCHMARK(BM_ScaleRedrawAfterResize)
    ->Args({1600, 1000})
    ->Args({1920, 1080})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// What any window pays for the same resizes on this display, beside the figures above: an empty
// window resized and painted. The platform gives a window of a new size new memory to paint into,
// and the first touch of it and the freeing of the old are most of this figure.
void BM_BareWindowAfterResize(benchmark::State& st) {
    QWidget bare;
    bare.resize(1024, 768);
    bare.show();
    QApplication::processEvents();
    const QSize large(int(st.range(0)), int(st.range(1)));
    bool wide = false;
    timeEach(
        st, 0,
        [&] {
            wide = !wide;
            bare.resize(wide ? large : QSize(1024, 768));
            bare.repaint();
        },
        [] {
            std::this_thread::sleep_for(std::chrono::milliseconds(NeckView::SharpFrameDelayMs + 5));
            QApplication::processEvents();
        });
}
BENCHMARK(BM_BareWindowAfterResize)
    ->Args({1600, 1000})
    ->Args({1920, 1080})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A drag of the window's corner: from 1280 x 800 to the size given and back in steps of 16 by 10
// pixels, each step a resize and the whole window painted, the neck scaled from its last
// rendering (the events between steps run at once: the pointer never pauses).
void BM_ScaleRedrawDuringDrag(benchmark::State& st) {
    ShownWindow shown(QSize(1280, 800));
    shown.showScales();
    QApplication::processEvents();
    const QSize large(int(st.range(0)), int(st.range(1)));
    const int steps = std::max(1, (large.width() - 1280) / 16);
    int step = 0;
    bool growing = true;
    timeEach(
        st, FrameGoalMs,
        [&] {
            step += growing ? 1 : -1;
            if (step >= steps || step <= 0)
                growing = !growing;
            shown.window().resize(QSize(1280 + step * (large.width() - 1280) / steps,
                                        800 + step * (large.height() - 800) / steps));
            shown.window().repaint();
        },
        [] { QApplication::processEvents(); });
}
BENCHMARK(BM_ScaleRedrawDuringDrag)
    ->Args({1920, 1080})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A root change in the chords mode with the shipped voicings (the open chord and the movable
// shapes of the major chord): the state, the voicing tree, the labels, and the whole window
// repainted. On the six-string guitar in standard tuning (the library's grips and the engine's
// further ones), on a seven-string neck of 24 frets and in DADGAD (the engine's grips alone).
void BM_RootChangeInWindow(benchmark::State& st) {
    ShownWindow shown(QSize(1280, 900));
    const std::array<Instrument, 3> necks = {Instrument{}, InstrumentPresets[0].instrument(),
                                             Instrument{presetTuning(11)}};
    setInstrument(shown.program.context(), necks[size_t(st.range(0))]);
    modeDispatch(shown.program.context(), Mode::Chords);
    shown.select(TreeId::Chords);
    QTabBar& tabs = shown.window().rootTabs();
    int tab = 0;
    timeEach(st, FrameGoalMs, [&] {
        tab = (tab + 1) % tabs.count();
        tabs.setCurrentIndex(tab); // the window's own handler runs the change and shows it
        shown.window().repaint();
    });
    const char* names[] = {"standard", "7-string 24 frets", "DADGAD"};
    st.SetLabel(std::string(names[st.range(0)]) + ", " +
                std::to_string(shown.program.context().pages.chords.tvwVoicings.size()) +
                " voicings listed");
}
BENCHMARK(BM_RootChangeInWindow)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform says on every resize that it keeps no size hints.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (!text.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%d: %s\n", int(type), qPrintable(text));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
