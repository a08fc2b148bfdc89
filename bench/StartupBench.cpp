// Start-up as the user sees it: the real program started again and again in a virtual display
// (Xvfb), each run with a settings store of its own:
//   chordalis_startup_bench [--runs N] [--program PATH]
// The program, started with CHORDALIS_TRACE_START, writes the moments of its start-up on the
// monotonic clock (the moment its main begins, the splash's first frame, the splash's closing, the
// main window's first frame); the bench notes the moment it launched the process on the same
// clock. What counts is what the X server shows: a second connection of the bench watches the
// splash go and polls the main window's pixels until its real content is there, noting any frame
// of one colour (nothing drawn yet) before it; what another window (a message box) covers is not
// the main window's content and is left out. Prints the median, 99th percentile and maximum of
// each stretch beside its goal.

#include "BenchFigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QThread>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

namespace {

double monotonicNow() {
    return benchfigures::clockSeconds(CLOCK_MONOTONIC);
}
using benchfigures::loadAverage;
using benchfigures::percentile;

// A sampled pixel that another window covered: left out of every comparison.
constexpr std::uint32_t Covered = 0xFF000000u;

// A virtual display of its own, on the first free display number from 90.
class VirtualDisplay {
public:
    bool start() {
        for (int n = 90; n < 110; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_name = QStringLiteral(":%1").arg(n);
            m_xvfb.start(QStringLiteral("Xvfb"),
                         {m_name, QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
            if (!m_xvfb.waitForStarted(3000))
                return false;
            for (int i = 0; i < 100; ++i) {
                if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return true;
                QThread::msleep(50);
            }
            return false;
        }
        return false;
    }
    ~VirtualDisplay() {
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(3000);
        }
    }
    const QString& name() const { return m_name; }

private:
    QProcess m_xvfb;
    QString m_name;
};

// What the X server shows, seen from a connection of the bench's own: the program's top-level
// windows as they are mapped and unmapped, and a few rows of the main window's pixels, polled
// every millisecond (no window manager runs, so a window's pixels are those on the screen).
class ScreenWatch {
public:
    explicit ScreenWatch(const QString& display)
        : m_display(XOpenDisplay(display.toLatin1().constData())) {
        // A window may go between listing it and looking at it: that look fails, and the next
        // poll sees it gone. Xlib would otherwise end the bench.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~ScreenWatch() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool isOpen() const { return m_display != nullptr; }

    // One look at the screen, at the given moment.
    void poll(double now) {
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, DefaultRootWindow(m_display), &rootReturn, &parent, &children,
                        &count))
            return;
        std::vector<Window> shown;
        // Every window on the screen, bottom to top, where it lies.
        std::vector<std::pair<Window, QRect>> stacked;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            if (!XGetWindowAttributes(m_display, children[i], &a) || a.map_state != IsViewable)
                continue;
            stacked.emplace_back(children[i], QRect(a.x, a.y, a.width + 2 * a.border_width,
                                                    a.height + 2 * a.border_width));
            if (a.width >= 100 && a.height >= 100 && !a.override_redirect)
                shown.push_back(children[i]);
        }
        if (children)
            XFree(children);
        // The first window shown is the splash, the next one the main window.
        const bool splashShown = m_splash && std::count(shown.begin(), shown.end(), m_splash);
        for (Window w : shown) {
            if (!m_splash) {
                m_splash = w;
                splashMapped = now;
            } else if (w != m_splash && !m_main) {
                m_main = w;
                mainMapped = now;
            }
        }
        if (m_splash && !splashShown && splashMapped > 0 && splashGone < 0 && now > splashMapped)
            splashGone = now;
        if (m_main && frames.size() < 4000) {
            // What lies over the main window (a message box over it) is not its content.
            std::vector<QRect> over;
            const auto main = std::find_if(stacked.begin(), stacked.end(),
                                           [this](const auto& w) { return w.first == m_main; });
            if (main != stacked.end()) {
                for (auto above = main + 1; above != stacked.end(); ++above)
                    over.push_back(above->second.translated(-main->second.topLeft()));
            }
            std::vector<std::uint32_t> pixels = rows(m_main, over);
            if (!pixels.empty() && (frames.empty() || frames.back().second != pixels))
                frames.emplace_back(now, std::move(pixels));
        }
    }

