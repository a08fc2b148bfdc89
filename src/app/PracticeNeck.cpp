#include "app/PracticeNeck.h"

#include "modes/Finder.h"

#include <algorithm>

namespace chordalis {

std::optional<NeckPlace> practicePlaceAt(const AppState& state, QPointF surfacePos) {
    const std::optional<NeckPress> press = neckPressAt(state, surfacePos);
    if (!press || press->fret == 0)
        return std::nullopt;
    const int fret = press->fret < 0 ? state.capo.openFret(press->string) : press->fret;
    return NeckPlace{fret, press->string};
}

void togglePlace(std::vector<NeckPlace>& chosen, NeckPlace place) {
    const auto at = std::find(chosen.begin(), chosen.end(), place);
    if (at == chosen.end())
        chosen.push_back(place);
    else
        chosen.erase(at);
}

void drawQuestion(Fretboard& board, const Question& question, const std::vector<NeckPlace>& chosen,
                  int sounding) {
    board.clearFretboard();
    if (question.quiz == QuizKind::FindInWindow || question.quiz == QuizKind::Runs)
        board.setPositionWindow(question.window);
    if (question.quiz == QuizKind::Runs) {
        for (std::size_t k = 0; k < question.places.size(); ++k) {
            const NeckPlace& p = question.places[k];
            board.drawMarker(MarkKind::Circle,
                             int(k) == sounding ? ColourRole::Root : ColourRole::Scale, {}, p.fret,
                             p.string);
        }
        board.clearLedFrame();
        if (sounding >= 0 && std::size_t(sounding) < question.places.size())
            board.addLedPosition(question.places[std::size_t(sounding)].fret,
                                 question.places[std::size_t(sounding)].string);
    }
    if (question.quiz == QuizKind::NameNote)
        for (const NeckPlace& p : question.places)
            board.drawMarker(MarkKind::Square, ColourRole::Root, {}, p.fret, p.string);
    // An open string chosen shows as the open sign beside the nut, where it was clicked.
    if (question.answerKind == AnswerKind::Places)
        for (const NeckPlace& p : chosen) {
            if (p.fret == 0) {
                board.drawSign(SignKind::Open, p.string);
                board.addLedPosition(0, p.string);
            } else {
                board.drawMarker(MarkKind::Circle, ColourRole::Chord, {}, p.fret, p.string);
            }
        }
    board.sendLedFrame();
}

std::optional<int> runNoteAt(double seconds, int tempo, int places) {
    if (tempo <= 0 || places <= 0 || seconds < 0)
        return std::nullopt;
    const long long beat = (long long)(seconds * tempo / 60.0);
    const long long steps = 2LL * places - 1; // up, then down without playing the top twice
    if (beat == 0)
        return -1;
    if (beat > steps)
        return std::nullopt;
    const long long k = beat - 1;
    return int(k < places ? k : steps - 1 - k);
}

} // namespace chordalis
