#include "TestSounds.h"

#include "sound/backends/OfflineRender.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace chordalis::testsounds {

void addPluck(AudioClip& clip, double hz, double startSeconds, double seconds, double level,
              unsigned seed) {
    const double rate = clip.sampleRate;
    const size_t start = size_t(std::lround(startSeconds * rate));
    const size_t length = size_t(std::lround(seconds * rate));
    if (clip.samples.size() < start + length)
        clip.samples.resize(start + length, 0.0f);
    // The loop's delay: the line, half a sample of the average, and the all-pass's fraction.
    const double loop = rate / hz - 0.5;
    const int line = int(std::floor(loop - 0.1));
    const double fraction = loop - line; // 0.1..1.1, where the all-pass's delay is flat
    const double c = (1.0 - fraction) / (1.0 + fraction);
    // Loss per pass for a ring of about four seconds (-60 dB) at the fundamental, the average's
    // own loss there made up (the higher partials still die sooner, as on a string).
    const double loss = std::pow(10.0, -3.0 / (hz * 4.0)) / std::cos(std::numbers::pi * hz / rate);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    // The string's shape when the pick lets go: a triangle peaking a fifth of the way along (its
    // partials fall as 1/h^2, the fundamental strongest), roughened by a little noise.
    std::vector<double> delay(static_cast<size_t>(line));
    for (size_t i = 0; i < delay.size(); ++i) {
        const double x = double(i) / double(delay.size());
        delay[i] = (x < 0.2 ? x / 0.2 : (1.0 - x) / 0.8) + 0.1 * uniform(random);
    }
    double mean = 0.0;
    for (double d : delay)
        mean += d / double(delay.size());
    for (double& d : delay)
        d -= mean;
    double previous = 0.0, apIn = 0.0, apOut = 0.0;
    size_t index = 0;
    double peak = 1e-9;
    std::vector<double> out(length);
    for (size_t i = 0; i < length; ++i) {
        const double y = delay[index];
        out[i] = y;
        peak = std::max(peak, std::abs(y));
        const double average = 0.5 * (y + previous) * loss;
        previous = y;
        const double a = c * average + apIn - c * apOut;
        apIn = average;
        apOut = a;
        delay[index] = a;
        index = (index + 1) % delay.size();
    }
    // Damped over the last 20 ms, as a hand stops a string, so that the end makes no click.
    const size_t fade = std::min(length, size_t(0.02 * rate));
    for (size_t i = 0; i < length; ++i) {
        const double damp = i + fade < length ? 1.0 : double(length - i) / double(fade);
        clip.samples[start + i] += float(out[i] / peak * level * damp);
    }
}

void addStrum(AudioClip& clip, const std::vector<double>& hz, double startSeconds, double seconds,
              double spreadSeconds, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> level(0.12, 0.2);
    for (size_t i = 0; i < hz.size(); ++i)
        addPluck(clip, hz[i], startSeconds + double(i) * spreadSeconds, seconds, level(random),
                 seed * 31u + unsigned(i));
}

void addNoise(AudioClip& clip, double snrDb, unsigned seed) {
    double power = 0.0;
    for (float s : clip.samples)
        power += double(s) * s;
    const double rms = std::sqrt(power / std::max<size_t>(1, clip.samples.size()));
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0.0, rms * std::pow(10.0, -snrDb / 20.0));
    for (float& s : clip.samples)
        s += float(gauss(random));
}

std::optional<AudioClip> renderNotes(const std::vector<int>& notes, double cents, int program,
                                     double seconds, double sampleRate, QString* error,
                                     double spreadSeconds) {
    std::vector<RecordingMidiOut::Sent> messages;
    const int bend = std::clamp(8192 + int(std::lround(cents / 200.0 * 8192.0)), 0, 16383);
    const double start = 0.2;
    messages.push_back({0.0, std::uint32_t(0xC0 | (program << 8))});
    messages.push_back({0.0, std::uint32_t(0xE0 | ((bend & 0x7F) << 8) | ((bend >> 7) << 16))});
    for (size_t i = 0; i < notes.size(); ++i)
        messages.push_back({start + double(i) * spreadSeconds,
                            std::uint32_t(0x90 | (notes[i] << 8) | (100 << 16))});
    for (int n : notes)
        messages.push_back({start + seconds, std::uint32_t(0x80 | (n << 8))});
    const auto sound = renderMessages(messages, 0.2, error, sampleRate);
    if (!sound)
        return std::nullopt;
    AudioClip clip;
    clip.sampleRate = sampleRate;
    clip.samples.resize(size_t(sound->frames()));
    for (int f = 0; f < sound->frames(); ++f)
        clip.samples[size_t(f)] =
            float((sound->samples[size_t(2 * f)] + sound->samples[size_t(2 * f + 1)]) / 65536.0);
    return clip;
}

} // namespace chordalis::testsounds

