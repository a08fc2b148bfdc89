#include "CliCommands.h"

#include "app/Json.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "app/RootTabs.h"

#include <QJsonDocument>
#include <QSettings>
#include <QTemporaryFile>
#include <map>
#include <optional>

namespace chordalis::cli {

QString usage() {
    return QStringLiteral(
        "Usage: chordalis-cli COMMAND [OPTIONS]\n"
        "\n"
        "Prints what Chordalis would show, as JSON on standard output.\n"
        "\n"
        "Commands:\n"
        "  spell --root R --formula F   Spell an interval formula for a root: note names, pitch\n"
        "                               classes, the formula and notes as the labels show them.\n"
        "                               R is a root tab: C C# Db D D# Eb E F F# Gb G G# Ab A A# Bb "
        "B\n"
        "                               F is a formula such as \"1;b3;5;b7\" (tokens of an "
        "optional\n"
        "                               f, b, #, x and a degree 1..14, separated by \";\").\n"
        "  library                      The chord, scale and triad libraries and every tree of "
        "the\n"
        "                               main window (keys, texts, parents), with the warnings "
        "that\n"
        "                               loading the data files gave.\n"
        "  help                         This text.\n"
        "\n"
        "Options:\n"
        "  --data DIR                   Use the data files of DIR instead of the program folder.\n"
        "  --help                       This text.\n"
        "\n"
        "Exit status: 0 success, 1 a library file is missing, 2 wrong arguments.\n");
}

namespace {

struct Arguments {
    QString command;
    std::map<QString, QString> options;
};

// Options that take a value; anything else is refused.
const QStringList ValueOptions = {QStringLiteral("--root"), QStringLiteral("--formula"),
                                  QStringLiteral("--data")};

std::optional<Arguments> parse(const QStringList& args, QString& error) {
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            parsed.command = QStringLiteral("help");
            return parsed;
        }
        if (a.startsWith(QLatin1String("--"))) {
            if (!ValueOptions.contains(a)) {
                error = QStringLiteral("unknown option %1").arg(a);
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(a);
                return std::nullopt;
            }
            parsed.options[a] = args[++i];
        } else if (parsed.command.isEmpty()) {
            parsed.command = a;
        } else {
            error = QStringLiteral("unexpected argument \"%1\"").arg(a);
            return std::nullopt;
        }
    }
    if (parsed.command.isEmpty()) {
        error = QStringLiteral("no command given");
        return std::nullopt;
    }
    return parsed;
}

void print(QTextStream& out, const QJsonObject& object) {
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

int spell(const Arguments& args, QTextStream& out, QTextStream& err) {
    const auto root = args.options.find(QStringLiteral("--root"));
    const auto formula = args.options.find(QStringLiteral("--formula"));
    if (root == args.options.end() || formula == args.options.end()) {
        err << "chordalis-cli: spell needs --root and --formula\n";
        return ExitUsage;
    }
    const auto tab = rootTabIndex(root->second);
    if (!tab) {
        err << "chordalis-cli: \"" << root->second
            << "\" is not a root; use one of C C# Db D D# Eb E F F# Gb G G# Ab A A# Bb B\n";
        return ExitUsage;
    }
    if (const auto fault = checkFormula(formula->second)) {
        err << "chordalis-cli: the formula \"" << formula->second << "\" is not valid: " << *fault
            << "\n";
        return ExitUsage;
    }
    const RootTab& r = RootTabs[size_t(*tab - 1)];
    const NoteList notes = spellFormula(formula->second, r.root, r.spelling);
    print(out, QJsonObject{{"root", root->second},
                           {"rootPitchClass", r.root},
                           {"rootSpelling", r.spelling},
                           {"formula", formula->second},
                           {"notes", toJson(notes)},
                           {"formulaText", formulaText(notes)},
                           {"notesText", notesText(notes)}});
    return ExitOk;
}

// Loads a program folder as start-up does, without the user's settings.
std::optional<int> loadProgram(Program& program, QTextStream& err) {
    if (!program.initTables())
        return ExitDataError;
    QTemporaryFile scratch; // an empty settings store: the defaults
    if (!scratch.open()) {
        err << "chordalis-cli: cannot create a temporary file\n";
        return ExitDataError;
    }
    QSettings store(scratch.fileName(), QSettings::IniFormat);
    program.loadSettings(store, QSize(1024, 768));
    program.loadLibraries();
    return std::nullopt;
}

// Message boxes of a headless run: their text goes to stderr.
class StderrBoxes : public MessageBoxes {
public:
    explicit StderrBoxes(QTextStream& err) : m_err(err) {}
    void inform(BoxIcon, const QString& text) override {
        m_err << "chordalis-cli: " << QString(text).replace(u'\n', u' ') << "\n";
    }
    bool ask(BoxIcon, const QString&) override { return true; }

private:
    QTextStream& m_err;
};

int library(const QString& folder, QTextStream& out, QTextStream& err) {
    StderrBoxes boxes(err);
    Program program(folder, boxes, /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    QJsonObject result = librariesToJson(program.state);
    const MainPages& p = program.pages;
    result.insert("trees", QJsonObject{{"tvwChords", toJson(p.chords.tvwChords)},
                                       {"tvwScales", toJson(p.scales.tvwScales)},
                                       {"tvwArps", toJson(p.arpeggios.tvwArps)},
                                       {"tvwTriads", toJson(p.triads.tvwTriads)},
                                       {"tvwStringGroup", toJson(p.triads.tvwStringGroup)},
                                       {"tvwCSChords", toJson(p.chordScale.tvwCSChords)}});
    result.insert("programFolder", program.programFolder());
    result.insert("warnings", QJsonArray::fromStringList(program.warnings.messages()));
    print(out, result);
    return ExitOk;
}

} // namespace

int run(const QStringList& args, const QString& defaultFolder, QTextStream& out, QTextStream& err) {
    QString error;
    const auto parsed = parse(args, error);
    if (!parsed) {
        err << "chordalis-cli: " << error << "\n\n" << usage();
        return ExitUsage;
    }
    const QString& command = parsed->command;
    if (command == QLatin1String("help")) {
        out << usage();
        return ExitOk;
    }
    const auto data = parsed->options.find(QStringLiteral("--data"));
    const QString folder = data != parsed->options.end() ? data->second : defaultFolder;
    if (command == QLatin1String("spell"))
        return spell(*parsed, out, err);
    if (command == QLatin1String("library"))
        return library(folder, out, err);
    err << "chordalis-cli: unknown command \"" << command << "\"\n\n" << usage();
    return ExitUsage;
}

} // namespace chordalis::cli
