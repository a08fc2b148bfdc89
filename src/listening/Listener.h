#pragma once

#include "listening/Onsets.h"
#include "listening/Pitch.h"
#include "listening/Polyphony.h"

#include <span>
#include <vector>

namespace chordalis {

// One pitch frame: the frame's centre in seconds from the start, what it sounds like and the
// nearest note against the reference (note -1 when unvoiced).
struct PitchFrame {
    double time = 0.0;
    PitchReading pitch;
    NoteReading note;
};

// Notes that began together: the onset in seconds, and how strongly each note sounds in the
// stretch that follows it.
struct NoteEvent {
    double time = 0.0;
    NoteActivations notes;
    std::vector<float> sound; // the stretch they were read from, for a check that knows more
};

// The sample rates the engine listens at, in frames per second.
inline constexpr double LowestListenRate = 8000.0;
inline constexpr double HighestListenRate = 192000.0;

// The listening engine: takes sound in blocks of any size as they arrive (mono, -1..1) and
// returns pitch frames every 10 ms and, a little after each onset, the notes it began. Keeps only
// the last second or so of sound. The same engine reads a file, a recording and a live input.
class Listener {
public:
    // sampleRate LowestListenRate..HighestListenRate (else std::invalid_argument); a4 in
    // LowestA4..HighestA4 (clamped).
    explicit Listener(double sampleRate, double a4 = DefaultA4);

    double sampleRate() const { return m_rate; }
    double a4() const { return m_a4; }

    // Adds samples; the frames and events they complete are added to what take...() returns.
    void push(std::span<const float> samples);
    // Ends the sound: an onset whose stretch is not complete is read from what there is.
    void finish();

    std::vector<PitchFrame> takeFrames();
    std::vector<NoteEvent> takeEvents();
    // The engine's note finder, to read an event's sound again against candidates.
    const NoteFinder& noteFinder() const { return m_finder; }

    // The stretch after an onset that the notes are read from: it starts NoteDelay seconds after
    // the onset (past the pick's noise) and lasts about 170 ms.
    static constexpr double NoteDelay = 0.03;
    // The length of that stretch in samples at a rate (LowestListenRate..HighestListenRate), for
    // a NoteFinder that reads an event's sound again on another thread.
    static int noteWindow(double sampleRate);

private:
    void analyse();
    void addEvent(long long onset, std::vector<float> sound);
    double m_rate;
    double m_a4;
    PitchDetector m_pitch;
    NoteFinder m_finder;
    OnsetDetector m_onsets;
    int m_hop;
    std::vector<float> m_buffer;
    long long m_bufferStart = 0;      // the index of m_buffer[0] in the whole sound
    long long m_nextFrame = 0;        // the first sample of the next pitch frame
    std::vector<long long> m_pending; // onsets (sample index) whose stretch is not read yet
    std::vector<PitchFrame> m_frames;
    std::vector<NoteEvent> m_events;
};

} // namespace chordalis