namespace chordalis::testsounds {

Heard listenTo(const AudioClip& clip, double a4, int block) {
    Listener listener(clip.sampleRate, a4);
    Heard heard;
    for (size_t i = 0; i < clip.samples.size(); i += size_t(block)) {
        const size_t n = std::min(size_t(block), clip.samples.size() - i);
        listener.push(std::span<const float>(clip.samples.data() + i, n));
    }
    listener.finish();
    heard.frames = listener.takeFrames();
    heard.events = listener.takeEvents();
    return heard;
}

void PitchScore::add(const PitchScore& o) {
    frames += o.frames;
    voiced += o.voiced;
    within += o.within;
    worstCents = std::max(worstCents, o.worstCents);
}

PitchScore scorePitch(const std::vector<PitchFrame>& frames, double onset, double hz, double from,
                      double to, double cents) {
    PitchScore score;
    for (const PitchFrame& f : frames) {
        if (f.time < onset + from || f.time > onset + to)
            continue;
        ++score.frames;
        if (!f.pitch.voiced())
            continue;
        ++score.voiced;
        const double off = std::abs(1200.0 * std::log2(f.pitch.f0 / hz));
        score.worstCents = std::max(score.worstCents, off);
        if (off <= cents)
            ++score.within;
    }
    return score;
}

double settledAfter(const std::vector<PitchFrame>& frames, double onset, double from, double to) {
    std::vector<std::pair<double, double>> cents; // time after the onset, pitch in cents
    for (const PitchFrame& f : frames)
        if (f.time >= onset + from && f.time <= onset + to && f.pitch.voiced())
            cents.emplace_back(f.time - onset, 1200.0 * std::log2(f.pitch.f0));
    for (size_t i = 0; i < cents.size(); ++i) {
        double low = cents[i].second, high = low;
        size_t j = i;
        for (; j < cents.size() && cents[j].first <= cents[i].first + 0.1; ++j) {
            low = std::min(low, cents[j].second);
            high = std::max(high, cents[j].second);
        }
        if (high - low <= 1.0 && j < cents.size()) // a whole 100 ms, still within a cent
            return cents[i].first;
    }
    return from;
}

Steadiness steadiness(const std::vector<PitchFrame>& frames, double onset, double from, double to,
                      double cents) {
    std::vector<double> hz;
    for (const PitchFrame& f : frames)
        if (f.time >= onset + from && f.time <= onset + to && f.pitch.voiced())
            hz.push_back(f.pitch.f0);
    if (hz.empty())
        return {};
    std::nth_element(hz.begin(), hz.begin() + long(hz.size() / 2), hz.end());
    const double median = hz[hz.size() / 2];
    return {median, scorePitch(frames, onset, median, from, to, cents).share()};
}

std::optional<Steadiness> heldKey(int program, int key, double sampleRate, QString* error) {
    const auto clip = renderNotes({key}, 0.0, program, 1.2, sampleRate, error);
    if (!clip)
        return std::nullopt;
    return steadiness(listenTo(*clip).frames, 0.2, 0.3);
}

std::vector<double> gripFrequencies(const std::vector<std::optional<int>>& frets,
                                    const std::vector<int>& tuning) {
    std::vector<double> hz;
    for (size_t s = frets.size(); s-- > 0;)
        if (frets[s] && s < tuning.size())
            hz.push_back(noteFrequency(tuning[s] + *frets[s]));
    return hz;
}

} // namespace chordalis::testsounds
