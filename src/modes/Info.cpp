#include "modes/Info.h"

#include "library/IniReader.h"
#include "theory/Spelling.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace chordalis {

namespace {

// Texts are a page or two; anything far larger is no information text.
constexpr qint64 MaxInfoTextBytes = 1024 * 1024;

constexpr int PedalGrooves = 6;

// Items come with one to three sequences; a larger count is damaged data, and the list would
// name up to 65,534 files that are not there.
constexpr int MaxSequences = 99;

QString inFolder(const QString& programFolder, const QString& relative) {
    QString path = programFolder;
    if (!path.endsWith(u'/'))
        path += u'/';
    return path + relative;
}

} // namespace

QString infoModeKey(Mode mode) {
    switch (mode) {
    case Mode::Chords:
        return QStringLiteral("chord");
    case Mode::Arpeggios:
        return QStringLiteral("arpeggio");
    case Mode::Scales:
        return QStringLiteral("scale");
    case Mode::Triads:
        return QStringLiteral("triad");
    case Mode::Notes:
    case Mode::ChordScale:
    case Mode::ChordFinder:
        break;
    }
    return {};
}

int infoItem(const AppState& state, Mode mode) {
    switch (mode) {
    case Mode::Chords:
        return state.selectedChord;
    case Mode::Arpeggios:
        return state.selectedArpeggio;
    case Mode::Scales:
        return state.selectedScale;
    case Mode::Triads:
        return state.selectedTriad;
    case Mode::Notes:
    case Mode::ChordScale:
    case Mode::ChordFinder:
        break;
    }
    return -1;
}

InfoKeys readInfoKeys(IniReader& ini, const QString& modeKey, int item) {
    QString file;
    if (modeKey == QLatin1String("chord") || modeKey == QLatin1String("arpeggio"))
        file = QStringLiteral("chord");
    else if (modeKey == QLatin1String("scale"))
        file = QStringLiteral("scale");
    else if (modeKey == QLatin1String("triad"))
        file = QStringLiteral("triad");
    else
        return {};
    const QString section = QString::number(item);
    return {ini.readIni(file, section, QStringLiteral("info")),
            ini.readIni(file, section, QStringLiteral("examples"))};
}

std::vector<ExampleEntry> exampleEntries(const QString& stem, const QString& examples,
                                         const ExampleNames& nameOf) {
    std::vector<ExampleEntry> entries;
    auto add = [&](const QString& fileStem, const QString& fallback) {
        QString caption = nameOf ? nameOf(fileStem).simplified() : QString();
        entries.push_back(
            {caption.isEmpty() ? fallback : caption, fileStem + QLatin1String(".emd")});
    };
    const int sequences = std::min(leadingNumber(examples), MaxSequences);
    for (int n = 1; n <= sequences; ++n) {
        const QString number = QString::number(n);
        add(stem + u'_' + number, QStringLiteral("Sequence ") + number);
        add(stem + u'_' + number + u'g',
            QStringLiteral("Sequence ") + number + QLatin1String(" (bass and drums only)"));
    }
    if (examples.endsWith(u'*')) {
        for (int k = 1; k <= PedalGrooves; ++k)
            add(QStringLiteral("P0%1").arg(k), QStringLiteral("Pedal Groove #%1").arg(k));
    }
    return entries;
}

ExampleNames exampleNamesFrom(IniReader& ini) {
    return [&ini](const QString& fileStem) {
        return ini.readIni(QStringLiteral("examples"), QStringLiteral("names"), fileStem);
    };
}

bool isPlainFileName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1String("..")))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
}

QString infoTextPath(const QString& programFolder, const QString& stem) {
    return inFolder(programFolder, QStringLiteral("system/") + stem + QLatin1String(".txt"));
}

QString examplePath(const QString& programFolder, const QString& file) {
    return inFolder(programFolder, QStringLiteral("midi/") + file);
}

std::optional<QByteArray> decodeExample(const QByteArray& emd) {
    constexpr qsizetype Header = 14;
    if (emd.size() < Header)
        return std::nullopt;
    QByteArray mid = emd;
    std::reverse(mid.begin() + Header, mid.end());
    return mid;
}

QString cannotFindMessage(const QString& path) {
    return QStringLiteral("ERROR: I cannot find the file: \n") + path;
}

QString noViewerMessage(const QString& pathOrAddress) {
    return QStringLiteral("ERROR: No program on this computer could open: \n%1\n\n"
                          "Please open it with a web browser.")
        .arg(pathOrAddress);
}

InfoText readInfoText(const QString& programFolder, const QString& stem) {
    InfoText result;
    result.path = infoTextPath(programFolder, stem);
    if (!isPlainFileName(stem) || !QFileInfo(result.path).isFile()) {
        result.error = cannotFindMessage(result.path);
        return result;
    }
    QFile file(result.path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("ERROR: I cannot read the file: \n%1\n%2")
                           .arg(result.path, file.errorString());
        return result;
    }
    if (file.size() > MaxInfoTextBytes) {
        result.error = QStringLiteral("ERROR: The file is too large for an information text: \n") +
                       result.path;
        return result;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    result.text = utf8.decode(bytes);
    if (utf8.hasError())
        result.text = QString::fromLatin1(bytes);
    return result;
}

} // namespace chordalis
