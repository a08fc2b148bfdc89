// Real-time accuracy of playback and the metronome, measured on the real clock:
//   chordalis_timing [--ticks N]
// prints, for the metronome at 400 bpm on a port and on the built-in synthesizer, the error of
// each click against its ideal time, the drift between the first and last clicks, the timing of
// a six-string strum, and the CPU used while a chord is held.

#include "modes/AppState.h"
#include "modes/Commands.h"
#include "sound/Clock.h"
#include "sound/Metronome.h"
#include "sound/Player.h"
#include "sound/backends/FluidSynthOut.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

using namespace chordalis;

namespace {

// A port that notes when each message leaves, on the program's clock.
class StampingOut final : public MidiOut {
public:
    explicit StampingOut(const Clock& clock) : m_clock(clock) {}
    std::optional<QString> open(int) override { return std::nullopt; }
    void close() override {}
    bool isOpen() const override { return true; }
    void shortMessage(std::uint32_t word) override {
        if ((statusOf(word) & 0xF0) == 0x90)
            times.push_back(m_clock.now());
    }
    std::vector<double> times;

private:
    const Clock& m_clock;
};

// The built-in synthesizer, rendered in 64-frame blocks at the pace of a sound card by a thread
// of its own, noting the frame at which each click starts a voice.
class PacedSynthOut final : public MidiOut {
public:
    explicit PacedSynthOut(SynthEngine& engine) : m_engine(engine) {
        m_thread = std::thread([this] { renderLoop(); });
    }
    ~PacedSynthOut() override {
        m_stop = true;
        m_thread.join();
    }
    std::optional<QString> open(int) override { return std::nullopt; }
    void close() override {}
    bool isOpen() const override { return true; }
    void shortMessage(std::uint32_t word) override { m_engine.shortMessage(word); }
    bool hasOwnClock() const override { return true; }
    double ownClockNow() const override { return m_engine.clockNow(); }
    void shortMessageAt(std::uint32_t word, double s) override { m_engine.shortMessageAt(word, s); }
    void cancelQueued() override { m_engine.cancelQueued(); }

    std::vector<long long> onsetFrames() {
        std::lock_guard lock(m_mutex);
        return m_onsets;
    }

private:
    void renderLoop() {
        constexpr int Block = 64;
        std::vector<short> buffer(Block * 2);
        const auto start = std::chrono::steady_clock::now();
        long long frame = 0;
        int voices = 0;
        while (!m_stop) {
            m_engine.render(buffer.data(), Block);
            const int now = m_engine.activeVoices();
            if (now > voices) {
                std::lock_guard lock(m_mutex);
                m_onsets.push_back(frame);
            }
            voices = now;
            frame += Block;
            std::this_thread::sleep_until(
                start + std::chrono::duration<double>(double(frame) / m_engine.sampleRate()));
        }
    }

    SynthEngine& m_engine;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<long long> m_onsets;
    std::thread m_thread;
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Runs the metronome at 400 bpm until `ticks` clicks have gone out.
void runMetronome(AppState& state, MidiOut& out, EventLoopClock& clock, int ticks,
                  const std::function<size_t()>& clicksSoFar) {
    state.metronome.tempo = 400;
    Metronome metronome(state.metronome, state.playback, out, clock);
    metronome.setRunning(true);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (clicksSoFar() >= size_t(ticks))
            QCoreApplication::quit();
    });
    poll.start(50);
    QCoreApplication::exec();
    metronome.setRunning(false);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int ticks = 2000;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--ticks")); i > 0 && i + 1 < args.size())
        ticks = std::max(10, args[i + 1].toInt());
    EventLoopClock clock;
    AppState state;

    // The metronome on a port: each click sent from the precise timer.
    {
        StampingOut port(clock);
        const double start = clock.now();
        runMetronome(state, port, clock, ticks, [&] { return port.times.size(); });
        std::vector<double> errors;
        for (size_t n = 0; n < port.times.size() && n < size_t(ticks); ++n)
            errors.push_back(std::abs(port.times[n] - (start + 0.150 * double(n + 1))) * 1000);
        std::printf("metronome 400 bpm, port, %d ticks: error p50 %.3f ms, p99 %.3f ms, max %.3f "
                    "ms; last tick %.3f ms from its ideal time\n",
                    ticks, percentile(errors, 0.5), percentile(errors, 0.99),
                    percentile(errors, 1.0), errors.back());
    }

    // The metronome on the built-in synthesizer: clicks queued on the synthesizer's clock.
    {
        QString error;
        auto engine = SynthEngine::create(defaultSoundFont(), 44100.0, &error);
        if (!engine) {
            std::printf("metronome on the synthesizer: skipped (%s)\n", qPrintable(error));
        } else {
            PacedSynthOut synth(*engine);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const double start = synth.ownClockNow();
            runMetronome(state, synth, clock, ticks, [&] { return synth.onsetFrames().size(); });
            const auto onsets = synth.onsetFrames();
            std::vector<double> errors;
            for (size_t n = 0; n < onsets.size() && n < size_t(ticks); ++n) {
                const double ideal = (start + 0.150 * double(n + 1)) * 44100.0;
                errors.push_back(std::abs(double(onsets[n]) - ideal));
            }
            std::printf("metronome 400 bpm, synthesizer, %d ticks: error p50 %.0f frames, p99 "
                        "%.0f frames, max %.0f frames (one block: 64); last tick %.0f frames "
                        "from its ideal time\n",
                        ticks, percentile(errors, 0.5), percentile(errors, 0.99),
                        percentile(errors, 1.0), errors.empty() ? 0.0 : errors.back());
        }
    }

    // A six-string strum at Chord Tempo 90, and the CPU used while it is held.
    {
        StampingOut port(clock);
        for (int s = 1; s <= 6; ++s)
            state.finderSelection[size_t(s)] = -1;
        Player player(state.playback, port, clock);
        const double start = clock.now();
        const double cpuStart = cpuSeconds();
        playShown(state, player, Mode::ChordFinder);
        const double wall = clock.now() - start;
        const double cpu = cpuSeconds() - cpuStart;
        const double delay = double(stepDelay(PlayKind::Chord, 90));
        double worst = 0;
        for (size_t k = 0; k < port.times.size(); ++k)
            worst = std::max(worst, std::abs(port.times[k] - (start + double(k) * delay)) * 1000);
        std::printf("strum of six strings at tempo 90: worst note %.3f ms from its ideal time; "
                    "%.2f s in all, CPU %.3f%% of a core\n",
                    worst, wall, 100.0 * cpu / wall);
    }
    return 0;
}
