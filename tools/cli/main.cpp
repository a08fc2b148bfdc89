#include "CliCommands.h"
#include "app/ProgramFolder.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// Qt's notes about the session (no runtime folder on a headless machine) are not the tool's
// output; everything else is passed on.
QtMessageHandler standardHandler = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (standardHandler)
        standardHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    standardHandler = qInstallMessageHandler(filterMessages);
    // The neck pictures are drawn with fonts, which need a GUI application; the tool never opens
    // a window, so it works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The arguments as given: Qt takes some out of its own list (--style, which progression
    // reads), so they are copied before the application sees them.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = chordalis::cli::run(
        args, chordalis::programFolderFor(QCoreApplication::applicationDirPath()), out, err);
    out.flush();
    err.flush();
    return status;
}
