#pragma once

#include <QStringList>
#include <QTextStream>

namespace chordalis::cli {

// Exit statuses of the companion tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitDataError = 1; // a library file is missing
inline constexpr int ExitUsage = 2;     // the arguments are wrong
inline constexpr int ExitRefused = 3;   // the Play button would refuse

// Runs one invocation (arguments without the program name). JSON goes to out, messages to err.
// defaultFolder is the program folder used when --data is not given.
int run(const QStringList& args, const QString& defaultFolder, QTextStream& out, QTextStream& err);

QString usage();

} // namespace chordalis::cli
