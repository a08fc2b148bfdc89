#pragma once

// What the fuzz targets share: a check whose failure is a finding, and a scratch folder.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

namespace chordalis::fuzz {

// A failed check aborts, so that libFuzzer keeps the input that broke it.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

// A folder of this process's own for the files an input becomes; removed when the run ends.
inline QString scratchFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/chordalis-fuzz-XXXXXX"));
    require(dir.isValid());
    return dir.path();
}

} // namespace chordalis::fuzz
