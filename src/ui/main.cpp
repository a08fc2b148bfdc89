#include "app/Program.h"
#include "app/ProgramFolder.h"
#include "sound/Clock.h"
#include "sound/backends/SystemMidiOut.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"
#include "ui/SignalWatcher.h"
#include "ui/SplashWindow.h"

#include <QApplication>
#include <QScreen>
#include <QSessionManager>
#include <QSettings>
#include <cstdio>
#include <cstdlib>

namespace {

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace chordalis;

    if (!hasDisplay()) {
        std::fputs("chordalis: no display to open a window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set).\n"
                   "Start it within a desktop session, or in a virtual display:\n"
                   "    xvfb-run -a ./build/chordalis\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(AppTitle));
    QCoreApplication::setApplicationName(QLatin1String(AppTitle));
    QCoreApplication::setApplicationVersion(QLatin1String(AppVersion));

    const QString folder = programFolderFor(QCoreApplication::applicationDirPath());
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(AppTitle),
                    QLatin1String(AppTitle));
    QtMessageBoxes boxes;
    Program program(folder, boxes);

    if (!program.initTables())
        return 1;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!program.loadSettings(store, screen ? screen->size() : QSize()))
        return 0;

    // Declared before the window, which sends to them until it is gone.
    SystemMidiOut out;
    EventLoopClock clock;
    MainWindow window(program, store, boxes, out, clock);
    boxes.setParentWindow(&window);
    program.loadData();
    window.showPages();

    // Leaving the session or being told to terminate ends the program like Exit, without the
    // question: the settings are written once, then the event loop stops.
    auto endNow = [&window] {
        window.shutDown();
        QCoreApplication::exit(0);
    };
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [endNow](QSessionManager&) { endNow(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.shutDown(); });
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::terminationRequested, &window,
                     [endNow](int) { endNow(); });

    window.splash().showStartup();
    if (program.isShutDown()) // terminated while the splash was up
        return 0;
    window.show();
    program.fretboard.clearFretboard(); // the empty neck
    window.showPages();
    // With the window shown, so that a device that cannot be opened is reported over it.
    window.openSound();
    if (program.isShutDown()) // terminated while that report was up
        return 0;
    return app.exec();
}
