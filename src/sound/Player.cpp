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

// Where a routine's messages go: queued at their times on the output's own clock, or sent when
// due with waits in between.
class Player::Timeline {
public:
    Timeline(MidiOut& out, Clock& clock)
        : m_out(out), m_clock(clock), m_queued(out.hasOwnClock()),
          m_time(m_queued ? out.ownClockNow() + QueueLead : 0.0) {}

    void send(std::uint32_t word) {
        if (m_queued)
            m_out.shortMessageAt(word, m_time, QueueSource::Playback);
        else
            m_out.shortMessage(word);
    }
    // A wait of zero or less takes no time.
    void wait(float seconds) {
        if (m_queued)
            m_time += std::max(0.0, double(seconds));
        else
            m_clock.waitSeconds(seconds);
    }

private:
    MidiOut& m_out;
    Clock& m_clock;
    bool m_queued;
    double m_time; // on the output's clock, when queued
};

namespace {

bool isNote(int note) {
    return note >= 0 && note <= 127;
}

std::uint32_t noteOnWord(int note, int velocity, int channel) {
    return packShortMessage(0x90 + (channel & 0x0F), note, velocity);
}
std::uint32_t noteOffWord(int note, int velocity, int channel) {
    return packShortMessage(0x80 + (channel & 0x0F), note, velocity);
}

} // namespace

int Player::channel() const {
    return std::clamp(m_settings.channel, 1, 16) - 1;
}
int Player::velocity() const {
    return std::clamp(m_settings.volume, 0, 127);
}

void Player::noteOn(int note, int velocity, int channel) {
    if (isNote(note))
        m_out.shortMessage(noteOnWord(note, velocity, channel));
}

void Player::noteOff(int note, int velocity, int channel) {
    if (isNote(note))
        m_out.shortMessage(noteOffWord(note, velocity, channel));
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
    Timeline line(m_out, m_clock);
    float total = 0.0f;
    for (const StrummedNote& n : notes) {
        if (isNote(n.note))
            line.send(noteOnWord(n.note, vel, ch));
        line.wait(delay);
        total += delay;
    }
    line.wait(4.0f - total);
    // Exactly the notes this strum started, whatever the user has chosen since.
    for (const StrummedNote& n : notes) {
        if (isNote(n.note))
            line.send(noteOffWord(n.note, vel, ch));
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

    Timeline line(m_out, m_clock);
    int previous = 0;
    auto play = [&](int pitchClass) {
        int n = pitchClass + base;
        if (n < previous)
            n += 12;
        line.send(noteOnWord(n, vel, ch));
        line.wait(delay);
        line.send(noteOffWord(n, vel, ch));
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
}

void Player::playSingleNote(int note) {
    const int ch = channel();
    const int vel = velocity();
    Timeline line(m_out, m_clock);
    if (isNote(note))
        line.send(noteOnWord(note, vel, ch));
    line.wait(4.0f);
    if (isNote(note))
        line.send(noteOffWord(note, vel, ch));
}

} // namespace chordalis
