#include "app/ProgressionSettings.h"

#include <QRegularExpression>
#include <QSettings>

namespace chordalis {

namespace {

QString key(const char* name) {
    return QStringLiteral("Progressions/") + QLatin1String(name);
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// "True" or "False" in any case; anything else keeps the default.
bool readBool(const QSettings& store, const char* name, bool fallback) {
    const QString t = store.value(key(name)).toString().trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return fallback;
}

QString word(const QSettings& store, const char* name) {
    return store.value(key(name)).toString().trimmed().toLower();
}

} // namespace

ProgressionChoices readProgressionChoices(const QSettings& store) {
    ProgressionChoices c;
    c.mode = keyModeOf(word(store, "Mode")).value_or(c.mode);
    c.sevenths = readBool(store, "Sevenths", c.sevenths);
    c.style = voicingStyleOf(word(store, "Style")).value_or(c.style);
    static const QRegularExpression range(QStringLiteral("^(\\d{1,2})-(\\d{1,2})$"));
    if (const auto m = range.match(word(store, "Region")); m.hasMatch()) {
        const int low = m.captured(1).toInt(), high = m.captured(2).toInt();
        if (low <= high && high <= MaxFrets)
            c.region = std::pair(low, high);
    }
    c.pattern = strumPatternOf(word(store, "Strum")).value_or(c.pattern);
    c.bass = bassPatternOf(word(store, "Bass")).value_or(c.bass);
    c.drums = readBool(store, "Drums", c.drums);
    c.countIn = readBool(store, "Count-in", c.countIn);
    // Not read when too long for the page: the library's first progression instead.
    const QString text = store.value(key("Text")).toString();
    if (text.size() <= MaxProgressionText)
        c.text = text;
    bool ok = false;
    const int meter = store.value(key("Meter")).toString().trimmed().toInt(&ok);
    if (ok && meter >= 1 && meter <= 12)
        c.beatsPerBar = meter;
    return c;
}

QMap<QString, QString> progressionChoiceTexts(const ProgressionChoices& c) {
    return {{key("Mode"), QLatin1String(keyModeWord(c.mode))},
            {key("Sevenths"), boolText(c.sevenths)},
            {key("Style"), QLatin1String(voicingStyleWord(c.style))},
            {key("Region"), c.region
                                ? QStringLiteral("%1-%2").arg(c.region->first).arg(c.region->second)
                                : QStringLiteral("whole")},
            {key("Strum"), QLatin1String(strumPatternWord(c.pattern))},
            {key("Bass"), QLatin1String(bassPatternWord(c.bass))},
            {key("Drums"), boolText(c.drums)},
            {key("Count-in"), boolText(c.countIn)},
            {key("Text"), c.text},
            {key("Meter"), QString::number(c.beatsPerBar)}};
}

void writeProgressionChoices(QSettings& store, const ProgressionChoices& choices,
                             const QMap<QString, QString>& asRead) {
    const QMap<QString, QString> now = progressionChoiceTexts(choices);
    for (auto it = now.begin(); it != now.end(); ++it)
        if (it.value() != asRead.value(it.key()) || !store.contains(it.key()))
            store.setValue(it.key(), it.value());
}

} // namespace chordalis
