#include "app/StartupWarnings.h"

namespace chordalis {

QString startupWarningsText(const QStringList& warnings) {
    if (warnings.isEmpty())
        return {};
    QString text = warnings.size() == 1
                       ? QStringLiteral("A data file has a problem; the program goes on "
                                        "without what it affects:\n\n")
                       : QStringLiteral("The data files have %1 problems; the program goes on "
                                        "without what they affect:\n\n")
                             .arg(warnings.size());
    for (const QString& line : warnings.mid(0, ListedStartupWarnings))
        text += QStringLiteral("\u2022 ") + line.left(300) + u'\n';
    if (warnings.size() > ListedStartupWarnings)
        text +=
            QStringLiteral("\u2026 and %1 more.\n").arg(warnings.size() - ListedStartupWarnings);
    return text;
}

} // namespace chordalis
