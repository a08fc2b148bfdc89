#include "sound/Player.h"

#include "app/AppState.h"
#include "library/TreeModel.h"
#include "theory/Spelling.h"

namespace chordalis {

float stepDelay(PlayKind kind, int tempo) {
    const double t = double(tempo) / 100.0;
    switch (kind) {
    case PlayKind::Chord:
        return float(0.7 - 0.69 * t);
    case PlayKind::Scale:
        return float(1.0 - 0.8 * t);
    case PlayKind::Arpeggio:
        return float(1.5 - 1.3 * t);
    }
    return 0.0f;
}

int runBase(int rootPitchClass) {
    return rootPitchClass <= 3 ? 48 : 36;
}

Strum voicingStrum(const AppState& state, int column) {
    Strum notes;
    if (column < 0 || column >= VoicingColumns)
        return notes;
    for (int s = 6; s >= 1; --s) {
        const QString& text = state.voicingFrets[size_t(s)][size_t(column)];
        if (text.isEmpty() || text == QLatin1String("xx"))
            continue;
        bool ok = false;
        const int fret = text.toInt(&ok);
        if (ok)
            notes.push_back({s, state.tuning[size_t(s)] + fret});
    }
    return notes;
}

Strum finderStrum(const AppState& state) {
    Strum notes;
    for (int s = 6; s >= 1; --s) {
        const int sel = state.finderSelection[size_t(s)];
        if (sel != 0)
            notes.push_back({s, state.tuning[size_t(s)] + (sel == -1 ? 0 : sel)});
    }
    return notes;
}

int Player::channel() const {
    return std::clamp(m_state.playback.channel, 1, 16) - 1;
}
int Player::velocity() const {
    return std::clamp(m_state.playback.volume, 0, 127);
}

void Player::noteOn(int note, int velocity, int channel) {
    if (note >= 0 && note <= 127)
        m_out.shortMessage(packShortMessage(0x90 + (channel & 0x0F), note, velocity));
}

void Player::noteOff(int note, int velocity, int channel) {
    if (note >= 0 && note <= 127)
        m_out.shortMessage(packShortMessage(0x80 + (channel & 0x0F), note, velocity));
}

void Player::programChange() {
    const int program = std::clamp(m_state.playback.instrument, 1, 128) - 1;
    m_out.shortMessage(packShortMessage(0xC0 + channel(), program));
}

int Player::selectedVoicingColumn() const {
    int column = 0;
    for (const TreeNode& node : m_voicings.nodes()) {
        if (leadingNumber(node.key) == m_state.selectedVoicing)
            return column < VoicingColumns ? column : -1;
        ++column;
    }
    return -1;
}

void Player::playChord() {
    strum(voicingStrum(m_state, selectedVoicingColumn()));
}
void Player::playTriad() {
    strum(voicingStrum(m_state, 0));
}
void Player::playFinder() {
    strum(finderStrum(m_state));
}

void Player::strum(const Strum& notes) {
    // Settings are read once: a change made during the hold applies to the next play.
    const int ch = channel();
    const int vel = velocity();
    const float delay = stepDelay(PlayKind::Chord, m_state.playback.chordTempo);
    float total = 0.0f;
    for (const StrummedNote& n : notes) {
        noteOn(n.note, vel, ch);
        m_clock.waitSeconds(delay);
        total += delay;
    }
    m_clock.waitSeconds(4.0f - total);
    // Exactly the notes this strum started, whatever the user has chosen since.
    for (const StrummedNote& n : notes)
        noteOff(n.note, vel, ch);
}

void Player::run(PlayKind kind, bool closingRoot) {
    const int tempo =
        kind == PlayKind::Scale ? m_state.playback.scaleTempo : m_state.playback.arpeggioTempo;
    const float delay = stepDelay(kind, tempo);
    const int ch = channel();
    const int vel = velocity();
    // Copied: the list changes if the user picks another scale while this one plays.
    const NoteList list = m_state.noteList;
    const int base = runBase(list[0].pitchClass);

    int previous = 0;
    auto play = [&](int pitchClass) {
        int n = pitchClass + base;
        if (n < previous)
            n += 12;
        noteOn(n, vel, ch);
        m_clock.waitSeconds(delay);
        noteOff(n, vel, ch);
        previous = n;
    };
    for (const NoteEntry& entry : list) {
        if (!entry.token.isEmpty())
            play(entry.pitchClass);
    }
    if (closingRoot)
        play(list[0].pitchClass);
}

void Player::playScale() {
    run(PlayKind::Scale, true);
}
void Player::playArpeggio() {
    run(PlayKind::Arpeggio, false);
}

void Player::allNotesOff() {
    const int ch = channel();
    for (int note = 0; note <= 127; ++note)
        noteOff(note, 0, ch);
}

void Player::playSingleNote(int note) {
    const int ch = channel();
    const int vel = velocity();
    noteOn(note, vel, ch);
    m_clock.waitSeconds(4.0f);
    noteOff(note, vel, ch);
}

} // namespace chordalis
