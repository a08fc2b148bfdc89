#include "CliArguments.h"

#include "theory/Instruments.h"
#include "theory/Spelling.h"

#include <QRegularExpression>
#include <algorithm>

namespace chordalis::cli {

const QStringList ValueOptions = {
    QStringLiteral("--root"),       QStringLiteral("--formula"),   QStringLiteral("--data"),
    QStringLiteral("--item"),       QStringLiteral("--voicing"),   QStringLiteral("--position"),
    QStringLiteral("--tuning"),     QStringLiteral("--preset"),    QStringLiteral("--png"),
    QStringLiteral("--group"),      QStringLiteral("--scale"),     QStringLiteral("--frets"),
    QStringLiteral("--skin"),       QStringLiteral("--render"),    QStringLiteral("--instrument"),
    QStringLiteral("--channel"),    QStringLiteral("--volume"),    QStringLiteral("--tempo"),
    QStringLiteral("--pdf"),        QStringLiteral("--decode"),    QStringLiteral("--labels"),
    QStringLiteral("--fret-count"), QStringLiteral("--capo"),      QStringLiteral("--seconds"),
    QStringLiteral("--device"),     QStringLiteral("--boxes"),     QStringLiteral("--mode"),
    QStringLiteral("--style"),      QStringLiteral("--region"),    QStringLiteral("--a4"),
    QStringLiteral("--check"),      QStringLiteral("--seed"),      QStringLiteral("--db"),
    QStringLiteral("--answers"),    QStringLiteral("--questions"), QStringLiteral("--csv"),
    QStringLiteral("--chordpro"),   QStringLiteral("--musicxml"),  QStringLiteral("--midi"),
    QStringLiteral("--melody"),     QStringLiteral("--passes"),    QStringLiteral("--strum")};
const QStringList FlagOptions = {
    QStringLiteral("--five"),      QStringLiteral("--left-handed"), QStringLiteral("--midi-log"),
    QStringLiteral("--all-roots"), QStringLiteral("--led-reports"), QStringLiteral("--generated"),
    QStringLiteral("--live"),      QStringLiteral("--all-items"),   QStringLiteral("--bass"),
    QStringLiteral("--drums"),     QStringLiteral("--count-in")};

std::optional<Arguments> parseArguments(const QStringList& args, QString& error) {
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            parsed.command = QStringLiteral("help");
            return parsed;
        }
        if (FlagOptions.contains(a)) {
            parsed.options[a] = QString();
        } else if (a.startsWith(QLatin1String("--"))) {
            if (!ValueOptions.contains(a)) {
                error = QStringLiteral("unknown option %1").arg(a);
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(a);
                return std::nullopt;
            }
            parsed.options[a] = args[++i];
            if (a == QLatin1String("--root"))
                parsed.roots << parsed.options[a];
        } else if (parsed.command.isEmpty()) {
            parsed.command = a;
        } else {
            parsed.operands << a;
        }
    }
    if (parsed.command.isEmpty()) {
        error = QStringLiteral("no command given");
        return std::nullopt;
    }
    return parsed;
}

namespace {

// The options of the commands that run a display.
const QStringList DisplayOptions = {
    QStringLiteral("--data"),    QStringLiteral("--root"),     QStringLiteral("--item"),
    QStringLiteral("--group"),   QStringLiteral("--scale"),    QStringLiteral("--frets"),
    QStringLiteral("--voicing"), QStringLiteral("--position"), QStringLiteral("--five"),
    QStringLiteral("--tuning"),  QStringLiteral("--preset"),   QStringLiteral("--left-handed"),
    QStringLiteral("--skin"),    QStringLiteral("--labels"),   QStringLiteral("--fret-count"),
    QStringLiteral("--capo")};

} // namespace

