// Any argument list for the companion tool (the input split at NUL bytes), read as the tool reads
// it before running a command: a refusal has a reason; options are known ones and every --root is
// kept; numbers, frets and tunings that are taken lie within their limits. Nothing is run.
#include "CliArguments.h"
#include "FuzzSupport.h"

using namespace chordalis;
using chordalis::fuzz::require;
using namespace chordalis::cli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList args;
    for (const QByteArray& part : fuzz::inputBytes(data, size).split('\0'))
        args << QString::fromUtf8(part);

    QString error;
    const auto parsed = parseArguments(args, error);
    if (!parsed) {
        require(!error.isEmpty());
        return 0;
    }
    const Arguments& a = *parsed;
    require(!a.command.isEmpty());
    for (const auto& [option, value] : a.options)
        require(ValueOptions.contains(option) || FlagOptions.contains(option));
    require(a.roots.size() <= args.count(QStringLiteral("--root")));
    if (const auto option = optionNotFor(a))
        require(a.options.count(*option) == 1 && !optionsOf(a.command).contains(*option));

    for (const char* option : {"--item", "--group", "--voicing", "--position", "--channel"}) {
        error.clear();
        const auto n = numberOption(a, option, -3, 99, error);
        require(n ? *n >= -3 && *n <= 99 : !error.isEmpty());
    }
    // The finder's selection on a neck of 4 to 10 strings and up to 24 frets; a capo on it.
    const int strings = MinStrings + int(args.size() % (MaxStrings - MinStrings + 1));
    const int maxFret = MinFrets + int(a.options.size() % (MaxFrets - MinFrets + 1));
    error.clear();
    if (const auto frets = parseFrets(a.value("--frets"), strings, maxFret, error)) {
        require(frets->size() == size_t(strings));
        for (int fret : *frets)
            require(fret >= -1 && fret <= maxFret);
    } else {
        require(!error.isEmpty());
    }
    error.clear();
    if (const auto capo = parseCapo(a.value("--capo"), strings, maxFret, error))
        require(capo->fret >= 1 && capo->fret < maxFret && capo->fits(strings));
    else
        require(!error.isEmpty());
    error.clear();
    std::optional<TuningChoice> tuning;
    if (readTuningOptions(a, tuning, error)) {
        require(tuning.has_value() == (a.has("--preset") || a.has("--tuning")));
        const int count = tuning ? tuning->tuning.strings() : 0;
        require(!tuning || (count >= MinStrings && count <= MaxStrings));
        for (int string = 1; string <= count; ++string)
            require(isOpenNoteInRange(count, string, tuning->tuning.openNote(string)));
    } else {
        require(!error.isEmpty());
    }
    return 0;
}
