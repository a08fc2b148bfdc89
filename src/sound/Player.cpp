#include "sound/Player.h"

#include "sound/SoundSettings.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

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

// Where a routine's messages go: queued at their times on the output's own clock, or sent when
// due with waits in between.
class Player::Timeline {
public:
    explicit Timeline(Player& player)
        : m_player(player), m_out(player.m_out), m_clock(player.m_clock),
          m_queued(m_out.hasOwnClock()), m_time(m_queued ? m_out.ownClockNow() + QueueLead : 0.0) {}

    void send(std::uint32_t word) {
        if (m_queued)
            m_out.shortMessageAt(word, m_time, QueueSource::Playback);
        else
            m_out.shortMessage(word);
    }
    // A note starts or stops on a string (0: the routine does not say), and the neck is told
    // when it sounds. Notes outside 0..127 are neither sent nor told.
    void note(int string, int note, bool on, int velocity, int channel) {
        if (!isNote(note))
            return;
        send(on ? noteOnWord(note, velocity, channel) : noteOffWord(note, velocity, channel));
        if (m_queued)
            m_player.notifyAt(m_time, string, note, on);
        else
            m_player.notifySounding(string, note, on);
    }
    // A wait of zero or less takes no time.
    void wait(float seconds) {
        if (m_queued)
            m_time += std::max(0.0, double(seconds));
        else
            m_clock.waitSeconds(seconds);
    }

private:
    Player& m_player;
    MidiOut& m_out;
    Clock& m_clock;
    bool m_queued;
    double m_time; // on the output's clock, when queued
};

Player::Player(const PlaybackSettings& settings, MidiOut& out, Clock& clock)
    : m_settings(settings), m_out(out), m_clock(clock) {
    m_noticeTimer.setTimerType(Qt::PreciseTimer);
    m_noticeTimer.setSingleShot(true);
    QObject::connect(&m_noticeTimer, &QTimer::timeout, [this] { armNotices(serviceNotices()); });
}

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
    Timeline line(*this);
    float total = 0.0f;
    for (const StrummedNote& n : notes) {
        line.note(n.string, n.note, true, vel, ch);
        line.wait(delay);
        total += delay;
    }
    line.wait(4.0f - total);
    // Exactly the notes this strum started, whatever the user has chosen since.
    for (const StrummedNote& n : notes)
        line.note(n.string, n.note, false, vel, ch);
}

void Player::strumInTurn(const std::vector<Strum>& chords, float seconds) {
    const int ch = channel();
    const int vel = velocity();
    const float delay = stepDelay(PlayKind::Chord, m_settings.chordTempo);
    const float hold = std::clamp(seconds, 0.5f, 10.0f);
    Timeline line(*this);
    for (const Strum& chord : chords) {
        float total = 0.0f;
        for (const StrummedNote& n : chord) {
            line.note(n.string, n.note, true, vel, ch);
            line.wait(delay);
            total += delay;
        }
        line.wait(std::max(0.0f, hold - total));
        for (const StrummedNote& n : chord)
            line.note(n.string, n.note, false, vel, ch);
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

    Timeline line(*this);
    int previous = 0;
    auto play = [&](int pitchClass) {
        int n = pitchClass + base;
        if (n < previous)
            n += 12;
        line.note(0, n, true, vel, ch);
        line.wait(delay);
        line.note(0, n, false, vel, ch);
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
    m_notices.clear();
    m_noticeTimer.stop();
    notifySounding(0, -1, false);
}

void Player::playSingleNote(int note) {
    const int ch = channel();
    const int vel = velocity();
    Timeline line(*this);
    line.note(0, note, true, vel, ch);
    line.wait(4.0f);
    line.note(0, note, false, vel, ch);
}

void Player::playNotes(const Strum& notes, PlayKind kind) {
    const int tempo = kind == PlayKind::Scale      ? m_settings.scaleTempo
                      : kind == PlayKind::Arpeggio ? m_settings.arpeggioTempo
                                                   : m_settings.chordTempo;
    const float delay = stepDelay(kind, tempo);
    const int ch = channel();
    const int vel = velocity();
    Timeline line(*this);
    for (const StrummedNote& n : notes) {
        line.note(n.string, n.note, true, vel, ch);
        line.wait(delay);
        line.note(n.string, n.note, false, vel, ch);
    }
}

// --- what sounds, for the neck -------------------------------------------------------------

void Player::notifySounding(int string, int note, bool on) const {
    if (m_sounding)
        m_sounding(string, note, on);
}

void Player::notifyAt(double ownClockSeconds, int string, int note, bool on) {
    if (!m_sounding)
        return;
    // After the notices of the same time or earlier: a strum's notes are told in their order.
    const auto at =
        std::upper_bound(m_notices.begin(), m_notices.end(), ownClockSeconds,
                         [](double time, const Notice& notice) { return time < notice.at; });
    m_notices.insert(at, {ownClockSeconds, string, note, on});
    armNotices(serviceNotices());
}

double Player::serviceNotices() {
    if (m_notices.empty())
        return -1.0;
    // A closed output has dropped its queue, and a reopened one started its clock again.
    double now = std::numeric_limits<double>::infinity();
    if (m_out.hasOwnClock() && m_out.ownClockNow() >= m_noticeClock) {
        now = m_out.ownClockNow();
        m_noticeClock = now;
    }
    // A microsecond's grace, so that a wake-up computed to the tick is taken as on time.
    while (!m_notices.empty() && m_notices.front().at <= now + 1e-6) {
        const Notice n = m_notices.front();
        m_notices.erase(m_notices.begin());
        notifySounding(n.string, n.note, n.on);
    }
    if (m_notices.empty()) {
        m_noticeClock = 0.0;
        return -1.0;
    }
    return m_notices.front().at - now;
}

void Player::armNotices(double seconds) {
    if (seconds < 0)
        m_noticeTimer.stop();
    else // whole milliseconds, rounded up: a notice is never told before its note sounds
        m_noticeTimer.start(int(std::ceil(seconds * 1000.0)));
}

} // namespace chordalis