    double splashMapped = -1, splashGone = -1, mainMapped = -1;
    // The main window's sampled rows whenever they changed, with the moment they were seen.
    std::vector<std::pair<double, std::vector<std::uint32_t>>> frames;

private:
    // Sixteen rows spread over the window's height, as 0xRRGGBB values; Covered where another
    // window lies over it.
    std::vector<std::uint32_t> rows(Window w, const std::vector<QRect>& over) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(m_display, w, &a) || a.map_state != IsViewable)
            return {};
        std::vector<std::uint32_t> pixels;
        pixels.reserve(size_t(a.width) * 16);
        for (int r = 0; r < 16; ++r) {
            XImage* image = XGetImage(m_display, w, 0, (a.height - 1) * r / 15, unsigned(a.width),
                                      1, AllPlanes, ZPixmap);
            if (!image)
                return {};
            const int y = (a.height - 1) * r / 15;
            for (int x = 0; x < a.width; ++x) {
                const bool covered = std::any_of(over.begin(), over.end(),
                                                 [&](const QRect& o) { return o.contains(x, y); });
                pixels.push_back(covered ? Covered
                                         : std::uint32_t(XGetPixel(image, x, 0) & 0xFFFFFF));
            }
            XDestroyImage(image);
        }
        return pixels;
    }

    Display* m_display;
    Window m_splash = 0, m_main = 0;
};

// What the screen showed of the main window: the moment its real content was first seen (nine
// in ten of the sampled pixels as they were at the end, of those no other window covered in
// either), and how many frames before it were mostly (nine in ten of the uncovered pixels) one
// colour, as a window with nothing drawn in it yet.
struct MainFrames {
    double real = -1;
    int blank = 0;
};

MainFrames readFrames(const ScreenWatch& watch) {
    MainFrames result;
    if (watch.frames.empty())
        return result;
    const std::vector<std::uint32_t>& last = watch.frames.back().second;
    for (const auto& [at, pixels] : watch.frames) {
        if (pixels.size() != last.size())
            continue;
        size_t same = 0, compared = 0;
        for (size_t i = 0; i < pixels.size(); ++i) {
            if (pixels[i] == Covered || last[i] == Covered)
                continue;
            ++compared;
            same += pixels[i] == last[i];
        }
        if (compared > 0 && same * 10 >= compared * 9) {
            result.real = at;
            break;
        }
        std::map<std::uint32_t, size_t> colours;
        size_t uncovered = 0;
        for (std::uint32_t p : pixels) {
            if (p == Covered)
                continue;
            ++colours[p];
            ++uncovered;
        }
        size_t most = 0;
        for (const auto& [colour, n] : colours)
            most = std::max(most, n);
        result.blank += uncovered > 0 && most * 10 >= uncovered * 9;
    }
    return result;
}

