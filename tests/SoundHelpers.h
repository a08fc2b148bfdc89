#pragma once

// What the sound, listening and LED guitar tests share.
#include "sound/RecordingMidiOut.h"
#include "sound/backends/OfflineRender.h"

#include <QByteArray>
#include <chrono>
#include <gtest/gtest.h>
#include <initializer_list>
#include <thread>

namespace chordalis::soundtest {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

constexpr std::uint32_t on(int note, int channel = 0, int velocity = 100) {
    return packShortMessage(0x90 + channel, note, velocity);
}
constexpr std::uint32_t off(int note, int channel = 0, int velocity = 100) {
    return packShortMessage(0x80 + channel, note, velocity);
}

template <class Timed> std::vector<std::uint32_t> wordsOf(const std::vector<Timed>& messages) {
    std::vector<std::uint32_t> words;
    for (const Timed& m : messages)
        words.push_back(m.word);
    return words;
}

// The first messages are the expected ones, each at its time within `tolerance` seconds.
template <class Timed>
void expectTimed(const std::vector<Timed>& got, const std::vector<RecordingMidiOut::Sent>& expected,
                 double tolerance) {
    ASSERT_GE(got.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(got[i].time, expected[i].time, tolerance) << i;
        EXPECT_EQ(got[i].word, expected[i].word) << i;
    }
}

// The two channels mixed, full scale 1.
inline std::vector<float> monoOf(const RenderedSound& sound) {
    std::vector<float> mono(size_t(sound.frames()));
    for (size_t f = 0; f < mono.size(); ++f)
        mono[f] = float((sound.samples[2 * f] + sound.samples[2 * f + 1]) / 65536.0);
    return mono;
}

// Waits up to `ms` milliseconds for the condition; whether it came true.
template <class Condition> bool waitUntil(Condition done, int ms = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

} // namespace chordalis::soundtest
