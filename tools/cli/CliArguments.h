#pragma once

#include "theory/Tuning.h"
#include "voicings/GripSearch.h"

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace chordalis::cli {

// The companion tool's command line, read without running anything: the command, its operands
// and its options, and the option values the commands take as numbers, frets or a tuning.

struct Arguments {
    QString command;
    QStringList operands; // after the command
    std::map<QString, QString> options;
    QStringList roots; // every --root, in order; options holds the last

    bool has(const char* option) const { return options.count(QLatin1String(option)) > 0; }
    QString value(const char* option) const {
        const auto it = options.find(QLatin1String(option));
        return it != options.end() ? it->second : QString();
    }
};

// Options that take a value, and options that stand alone; anything else is refused.
extern const QStringList ValueOptions;
extern const QStringList FlagOptions;

// Splits the arguments (without the program name) into command, operands and options; "--help"
// or "-h" anywhere gives the command "help". Nothing, with the reason in error, for an unknown
// option, an option without its value or no command.
std::optional<Arguments> parseArguments(const QStringList& args, QString& error);

// The options a command reads; an unknown command gives every option (it is refused on its own).
QStringList optionsOf(const QString& command);

// The first option given that the command does not read, or nothing.
std::optional<QString> optionNotFor(const Arguments& args);

// A whole number option within low..high, or nothing with the reason in error.
std::optional<int> numberOption(const Arguments& args, const char* option, int low, int high,
                                QString& error);

// A finder selection written from the lowest string to string 1 ("x32010", "x(10)(12)(12)(12)x"
// on six strings): per string, string 1 first, 0 not played, -1 open, 1..maxFret a fret. Nothing,
// with the reason in error, for anything else or another number of strings.
std::optional<std::vector<int>> parseFrets(const QString& text, int strings, int maxFret,
                                           QString& error);

// The tuning --preset N or --tuning NOTES asks for: NOTES highest string first, 4 to 10 of them,
// as MIDI numbers or names with their octave ("64,59,55,50,45,40", "E4,B3,G3,D3,A2,E2,B1"),
// six within the tuning dialog's limits, any other number within C0..C8; with the spelling
// column of the open strings' names.
struct TuningChoice {
    Tuning tuning{};
    int spelling = 0;
    // An instrument named by --tuning brings its frets and scale length too.
    std::optional<Instrument> instrument;
};
// False, with the reason in error, for a wrong value or both options; true otherwise, with the
// choice in tuning when either option was given.
bool readTuningOptions(const Arguments& args, std::optional<TuningChoice>& tuning, QString& error);

// A capo as --capo writes it: "FRET" across the neck, or "FRET:FROM-TO" across strings FROM to
// TO (either order) of a neck of that many strings and frets; nothing, with the reason in error,
// for anything else.
std::optional<Capo> parseCapo(const QString& text, int strings, int frets, QString& error);

// The neck options applied to `neck` and `capo`: --preset N or --tuning NOTES (an instrument's
// name brings its frets and scale length), --fret-count N, then --capo on the neck they make.
// False, with the reason in error, for a wrong value; `spelling`, when given, takes the spelling
// column of a chosen tuning.
bool readNeckOptions(const Arguments& args, Instrument& neck, Capo& capo, QString& error,
                     int* spelling = nullptr);

} // namespace chordalis::cli