QStringList optionsOf(const QString& command) {
    if (command == QLatin1String("spell"))
        return {QStringLiteral("--root"), QStringLiteral("--formula")};
    if (command == QLatin1String("library"))
        return {QStringLiteral("--data")};
    if (command == QLatin1String("voicings"))
        return {QStringLiteral("--data"), QStringLiteral("--tuning"), QStringLiteral("--preset"),
                QStringLiteral("--fret-count"), QStringLiteral("--capo")};
    if (command == QLatin1String("show"))
        return DisplayOptions +
               QStringList{QStringLiteral("--led-reports"), QStringLiteral("--generated")};
    if (command == QLatin1String("render"))
        return DisplayOptions + QStringList{QStringLiteral("--png"), QStringLiteral("--boxes")};
    if (command == QLatin1String("play"))
        return DisplayOptions +
               QStringList{QStringLiteral("--instrument"), QStringLiteral("--channel"),
                           QStringLiteral("--volume"),     QStringLiteral("--tempo"),
                           QStringLiteral("--midi-log"),   QStringLiteral("--render"),
                           QStringLiteral("--live"),       QStringLiteral("--device")};
    if (command == QLatin1String("metronome"))
        return {QStringLiteral("--data"), QStringLiteral("--tempo"), QStringLiteral("--seconds"),
                QStringLiteral("--device")};
    if (command == QLatin1String("print"))
        return DisplayOptions + QStringList{QStringLiteral("--pdf"), QStringLiteral("--all-roots"),
                                            QStringLiteral("--all-items")};
    if (command == QLatin1String("info"))
        return {QStringLiteral("--data"), QStringLiteral("--item"), QStringLiteral("--root")};
    if (command == QLatin1String("find"))
        return {QStringLiteral("--data")};
    if (command == QLatin1String("listen"))
        return {
            QStringLiteral("--data"),       QStringLiteral("--tuning"), QStringLiteral("--preset"),
            QStringLiteral("--fret-count"), QStringLiteral("--a4"),     QStringLiteral("--check"),
            QStringLiteral("--seed"),       QStringLiteral("--db"),     QStringLiteral("--answers"),
            QStringLiteral("--questions"),  QStringLiteral("--csv")};
    if (command == QLatin1String("example"))
        return {QStringLiteral("--decode"), QStringLiteral("--midi-log"),
                QStringLiteral("--render"), QStringLiteral("--root")};
    if (command == QLatin1String("key"))
        return {QStringLiteral("--data"), QStringLiteral("--root"), QStringLiteral("--mode")};
    if (command == QLatin1String("progression"))
        return {QStringLiteral("--data"),       QStringLiteral("--root"),
                QStringLiteral("--mode"),       QStringLiteral("--style"),
                QStringLiteral("--region"),     QStringLiteral("--tuning"),
                QStringLiteral("--preset"),     QStringLiteral("--capo"),
                QStringLiteral("--fret-count"), QStringLiteral("--chordpro"),
                QStringLiteral("--musicxml"),   QStringLiteral("--pdf"),
                QStringLiteral("--midi"),       QStringLiteral("--bass"),
                QStringLiteral("--tempo"),      QStringLiteral("--melody"),
                QStringLiteral("--strum"),      QStringLiteral("--drums"),
                QStringLiteral("--passes"),     QStringLiteral("--count-in")};
    return ValueOptions + FlagOptions; // an unknown command is refused on its own
}

std::optional<QString> optionNotFor(const Arguments& args) {
    const QStringList applies = optionsOf(args.command);
    for (const auto& [option, value] : args.options)
        if (!applies.contains(option))
            return option;
    return std::nullopt;
}

