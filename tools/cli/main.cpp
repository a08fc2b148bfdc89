#include "CliCommands.h"
#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    const int status = chordalis::cli::run(
        args, chordalis::programFolderFor(QCoreApplication::applicationDirPath()), out, err);
    out.flush();
    err.flush();
    return status;
}
