#include "app/AppInfo.h"
#include "app/Program.h"
#include "app/ProgramFolder.h"
#include "ui/DesktopWindow.h"
#include "ui/FirstFrame.h"
#include "ui/FocusStyle.h"
#include "ui/QtMessageBoxes.h"
#include "ui/SignalWatcher.h"
#include "ui/SingleInstance.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QIcon>
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

    traceStartUp("main");
    QApplication app(argc, argv);
    // The desktop's style and palette, taken before the program sets any: View > Theme's System,
    // which follows the desktop's colour scheme as it changes.
    const DesktopScheme scheme;
    const ThemeChooser themes(&scheme);
    QApplication::setStyle(new FocusStyle);
    QCoreApplication::setOrganizationName(QLatin1String(AppTitle));
    QCoreApplication::setApplicationName(QLatin1String(AppTitle));
    QCoreApplication::setApplicationVersion(QLatin1String(AppVersion));
    // Ties the window to the installed desktop entry (its name and icon on Wayland), and gives
    // it the installed icon on X11; a build that is not installed keeps the desktop's default.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.chordalis.Chordalis"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.chordalis.Chordalis")));

    const QString folder = programFolderFor(QCoreApplication::applicationDirPath());
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(AppTitle),
                    QLatin1String(AppTitle));

    // One instance per settings store: a second start brings the first one's window to the
    // front and ends, unless it asks for another.
    SingleInstance instance(SingleInstance::socketFor(store.fileName()));
    DesktopWindow* shown = nullptr;
    if (!QCoreApplication::arguments().contains(QLatin1String(SingleInstance::NewInstanceFlag))) {
        if (instance.askRunning()) {
            std::fputs("chordalis: already running; its window was brought to the front "
                       "(chordalis --new-instance starts another)\n",
                       stderr);
            return 0;
        }
        instance.listen([&shown] {
            if (shown)
                shown->bringToFront();
        });
    }

    QtMessageBoxes boxes;
    Program program(folder, boxes, Devices::system());
    // Declared after the program, so that the window goes first.
    DesktopWindow desktop(program, store, boxes, &themes);
    shown = &desktop;

    // Leaving the session or being told to terminate ends the program like Exit, without the
    // question: the settings are written once, then the event loop stops.
    auto endNow = [&program, &store] {
        program.shutDown(store);
        QCoreApplication::exit(0);
    };
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [endNow](QSessionManager&) { endNow(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app,
                     [&program, &store] { program.shutDown(store); });
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::terminationRequested, &app,
                     [endNow](int) { endNow(); });

    const QScreen* screen = QGuiApplication::primaryScreen();
    if (const auto status = program.startUp(store, screen ? screen->size() : QSize(), &desktop))
        return *status;
    return app.exec();
}
