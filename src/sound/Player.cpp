#include "sound/Player.h"

#include "sound/SoundSettings.h"

#include <algorithm>

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

int Player::channel() const {
    return std::clamp(m_settings.channel, 1, 16) - 1;
}
int Player::velocity() const {
    return std::clamp(m_settings.volume, 0, 127);
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
    const int program = std::clamp(m_settings.instrument, 1, 128) - 1;
    m_out.shortMessage(packShortMessage(0xC0 + channel(), program));
}

void Player::strum(const Strum& notes) {
    // Settings are read once: a change made during the hold applies to the next play.
    const int ch = channel();
    const int vel = velocity();
    const float delay = stepDelay(PlayKind::Chord, m_settings.chordTempo);
    float total = 0.0f;
    for (const StrummedNote& n : notes) {
        noteOn(n.note, vel, ch);
        notifySounding(n.string, n.note, true);
        m_clock.waitSeconds(delay);
        total += delay;
    }
    m_clock.waitSeconds(4.0f - total);
    // Exactly the notes this strum started, whatever the user has chosen since.
    for (const StrummedNote& n : notes) {
        noteOff(n.note, vel, ch);
        notifySounding(n.string, n.note, false);
    }
}

void Player::run(const NoteList& notes, PlayKind kind, bool closingRoot) {
    const int tempo = kind == PlayKind::Scale ? m_settings.scaleTempo : m_settings.arpeggioTempo;
    const float delay = stepDelay(kind, tempo);
    const int ch = channel();
    const int vel = velocity();
    // Copied: the shown list changes if the user picks another scale while this one plays.
    const NoteList list = notes;
    const int base = runBase(list[0].pitchClass);

    int previous = 0;
    auto play = [&](int pitchClass) {
        int n = pitchClass + base;
        if (n < previous)
            n += 12;
        noteOn(n, vel, ch);
        notifySounding(0, n, true);
        m_clock.waitSeconds(delay);
        noteOff(n, vel, ch);
        notifySounding(0, n, false);
        previous = n;
    };
    for (const NoteEntry& entry : list) {
        if (!entry.token.isEmpty())
            play(entry.pitchClass);
    }
    if (closingRoot)
        play(list[0].pitchClass);
}

void Player::playScale(const NoteList& notes) {
    run(notes, PlayKind::Scale, true);
}
void Player::playArpeggio(const NoteList& notes) {
    run(notes, PlayKind::Arpeggio, false);
}

void Player::allNotesOff() {
    const int ch = channel();
    for (int note = 0; note <= 127; ++note)
        noteOff(note, 0, ch);
    notifySounding(0, -1, false);
}

void Player::playSingleNote(int note) {
    const int ch = channel();
    const int vel = velocity();
    noteOn(note, vel, ch);
    notifySounding(0, note, true);
    m_clock.waitSeconds(4.0f);
    noteOff(note, vel, ch);
    notifySounding(0, note, false);
}

// --- what sounds, for the neck -------------------------------------------------------------

void Player::notifySounding(int string, int note, bool on) const {
    if (m_sounding)
        m_sounding(string, note, on);
}

void Player::playNotes(const Strum& notes, PlayKind kind) {
    const int tempo = kind == PlayKind::Scale      ? m_settings.scaleTempo
                      : kind == PlayKind::Arpeggio ? m_settings.arpeggioTempo
                                                   : m_settings.chordTempo;
    const float delay = stepDelay(kind, tempo);
    const int ch = channel();
    const int vel = velocity();
    for (const StrummedNote& n : notes) {
        noteOn(n.note, vel, ch);
        notifySounding(n.string, n.note, true);
        m_clock.waitSeconds(delay);
        noteOff(n.note, vel, ch);
        notifySounding(n.string, n.note, false);
    }
}

} // namespace chordalis