std::optional<int> numberOption(const Arguments& args, const char* option, int low, int high,
                                QString& error) {
    bool ok = false;
    const int value = args.value(option).toInt(&ok);
    if (!ok || value < low || value > high) {
        error = QStringLiteral("%1 must be a whole number %2..%3, not \"%4\"")
                    .arg(QLatin1String(option))
                    .arg(low)
                    .arg(high)
                    .arg(args.value(option));
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<int>> parseFrets(const QString& text, int strings, int maxFret,
                                           QString& error) {
    std::vector<int> selection(size_t(std::max(0, strings)), 0);
    const QString count = strings == 6 ? QStringLiteral("six") : QString::number(strings);
    int string = strings;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (string < 1) {
            error = QStringLiteral("--frets \"%1\" names more than %2 strings").arg(text, count);
            return std::nullopt;
        }
        const QChar ch = text[i];
        int value = 0;
        if (ch == u'x' || ch == u'X') {
            value = 0;
        } else if (ch == u'0') {
            value = -1;
        } else if (ch.isDigit() && ch.unicode() < 128) {
            value = ch.digitValue();
        } else if (ch == u'(') {
            const qsizetype close = text.indexOf(u')', i);
            bool ok = false;
            const QString inner = text.mid(i + 1, close - i - 1);
            value = close < 0 ? 0 : inner.toInt(&ok);
            if (!ok || value < 1 || value > maxFret || inner != QString::number(value)) {
                error = QStringLiteral("--frets \"%1\": a fret in brackets must be a whole number "
                                       "1..%2, as in (10)")
                            .arg(text)
                            .arg(maxFret);
                return std::nullopt;
            }
            i = close;
        } else {
            error = QStringLiteral("--frets \"%1\": \"%2\" is not x, a digit or a bracketed fret")
                        .arg(text, ch);
            return std::nullopt;
        }
        selection[size_t(string-- - 1)] = value;
    }
    if (string != 0) {
        error = strings == 6 ? QStringLiteral("--frets \"%1\" must name all six strings, 6 to 1 "
                                              "(for example x32010)")
                                   .arg(text)
                             : QStringLiteral("--frets \"%1\" must name all %2 strings, %2 to 1")
                                   .arg(text)
                                   .arg(strings);
        return std::nullopt;
    }
    return selection;
}

namespace {

// A tuning or instrument as the program lists it by name ("Dropped D", "Ukulele"), in any case
// and without the blanks the tuning dialog's texts carry.
std::optional<TuningChoice> namedTuning(const QString& text) {
    const QString name = text.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    auto same = [&](const char* listed) {
        return QString::fromUtf8(listed).trimmed().compare(name, Qt::CaseInsensitive) == 0;
    };
    for (int preset = 1; preset < int(TuningPresets.size()); ++preset) {
        if (same(TuningPresets[size_t(preset)].text))
            return TuningChoice{presetTuning(preset), TuningPresets[size_t(preset)].spelling, {}};
    }
    for (const InstrumentPreset& p : InstrumentPresets) {
        if (same(p.name)) {
            const Instrument neck = p.instrument();
            return TuningChoice{neck.tuning, 1, neck};
        }
    }
    return std::nullopt;
}

} // namespace

bool readTuningOptions(const Arguments& args, std::optional<TuningChoice>& choice, QString& error) {
    choice.reset();
    if (args.has("--preset") && args.has("--tuning")) {
        error = QStringLiteral("give either --preset or --tuning, not both");
        return false;
    }
    if (args.has("--preset")) {
        const auto preset = numberOption(args, "--preset", 1, LastTuningPreset, error);
        if (!preset)
            return false;
        choice = TuningChoice{presetTuning(*preset), TuningPresets[size_t(*preset)].spelling, {}};
    } else if (const auto named = namedTuning(args.value("--tuning"))) {
        choice = named;
    } else if (args.has("--tuning")) {
        const QStringList notes = args.value("--tuning").split(QLatin1Char(','));
        const int strings = int(notes.size());
        Tuning tuning{CustomPreset, {}};
        bool ok = strings >= MinStrings && strings <= MaxStrings;
        for (int s = 1; ok && s <= strings; ++s) {
            const QString text = notes[s - 1].trimmed();
            int note = text.toInt(&ok);
            if (!ok) {
                const auto named = midiNoteOf(text);
                ok = named.has_value();
                note = named.value_or(0);
            }
            ok = ok && isOpenNoteInRange(strings, s, note);
            tuning.notes.push_back(note);
        }
        if (!ok && strings == 6) {
            error = QStringLiteral("--tuning needs six MIDI notes for strings 1..6, each from 7 "
                                   "semitones below to 3 above standard (64,59,55,50,45,40), not "
                                   "\"%1\"")
                        .arg(args.value("--tuning"));
            return false;
        }
        if (!ok) {
            error =
                QStringLiteral("--tuning needs 4 to 10 open notes, highest string first, as "
                               "MIDI numbers or names with their octave (E4,B3,G3,D3,A2,E2,B1), "
                               "six within 7 semitones below to 3 above standard and any other "
                               "number within C0..C8, not \"%1\"")
                    .arg(args.value("--tuning"));
            return false;
        }
        tuning.preset = hasStandardNotes(tuning) ? StandardPreset : CustomPreset;
        choice = TuningChoice{tuning, 0, {}};
    }
    return true;
}

bool readNeckOptions(const Arguments& args, Instrument& neck, Capo& capo, QString& error,
                     int* spelling) {
    std::optional<TuningChoice> choice;
    if (!readTuningOptions(args, choice, error))
        return false;
    if (choice) {
        // Open notes alone make a neck whose every string starts at the nut; a short string
        // comes with its instrument's name.
        if (choice->instrument)
            neck = *choice->instrument;
        else
            neck.firstFrets = {};
        neck.tuning = choice->tuning;
        if (spelling)
            *spelling = choice->spelling;
    }
    if (args.has("--fret-count")) {
        const auto frets = numberOption(args, "--fret-count", MinFrets, MaxFrets, error);
        if (!frets)
            return false;
        neck.frets = *frets;
    }
    if (args.has("--capo")) {
        const auto chosen = parseCapo(args.value("--capo"), neck.strings(), neck.frets, error);
        if (!chosen)
            return false;
        capo = *chosen;
    }
    return true;
}

std::optional<Capo> parseCapo(const QString& text, int strings, int frets, QString& error) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?::(\\d{1,2})-(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    Capo capo;
    if (m.hasMatch()) {
        capo.fret = m.captured(1).toInt();
        if (m.hasCaptured(2)) {
            const int from = m.captured(2).toInt();
            const int to = m.captured(3).toInt();
            capo.highString = std::min(from, to);
            capo.lowString = std::max(from, to);
        }
    }
    if (!m.hasMatch() || capo.fret < 1 || !capo.fits(strings) || capo.fret >= frets) {
        error = QStringLiteral("--capo needs a fret 1..%1 below the neck's last, and for a capo "
                               "across some strings two or more adjacent ones of the %2 "
                               "(FRET or FRET:FROM-TO, such as 2 or 2:5-3), not \"%3\"")
                    .arg(std::min(Capo::MaxCapoFret, frets - 1))
                    .arg(strings)
                    .arg(text);
        return std::nullopt;
    }
    return capo;
}

} // namespace chordalis::cli
