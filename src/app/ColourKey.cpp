#include "app/ColourKey.h"

#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "modes/Modes.h"

namespace chordalis {

namespace {

std::array<PackedColour*, 4> colours(AppState& s) {
    return {&s.colourRoot, &s.colourChord, &s.colourScale, &s.colourBoth};
}

} // namespace

void ColourKey::showme(const Program& program) {
    const AppState& state = program.state();
    piccol = {state.colourRoot, state.colourChord, state.colourScale, state.colourBoth};
}

void ColourKey::colourChosen(int box, PackedColour colour) {
    if (box >= 0 && box < int(piccol.size()))
        piccol[std::size_t(box)] = colour & 0xFFFFFF;
}

bool ColourKey::reset(Program& program, MessageBoxes& boxes) {
    if (!boxes.ask(BoxIcon::Question, QLatin1String(ResetColoursQuestion)))
        return false;
    AppState& state = program.context().state;
    const AppState defaults;
    state.colourRoot = defaults.colourRoot;
    state.colourChord = defaults.colourChord;
    state.colourScale = defaults.colourScale;
    state.colourBoth = defaults.colourBoth;
    showme(program);
    return true;
}

void ColourKey::ok(Program& program) {
    const auto shared = colours(program.context().state);
    for (std::size_t i = 0; i < piccol.size(); ++i)
        *shared[i] = piccol[i];
    rootChange(program.context(), program.pages().rootTab);
}

} // namespace chordalis