// One start of the program: the moments it wrote, the launch, and what the X server showed, on
// the monotonic clock.
QMap<QString, double> startOnce(const QString& program, const QString& display) {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("CHORDALIS_TRACE_START"), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    QMap<QString, double> moments;
    moments[QStringLiteral("launch")] = monotonicNow();
    p.start(program, {});
    QByteArray output;
    ScreenWatch watch(display);
    const double deadline = monotonicNow() + 15.0;
    // Until the main window has shown the same pixels for half a second.
    while (watch.isOpen() && monotonicNow() < deadline &&
           (watch.frames.empty() || monotonicNow() - watch.frames.back().first < 0.5)) {
        watch.poll(monotonicNow());
        p.waitForReadyRead(1);
        output += p.readAllStandardError();
        if (p.state() == QProcess::NotRunning)
            break;
    }
    const MainFrames shown = readFrames(watch);
    if (watch.splashGone >= 0)
        moments[QStringLiteral("x-splash-gone")] = watch.splashGone;
    if (watch.mainMapped >= 0)
        moments[QStringLiteral("x-main-mapped")] = watch.mainMapped;
    if (shown.real >= 0)
        moments[QStringLiteral("x-first-frame")] = shown.real;
    moments[QStringLiteral("x-blank-frames")] = shown.blank;
    p.terminate(); // ends like a logout: the settings are written, the output closed
    if (!p.waitForFinished(5000))
        p.kill();
    output += p.readAllStandardError();
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 3 && words[0] == "chordalis:")
            moments[QString::fromLatin1(words[1])] = words[2].toDouble();
    }
    return moments;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int runs = 10;
    QString program = QStringLiteral(CHORDALIS_PROGRAM);
    if (const qsizetype i = args.indexOf(QStringLiteral("--runs")); i > 0 && i + 1 < args.size())
        runs = std::max(1, args[i + 1].toInt());
    if (const qsizetype i = args.indexOf(QStringLiteral("--program")); i > 0 && i + 1 < args.size())
        program = args[i + 1];

    VirtualDisplay display;
    if (!display.start()) {
        std::printf("start-up: skipped (Xvfb could not be started)\n");
        return 1;
    }
    const QString loadBefore = loadAverage();
    std::vector<double> toSplash, afterSplash, toWindow, seenAfterSplash, mappedToReal;
    int failed = 0, blankRuns = 0, blankFrames = 0, unseen = 0;
    for (int run = 0; run < runs; ++run) {
        const QMap<QString, double> m = startOnce(program, display.name());
        if (!m.contains(QStringLiteral("first-frame")) ||
            !m.contains(QStringLiteral("splash-closed")) ||
            !m.contains(QStringLiteral("splash-frame"))) {
            ++failed;
            continue;
        }
        const double launch = m[QStringLiteral("launch")];
        toSplash.push_back((m[QStringLiteral("splash-frame")] - launch) * 1000.0);
        afterSplash.push_back(
            (m[QStringLiteral("first-frame")] - m[QStringLiteral("splash-closed")]) * 1000.0);
        toWindow.push_back((m[QStringLiteral("first-frame")] - launch) * 1000.0);
        const int blank = int(m.value(QStringLiteral("x-blank-frames")));
        blankFrames += blank;
        blankRuns += blank > 0;
        if (!m.contains(QStringLiteral("x-first-frame")) ||
            !m.contains(QStringLiteral("x-splash-gone"))) {
            ++unseen;
            continue;
        }
        const double real = m[QStringLiteral("x-first-frame")];
        seenAfterSplash.push_back((real - m[QStringLiteral("x-splash-gone")]) * 1000.0);
        mappedToReal.push_back((real - m[QStringLiteral("x-main-mapped")]) * 1000.0);
    }
    std::printf("start-up of %s, %d runs (%d without a first frame, %d not seen on the screen) in "
                "Xvfb; load average %s before, %s after\n",
                qPrintable(QFileInfo(program).fileName()), runs, failed, unseen,
                qPrintable(loadBefore), qPrintable(loadAverage()));
    auto line = [](const char* what, const std::vector<double>& v, const char* goal) {
        std::printf("  %-58s median %7.1f ms, p99 %7.1f ms, max %7.1f ms  (goal: %s)\n", what,
                    percentile(v, 0.5), percentile(v, 0.99), percentile(v, 1.0), goal);
    };
    std::printf(" as the X server showed it (a second connection polling every millisecond):\n");
    line("splash gone to the main window's real content", seenAfterSplash,
         "within 50 ms in every run");
    std::printf("  %-58s %d of %zu runs\n", "runs within 50 ms",
                int(std::count_if(seenAfterSplash.begin(), seenAfterSplash.end(),
                                  [](double ms) { return ms <= 50.0; })),
                seenAfterSplash.size());
    line("main window mapped to its real content", mappedToReal, "informative");
    std::printf("  %-58s %d frames in %d runs  (goal: none)\n",
                "blank frames (one colour) before the real content", blankFrames, blankRuns);
    std::printf(" as the program said it (CHORDALIS_TRACE_START):\n");
    line("launch to the splash's first frame", toSplash, "none set");
    line("splash closed to the main window's first frame", afterSplash, "informative");
    line("launch to the main window's first frame", toWindow, "informative: includes the 1.5 s");
    return failed == runs ? 1 : 0;
}
