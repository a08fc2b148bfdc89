#pragma once

#include "CliArguments.h"
#include "modes/Pages.h"

#include <QJsonObject>
#include <QTextStream>
#include <functional>

namespace chordalis {
class Program;
}

namespace chordalis::cli {

// The companion tool's live commands: what the program sounds, played through the system's real
// output for the time it lasts, so that its timing can be checked from outside (a recorder on
// the same JACK server, a receiving MIDI client). The output is the one the user's settings
// choose (Options > Playback Settings), or --device N (-1 the built-in synthesizer); the
// playback settings come from the same store, which is only read.

// `metronome --tempo T --seconds S [--device N]`: the metronome at T beats per minute (40..400)
// for S seconds (0.1..3600), then the output is closed. Prints the output and the clicks sent.
int liveMetronome(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err);

// `play MODE ... --live`: `prepare` chooses the display and the playback options on the program
// (false, with the reason in error, when they are wrong); the page's Play then sounds for
// `seconds` (its length), and a little more for the last notes to leave. Prints `what` with the
// output.
int livePlay(const QString& folder, const Arguments& args, Mode mode, double seconds,
             const std::function<bool(Program&, QString& error)>& prepare, QJsonObject what,
             QTextStream& out, QTextStream& err);

} // namespace chordalis::cli
