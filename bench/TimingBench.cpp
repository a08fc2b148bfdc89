// Real-time accuracy of what a listener hears, measured where the messages arrive:
//   chordalis_timing [--ticks N] [--strums N] [--rate HZ | --driver] [--list-late]
// Runs at once, on the built-in synthesizer and on a JACK MIDI port, the metronome at 400 bpm
// for N clicks (2,000) and a six-string strum every three seconds (100), as the program does:
// the window thread starts them and goes on handling events.
//
// The synthesizer renders at a sound card's pace on a thread of the bench, in periods of 256
// frames at --rate (44,100 Hz unless given; 48,000 and 96,000 are what desktops and studios
// run); a message arrives at the frame where the synthesizer plays it. The JACK port is
// connected to a JACK client of the bench (the loop-back), which notes the frame of every event
// it receives. With --driver the synthesizer is the program's own output, playing through the
// JACK server that runs (at the server's rate), and what arrives is what a listener hears: the
// clicks found in its sound, recorded by a JACK client of the bench. Each arrival is matched with
// the message's requested time; a message that never arrives is counted as dropped, a beat the
// metronome left out (after a stall) as skipped. Needs a JACK server (jackd --no-realtime -d dummy
// -r 48000 -p 256 &) for the port figures.

#include "BenchFigures.h"
#include "modes/AppState.h"
#include "modes/Commands.h"
#include "sound/Clock.h"
#include "sound/Metronome.h"
#include "sound/Player.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/PortSender.h"
#include "sound/backends/RtMidiPorts.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <deque>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <map>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

using namespace chordalis;

namespace {

using benchfigures::clockSeconds;
using benchfigures::loadAverage;
using benchfigures::percentile;

struct Arrival {
    double time; // seconds on the output's clock
    std::uint32_t word;
};

// A message a player asked for, with its time.
struct Request {
    double due;
    std::uint32_t word;
    QueueSource source;
    double asked; // when it was queued, on the output's clock
};

// Passes everything on to the real output and notes every timed note-on asked for.
class RequestLog final : public MidiOut {
public:
    explicit RequestLog(MidiOut& out) : m_out(out) {}
    std::optional<QString> open(int device) override { return m_out.open(device); }
    void close() override { m_out.close(); }
    bool isOpen() const override { return m_out.isOpen(); }
    void shortMessage(std::uint32_t word) override {
        immediate.emplace_back(m_out.ownClockNow(), word);
        m_out.shortMessage(word);
    }
    bool hasOwnClock() const override { return m_out.hasOwnClock(); }
    double ownClockNow() const override { return m_out.ownClockNow(); }
    void shortMessageAt(std::uint32_t word, double at) override {
        shortMessageAt(word, at, QueueSource::Other);
    }
    void shortMessageAt(std::uint32_t word, double at, QueueSource source) override {
        if ((statusOf(word) & 0xF0) == 0x90 && data2Of(word) > 0)
            requests.push_back({at, word, source, m_out.ownClockNow()});
        m_out.shortMessageAt(word, at, source);
    }
    void cancelQueued() override { m_out.cancelQueued(); }
    void cancelQueued(QueueSource source) override {
        const double now = m_out.ownClockNow();
        std::erase_if(requests,
                      [&](const Request& r) { return r.source == source && r.due > now; });
        m_out.cancelQueued(source);
    }

    std::vector<Request> requests;
    std::vector<std::pair<double, std::uint32_t>> immediate; // when, on the output's clock

private:
    MidiOut& m_out;
};

// The built-in synthesizer rendered in periods of 256 frames at the pace of a sound card, as its
// audio driver does; notes the frame at which each queued message is played.
class PacedSynth {
public:
    explicit PacedSynth(SynthEngine& engine) : m_engine(engine) {
        m_arrivals.reserve(100000);
        engine.setPlayedHook([this](std::uint32_t word, long long frame) {
            if ((statusOf(word) & 0xF0) == 0x90) {
                std::lock_guard lock(m_mutex);
                m_arrivals.push_back({double(frame) / m_engine.sampleRate(), word});
            }
        });
        m_thread = std::thread([this] { renderLoop(); });
    }
    ~PacedSynth() {
        m_stop = true;
        m_thread.join();
    }
    std::vector<Arrival> arrivals() {
        std::lock_guard lock(m_mutex);
        return m_arrivals;
    }
    double cpu() const { return m_cpu; }

private:
    void renderLoop() {
        constexpr int Period = 256;
        std::vector<short> buffer(Period * 2);
        const auto start = std::chrono::steady_clock::now();
        long long frame = 0;
        while (!m_stop) {
            m_engine.render(buffer.data(), Period);
            frame += Period;
            m_cpu = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
            std::this_thread::sleep_until(
                start + std::chrono::duration<double>(double(frame) / m_engine.sampleRate()));
        }
    }

    SynthEngine& m_engine;
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_cpu{0.0};
    std::mutex m_mutex;
    std::vector<Arrival> m_arrivals;
    std::thread m_thread;
};

// FluidSynthOut opens its own engine with an audio device; the bench's paced engine plays through
// this instead, behind the same interface.
class EngineOut final : public MidiOut {
public:
    explicit EngineOut(SynthEngine& e) : m_e(e) {}
    std::optional<QString> open(int) override { return std::nullopt; }
    void close() override {}
    bool isOpen() const override { return true; }
    void shortMessage(std::uint32_t w) override { m_e.shortMessage(w); }
    bool hasOwnClock() const override { return true; }
    double ownClockNow() const override { return m_e.clockNow(); }
    void shortMessageAt(std::uint32_t w, double t) override { m_e.shortMessageAt(w, t); }
    void shortMessageAt(std::uint32_t w, double t, QueueSource s) override {
        m_e.shortMessageAt(w, t, s);
    }
    void cancelQueued() override { m_e.cancelQueued(); }
    void cancelQueued(QueueSource s) override { m_e.cancelQueued(s); }

private:
    SynthEngine& m_e;
};

// A JACK client with one MIDI input: notes the time of the frame at which each event arrives.
class LoopBack {
public:
    bool open() {
        jack_status_t status{};
        m_client = jack_client_open("chordalis-loopback", JackNoStartServer, &status);
        if (!m_client)
            return false;
        m_in = jack_port_register(m_client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        m_arrivals.resize(200000);
        jack_set_process_callback(m_client, process, this);
        return m_in && jack_activate(m_client) == 0;
    }
    ~LoopBack() {
        if (m_client) {
            jack_deactivate(m_client);
            jack_client_close(m_client);
        }
    }
    QString portName() const { return QString::fromUtf8(jack_port_name(m_in)); }
    std::vector<Arrival> arrivals() const {
        return {m_arrivals.begin(), m_arrivals.begin() + long(m_count.load())};
    }

private:
    static int process(jack_nframes_t frames, void* data) {
        auto* self = static_cast<LoopBack*>(data);
        void* buffer = jack_port_get_buffer(self->m_in, frames);
        const jack_nframes_t first = jack_last_frame_time(self->m_client);
        const uint32_t count = jack_midi_get_event_count(buffer);
        for (uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t ev;
            if (jack_midi_event_get(&ev, buffer, i) != 0 || ev.size < 3)
                continue;
            const size_t n = self->m_count.load();
            if (n >= self->m_arrivals.size())
                return 0;
            const jack_time_t at = jack_frames_to_time(self->m_client, first + ev.time);
            self->m_arrivals[n] = {double(at) * 1e-6,
                                   packShortMessage(ev.buffer[0], ev.buffer[1], ev.buffer[2])};
            self->m_count = n + 1;
        }
        self->m_cpu = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
        return 0;
    }

    jack_client_t* m_client = nullptr;
    jack_port_t* m_in = nullptr;
    std::vector<Arrival> m_arrivals;
    std::atomic<size_t> m_count{0};

public:
    std::atomic<double> m_cpu{0.0}; // the receiving thread's CPU time so far
};

// The synthesizer's sound as a listener gets it: a JACK client of the bench records the left
// port of the program's own synthesizer client (opened through the system's audio output, as the
// program opens it). Each JACK cycle's samples are kept at the server's frame of their first
// sample. The synthesizer runs before the recorder in each cycle (the connection orders them),
// so the recorder reads the synthesizer's clock once per cycle to place the synthesizer's frame 0
// on the server's frames; a change of that offset is a cycle the synthesizer missed.
class Recorder {
public:
    bool open(SynthEngine& engine, const QString& synthPort, double seconds, QString* error) {
        m_engine = &engine;
        jack_status_t status{};
        m_client = jack_client_open("chordalis-recorder", JackNoStartServer, &status);
        if (!m_client) {
            *error = QStringLiteral("no JACK server runs");
            return false;
        }
        m_rate = double(jack_get_sample_rate(m_client));
        m_in = jack_port_register(m_client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        m_samples.resize(size_t(seconds * m_rate) + 1);
        jack_set_process_callback(m_client, process, this);
        if (!m_in || jack_activate(m_client) != 0 ||
            jack_connect(m_client, synthPort.toUtf8().constData(), jack_port_name(m_in)) != 0) {
            *error = QStringLiteral("could not connect to %1").arg(synthPort);
            return false;
        }
        return true;
    }
    ~Recorder() {
        if (m_client) {
            jack_deactivate(m_client);
            jack_client_close(m_client);
        }
    }
    double rate() const { return m_rate; }
    // How far the synthesizer's frame `frame` lies behind the server's frames: a cycle the
    // synthesizer missed (the machine held it up) is a period of silence in its sound, after which
    // its frames come that much later on the server's.
    long long offsetAt(long long frame) const {
        long long offset = 0;
        for (size_t i = 0; i < m_changes && m_offsets[i].first <= frame; ++i)
            offset = m_offsets[i].second;
        return offset;
    }
    // Where the synthesizer lay in its first second: the offset most of those cycles saw (the
    // first cycle alone may have read the synthesizer's clock in the middle of a render).
    long long firstOffset() const {
        std::map<long long, int> seen;
        for (size_t i = 0; i < std::min(m_earlyCount, m_early.size()); ++i)
            ++seen[m_early[i]];
        long long offset = 0;
        int most = 0;
        for (const auto& [o, n] : seen)
            if (n > most)
                std::tie(offset, most) = std::pair{o, n};
        return offset;
    }
    long long lastOffset() const { return m_lastOffset; }
    int missedCycles() const { return m_offsetChanges; }
    jack_nframes_t period() const { return m_period; }
    size_t cycles() const { return m_cycles; }
    // The recording: its first sample's server frame and the samples so far.
    long long firstFrame() const { return m_first; }
    const float* samples() const { return m_samples.data(); }
    size_t count() const { return m_count.load(); }
    std::atomic<double> m_cpu{0.0};

private:
    static int process(jack_nframes_t frames, void* data) {
        auto* self = static_cast<Recorder*>(data);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(self->m_in, frames));
        // Placed as the synthesizer counts its own cycles: the frame a late call reads may be
        // the next cycle's.
        const jack_nframes_t read = jack_last_frame_time(self->m_client);
        const int missed = self->m_frames.missedBefore(read, int(frames));
        self->m_position = self->m_cycles == 0 ? read : self->m_position + missed;
        const long long cycle = self->m_position;
        self->m_position += frames;
        const auto rendered = std::llround(self->m_engine->clockNow() * self->m_rate);
        const long long offset = cycle + frames - rendered;
        const size_t n = self->m_count.load();
        if (n == 0)
            self->m_first = cycle;
        if (n == 0 || offset != self->m_lastOffset) {
            self->m_offsetChanges += n != 0;
            if (self->m_changes < self->m_offsets.size())
                self->m_offsets[self->m_changes++] = {cycle - offset, offset};
        }
        self->m_lastOffset = offset;
        if (self->m_earlyCount < self->m_early.size() &&
            double(self->m_earlyCount * frames) < self->m_rate)
            self->m_early[self->m_earlyCount++] = offset;
        ++self->m_cycles;
        self->m_period = frames;
        const size_t at = size_t(cycle - self->m_first);
        if (at + frames <= self->m_samples.size()) {
            std::copy(in, in + frames, self->m_samples.begin() + long(at));
            self->m_count = at + frames;
        }
        self->m_cpu = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
        return 0;
    }

    SynthEngine* m_engine = nullptr;
    jack_client_t* m_client = nullptr;
    jack_port_t* m_in = nullptr;
    double m_rate = 0.0;
    ServerFrames m_frames{1 << 30};
    long long m_position = 0; // the server's frame of the next cycle
    std::vector<float> m_samples;
    std::atomic<size_t> m_count{0};
    long long m_first = 0;
    long long m_lastOffset = 0;
    std::array<long long, 1024> m_early{}; // the offsets of the first second's cycles
    size_t m_earlyCount = 0;
    std::atomic<int> m_offsetChanges{0};
    std::atomic<size_t> m_cycles{0};
    std::atomic<jack_nframes_t> m_period{0};
    // From which of its frames on the synthesizer lies how far behind the server's frames.
    std::vector<std::pair<long long, long long>> m_offsets =
        std::vector<std::pair<long long, long long>>(100000);
    std::atomic<size_t> m_changes{0};
};

// The onsets of the clicks asked for, found in the recording (on the synthesizer's clock as it
// lay on the server's frames at the click, or with `followOffsets` false, at its start): each
// click's sound is rendered
// alone once (the synthesizer is deterministic, so the recording holds it sample for sample,
// plus what still rings), and its first 5 ms are matched against the recording from 5 ms before
// to 25 ms after the click's time. The best match is where the click began; one weaker than
// half the template's own energy is no click at all.
std::vector<Arrival> clickOnsets(const std::vector<Request>& requests, const Recorder& recorder,
                                 const std::vector<float>& recorded, double until,
                                 bool followOffsets = true) {
    const double rate = recorder.rate();
    const int length = int(rate * 0.005);
    std::map<std::uint32_t, std::vector<float>> templates;
    std::vector<Arrival> onsets;
    for (const Request& r : requests) {
        if (r.source != QueueSource::Metronome || r.due >= until)
            continue;
        auto& t = templates[r.word];
        if (t.empty()) {
            QString error;
            auto alone = SynthEngine::create(defaultSoundFont(), rate, &error);
            if (!alone)
                return onsets;
            alone->shortMessage(r.word);
            alone->shortMessage(
                packShortMessage(0x80 | (statusOf(r.word) & 0x0F), data1Of(r.word), 0));
            std::vector<float> right(static_cast<size_t>(length));
            t.resize(size_t(length));
            alone->render(t.data(), right.data(), 1, length);
        }
        double energy = 0.0;
        for (float x : t)
            energy += double(x) * x;
        const long long frame = std::llround(r.due * rate);
        const long long offset = followOffsets ? recorder.offsetAt(frame) : recorder.firstOffset();
        const long long expected = frame + offset - recorder.firstFrame();
        const long long from = std::max(0LL, expected - std::llround(0.005 * rate));
        const long long to =
            std::min((long long)recorded.size() - length, expected + std::llround(0.025 * rate));
        // Where the recording is nearest the click (least squares): a plain correlation peaks
        // a period late as often, where the click's ringing overlaps the one before.
        double best = 0.0, bestFit = 0.0;
        long long bestAt = -1;
        for (long long at = from; at <= to; ++at) {
            double score = 0.0, power = 0.0;
            const float* x = recorded.data() + at;
            for (int k = 0; k < length; ++k) {
                score += double(t[size_t(k)]) * x[k];
                power += double(x[k]) * x[k];
            }
            if (bestAt < 0 || 2.0 * score - power > bestFit) {
                bestFit = 2.0 * score - power;
                best = score;
                bestAt = at;
            }
        }
        if (bestAt >= 0 && best >= 0.5 * energy)
            onsets.push_back({double(bestAt + recorder.firstFrame() - offset) / rate, r.word});
    }
    return onsets;
}

// Every message the synthesizer played from its queue and the frame it took effect at, noted on
// its rendering thread.
class PlayedFrames {
public:
    PlayedFrames() : m_played(1 << 20) {}
    void note(std::uint32_t word, long long frame) {
        const size_t n = m_count.load(std::memory_order_relaxed);
        if (n < m_played.size()) {
            m_played[n] = {frame, word};
            m_count.store(n + 1, std::memory_order_release);
        }
    }
    std::vector<std::pair<long long, std::uint32_t>> taken() const {
        return {m_played.begin(), m_played.begin() + long(m_count.load(std::memory_order_acquire))};
    }

private:
    std::vector<std::pair<long long, std::uint32_t>> m_played;
    std::atomic<size_t> m_count{0};
};

// The recording with everything but the clicks taken out: the synthesizer is deterministic, so a
// second one, given every other message at the frame the first played it (the strums, the program
// changes), renders those sounds sample for sample, and they are subtracted where the recording
// placed the first one's frames. The clicks' onsets are then found in what is left, which the
// guitar ringing under a click no longer pulls away from it.
std::vector<float> clicksAlone(const Recorder& recorder, const PlayedFrames& played,
                               const std::vector<std::pair<double, std::uint32_t>>& immediate,
                               int clickChannel) {
    std::vector<float> recorded(recorder.samples(), recorder.samples() + recorder.count());
    const double rate = recorder.rate();
    QString error;
    auto replay = SynthEngine::create(defaultSoundFont(), rate, &error);
    if (!replay)
        return recorded;
    const auto isClick = [&](std::uint32_t word) {
        const int kind = statusOf(word) & 0xF0;
        return (statusOf(word) & 0x0F) == clickChannel && (kind == 0x80 || kind == 0x90);
    };
    std::vector<std::pair<long long, std::uint32_t>> others;
    for (const auto& [frame, word] : played.taken())
        if (!isClick(word))
            others.emplace_back(frame, word);
    constexpr long long Block = 64; // a message sent at once plays from the next block
    for (const auto& [when, word] : immediate)
        if (!isClick(word))
            others.emplace_back((std::llround(when * rate) + Block - 1) / Block * Block, word);
    std::stable_sort(others.begin(), others.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const long long total = (long long)recorded.size() + recorder.lastOffset() + Block;
    std::vector<float> left(static_cast<size_t>(total)), right(static_cast<size_t>(total));
    long long done = 0;
    const auto renderUntil = [&](long long frame) {
        frame = std::min(frame, total);
        if (frame > done)
            replay->render(left.data() + done, right.data() + done, 1, int(frame - done));
        done = std::max(done, frame);
    };
    for (const auto& [frame, word] : others) {
        renderUntil(frame);
        replay->shortMessage(word);
    }
    renderUntil(total);
    for (long long f = 0; f < total; ++f) {
        const long long at = f + recorder.offsetAt(f) - recorder.firstFrame();
        if (at >= 0 && at < (long long)recorded.size())
            recorded[size_t(at)] -= left[size_t(f)];
    }
    return recorded;
}

// How long the window thread spends in each event it handles.
class TimedApplication : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (m_depth++ > 0 || !measuring) {
            const bool r = QCoreApplication::notify(receiver, event);
            --m_depth;
            return r;
        }
        const double start = clockSeconds(CLOCK_MONOTONIC);
        const double startCpu = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
        const int type = int(event->type());
        const char* what = receiver->metaObject()->className();
        const bool r = QCoreApplication::notify(receiver, event);
        busy.push_back((clockSeconds(CLOCK_MONOTONIC) - start) * 1000.0);
        working.push_back((clockSeconds(CLOCK_THREAD_CPUTIME_ID) - startCpu) * 1000.0);
        if (busy.back() > longest) {
            longest = busy.back();
            longestWhat = QStringLiteral("%1 event %2, %3 ms of it on the CPU")
                              .arg(QLatin1String(what))
                              .arg(type)
                              .arg(working.back(), 0, 'f', 3);
        }
        --m_depth;
        return r;
    }
    bool measuring = false;
    std::vector<double> busy;    // milliseconds per event
    std::vector<double> working; // of which the thread ran on the CPU
    double longest = 0.0;
    QString longestWhat;

private:
    int m_depth = 0;
};

// Pairs each arrival with the earliest unmatched request of the same message within 50 ms.
struct Matched {
    std::vector<double> clickErrors; // milliseconds, arrival - requested
    std::vector<double> strumErrors;
    int clicksRequested = 0, clicksDropped = 0, strumNotesRequested = 0, strumNotesDropped = 0;
    // Messages queued less than a millisecond before their time (the window thread was held up
    // by the machine), and how many of those arrived more than a millisecond late.
    int queuedLate = 0, queuedLateAndLate = 0, lateOtherwise = 0;
};

// Clicks count up to `clicksUntil` (the last of the N), strum notes up to `notesUntil`.
bool listLate = false; // --list-late: every message off by more than 1 ms

Matched match(const std::vector<Request>& requests, std::vector<Arrival> arrivals,
              double clicksUntil, double notesUntil) {
    Matched m;
    std::map<std::uint32_t, std::deque<const Request*>> open;
    std::vector<const Request*> sorted;
    for (const Request& r : requests)
        if (r.due < (r.source == QueueSource::Metronome ? clicksUntil : notesUntil))
            sorted.push_back(&r);
    std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->due < b->due; });
    for (const Request* r : sorted)
        open[r->word].push_back(r);
    std::sort(arrivals.begin(), arrivals.end(),
              [](const Arrival& a, const Arrival& b) { return a.time < b.time; });
    std::map<const Request*, double> arrivedAt;
    for (const Arrival& a : arrivals) {
        auto& queue = open[a.word];
        while (!queue.empty() && queue.front()->due < a.time - 0.05)
            queue.pop_front(); // never arrived
        if (!queue.empty() && std::abs(queue.front()->due - a.time) <= 0.05) {
            arrivedAt[queue.front()] = a.time;
            queue.pop_front();
        }
    }
    for (const Request* r : sorted) {
        const bool click = r->source == QueueSource::Metronome;
        (click ? m.clicksRequested : m.strumNotesRequested)++;
        const auto it = arrivedAt.find(r);
        if (it == arrivedAt.end()) {
            (click ? m.clicksDropped : m.strumNotesDropped)++;
            continue;
        }
        const double error = (it->second - r->due) * 1000.0;
        (click ? m.clickErrors : m.strumErrors).push_back(error);
        const bool queuedLate = r->asked > r->due - 0.001;
        m.queuedLate += queuedLate;
        m.queuedLateAndLate += queuedLate && std::abs(error) > 1.0;
        m.lateOtherwise += !queuedLate && std::abs(error) > 1.0;
        if (listLate && std::abs(error) > 1.0)
            std::printf("  off: %+.3f ms, queued %.1f ms ahead, at %.3f\n", error,
                        (r->due - r->asked) * 1000, r->due);
    }
    return m;
}

void report(const char* output, const Matched& m, int skipped) {
    auto absolute = [](std::vector<double> v) {
        for (double& x : v)
            x = std::abs(x);
        return v;
    };
    const auto clicks = absolute(m.clickErrors);
    const auto notes = absolute(m.strumErrors);
    std::printf("%-14s clicks: %d requested, %d dropped, %d skipped by the metronome; "
                "|error| median %.3f ms, p99 %.3f ms, max %.3f ms; mean signed %+.3f ms "
                "(goal: p99 within 1 ms, none dropped)\n",
                output, m.clicksRequested, m.clicksDropped, skipped, percentile(clicks, 0.5),
                percentile(clicks, 0.99), percentile(clicks, 1.0),
                m.clickErrors.empty()
                    ? NAN
                    : std::accumulate(m.clickErrors.begin(), m.clickErrors.end(), 0.0) /
                          double(m.clickErrors.size()));
    if (m.strumNotesRequested == 0)
        return; // clicks alone were measured
    std::printf("%-14s strum notes: %d requested, %d dropped; |error| median %.3f ms, p99 %.3f "
                "ms, max %.3f ms (goal: p99 within 1 ms)\n",
                output, m.strumNotesRequested, m.strumNotesDropped, percentile(notes, 0.5),
                percentile(notes, 0.99), percentile(notes, 1.0));
    std::printf("%-14s off by more than 1 ms: %d queued in time, %d queued late by a held-up "
                "window thread (of %d queued late)\n",
                output, m.lateOtherwise, m.queuedLateAndLate, m.queuedLate);
}

// The sender thread that writes an ALSA port, with the port's write replaced by a stamp on the
// monotonic clock: what is measured is the thread's wake-up to each deadline; the sequencer's
// delivery to the receiving port (in the kernel) is not.
class StampedSender final : public MidiOut {
public:
    StampedSender()
        : m_sender([this](std::uint32_t word) {
              if ((statusOf(word) & 0xF0) == 0x90) {
                  std::lock_guard lock(m_mutex);
                  m_arrivals.push_back({monotonicNow(), word});
              }
              return true;
          }) {}
    std::optional<QString> open(int) override { return std::nullopt; }
    void close() override {}
    bool isOpen() const override { return true; }
    void shortMessage(std::uint32_t w) override { m_sender.sendAt(w, 0.0, QueueSource::Other); }
    bool hasOwnClock() const override { return true; }
    double ownClockNow() const override { return monotonicNow(); }
    void shortMessageAt(std::uint32_t w, double t) override {
        m_sender.sendAt(w, t, QueueSource::Other);
    }
    void shortMessageAt(std::uint32_t w, double t, QueueSource s) override {
        m_sender.sendAt(w, t, s);
    }
    void cancelQueued() override { m_sender.cancel(QueueSource::Other); }
    void cancelQueued(QueueSource s) override { m_sender.cancel(s); }
    std::vector<Arrival> arrivals() {
        std::lock_guard lock(m_mutex);
        return m_arrivals;
    }
    std::string realTimeRefusal() const { return m_sender.realTimeRefusal(); }
    std::string quickWakeRefusal() const { return m_sender.quickWakeRefusal(); }

private:
    std::mutex m_mutex;
    std::vector<Arrival> m_arrivals;
    PortSender m_sender; // last: its thread stamps into the members above
};

// One output's players: the metronome and the strums, on the program's clock.
struct Players {
    Players(AppState& state, MidiOut& out, Clock& clock)
        : log(out), player(state.playback, log, clock),
          metronome(state.metronome, state.playback, log, clock) {}
    RequestLog log;
    Player player;
    Metronome metronome;
    double started = 0.0;
    int expectedBeats(double now, double interval) const {
        return int(std::floor((now - metronome.beatZeroTime()) / interval));
    }
};

} // namespace

int main(int argc, char* argv[]) {
    TimedApplication app(argc, argv);
    int ticks = 2000;
    int strums = 100;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--ticks")); i > 0 && i + 1 < args.size())
        ticks = std::max(10, args[i + 1].toInt());
    if (const qsizetype i = args.indexOf(QStringLiteral("--strums")); i > 0 && i + 1 < args.size())
        strums = std::max(1, args[i + 1].toInt());
    double rate = 44100.0;
    if (const qsizetype i = args.indexOf(QStringLiteral("--rate")); i > 0 && i + 1 < args.size())
        rate = std::clamp(args[i + 1].toDouble(), 8000.0, 192000.0);
    listLate = args.contains(QStringLiteral("--list-late"));
    const QString loadBefore = loadAverage();

    EventLoopClock clock;
    AppState state;
    state.metronome.tempo = 400;
    state.finderSelection.assign(6, -1); // six open strings
    const double interval = metronomeInterval(400) / 1000.0;

    const bool driver = args.contains(QStringLiteral("--driver"));
    const double runSeconds = std::max(double(ticks) * interval, double(strums) * 3.0 + 1.0) + 0.5;
    qputenv("JACK_NO_START_SERVER", "1");

    // The built-in synthesizer: rendered by the bench at a sound card's pace, or, with
    // --driver, the program's own output playing through the JACK server and recorded there.
    QString error;
    std::unique_ptr<SynthEngine> engine;
    std::unique_ptr<EngineOut> pacedOut;
    std::unique_ptr<PacedSynth> paced;
    FluidSynthOut driverOut;
    Recorder recorder;
    PlayedFrames played;
    if (driver) {
        qputenv("CHORDALIS_AUDIO_OUTPUT", "jack");
        driverOut.setPlayedHook(
            [&played](std::uint32_t word, long long frame) { played.note(word, frame); });
        if (const auto failed = driverOut.open(-1)) {
            std::printf("synthesizer through JACK: skipped (%s)\n", qPrintable(*failed));
            return 1;
        }
        if (!recorder.open(*driverOut.engine(), QStringLiteral("Chordalis Synthesizer:left"),
                           runSeconds + 3.0, &error)) {
            std::printf("synthesizer through JACK: skipped (%s)\n", qPrintable(error));
            return 1;
        }
    } else {
        engine = SynthEngine::create(defaultSoundFont(), rate, &error);
        if (!engine) {
            std::printf("synthesizer: skipped (%s)\n", qPrintable(error));
            return 1;
        }
        pacedOut = std::make_unique<EngineOut>(*engine);
        paced = std::make_unique<PacedSynth>(*engine);
    }
    SynthEngine& synth = driver ? *driverOut.engine() : *engine;

    // A JACK port, received by the loop-back client.
    LoopBack loopBack;
    RtMidiPorts ports;
    bool jack = loopBack.open();
    if (jack) {
        const qsizetype device = ports.portNames().indexOf(loopBack.portName());
        jack = device >= 0 && !ports.open(int(device));
    }
    if (!jack)
        std::printf("JACK port: skipped (no JACK server; start one with "
                    "jackd --no-realtime -d dummy -r 48000 -p 256 &)\n");

    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::vector<std::unique_ptr<Players>> outputs;
    StampedSender sender;
    std::vector<std::pair<const char*, std::function<std::vector<Arrival>()>>> received;
    std::vector<double> until;
    std::vector<float> clicks;
    const int clickChannel = std::clamp(state.metronome.channel, 0, 15);
    const auto heard = [&]() -> const std::vector<float>& {
        if (clicks.empty())
            clicks = clicksAlone(recorder, played, outputs[0]->log.immediate, clickChannel);
        return clicks;
    };
    if (driver) {
        outputs.push_back(std::make_unique<Players>(state, driverOut, clock));
        received.push_back(
            {"heard (JACK)", [&] {
                 auto arrivals = clickOnsets(outputs[0]->log.requests, recorder, heard(), until[0]);
                 // The strum's notes where the synthesizer played them.
                 for (const auto& [frame, word] : played.taken())
                     if ((statusOf(word) & 0xF0) == 0x90 && data2Of(word) > 0 &&
                         (statusOf(word) & 0x0F) != clickChannel)
                         arrivals.push_back({double(frame) / synth.sampleRate(), word});
                 return arrivals;
             }});
    } else {
        outputs.push_back(std::make_unique<Players>(state, *pacedOut, clock));
        received.push_back({"synthesizer", [&] {
                                return paced->arrivals();
                            }});
    }
    outputs.push_back(std::make_unique<Players>(state, sender, clock));
    received.push_back({"sender thread", [&] {
                            return sender.arrivals();
                        }});
    if (jack) {
        outputs.push_back(std::make_unique<Players>(state, ports, clock));
        received.push_back({"JACK port", [&] {
                                return loopBack.arrivals();
                            }});
    }

    const double cpuStart = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double renderStart = driver ? 0.0 : paced->cpu();
    const double loopBackStart = loopBack.m_cpu;
    const double wallStart = clock.now();
    for (auto& o : outputs)
        o->metronome.setRunning(true);
    int strummed = 0;
    QTimer strumTimer;
    QObject::connect(&strumTimer, &QTimer::timeout, [&] {
        if (strummed++ >= strums)
            return;
        for (auto& o : outputs)
            playShown(state, o->player, Mode::ChordFinder);
    });
    strumTimer.start(3000);
    QTimer::singleShot(int(runSeconds * 1000), &app, &QCoreApplication::quit);
    app.measuring = true;
    QCoreApplication::exec();
    app.measuring = false;

    std::vector<double> stopped;
    std::vector<int> expected;
    for (auto& o : outputs) {
        const double now = o->log.ownClockNow();
        stopped.push_back(now);
        expected.push_back(std::min(ticks, o->expectedBeats(now, interval)));
        until.push_back(o->metronome.beatZeroTime() + double(ticks) * interval + 0.001);
        o->metronome.setRunning(false);
    }
    const double wall = clock.now() - wallStart;
    const double cpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    const double render = driver ? 0.0 : paced->cpu() - renderStart;
    const double receiving = loopBack.m_cpu - loopBackStart;
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the last messages arrive

    std::printf("%d clicks at 400 bpm and %d six-string strums at tempo 90, together, on each "
                "output, the synthesizer at %.0f Hz%s; load average %s before, %s after, on %u "
                "cores\n",
                ticks, strums, synth.sampleRate(),
                driver ? " playing through the JACK server, its sound recorded there" : "",
                qPrintable(loadBefore), qPrintable(loadAverage()),
                std::thread::hardware_concurrency());
    for (size_t k = 0; k < outputs.size(); ++k) {
        // Heard through JACK: the clicks are found in the recorded sound (the strums, which
        // sound with them as in the program, taken out of it); the strums' notes are timed at
        // the frames the synthesizer played them.
        const double notesUntil = stopped[k];
        const Matched m =
            match(outputs[k]->log.requests, received[k].second(), until[k], notesUntil);
        int clickRequests = 0;
        for (const Request& r : outputs[k]->log.requests)
            clickRequests += r.source == QueueSource::Metronome && r.due < until[k];
        report(received[k].first, m, std::max(0, expected[k] - clickRequests));
    }
    if (driver) {
        // The same clicks against the server's frames from the synthesizer's start, as another
        // client playing on the server's time hears them: a clock that fell behind or ran ahead
        // at a missed cycle and stayed there shows here.
        const Matched fixed =
            match(outputs[0]->log.requests,
                  clickOnsets(outputs[0]->log.requests, recorder, heard(), until[0], false),
                  until[0], -1.0);
        report("heard, server", fixed, 0);
        std::printf("heard (JACK): the synthesizer's place on the server's frames changed in %d "
                    "of %zu JACK cycles, by a cycle of %.1f ms or more (a cycle it missed, or "
                    "one it was called late for) (goal: none; a machine that holds the "
                    "synthesizer's thread up causes them); from its first cycle to its last it "
                    "moved %+.1f ms\n",
                    recorder.missedCycles(), recorder.cycles(),
                    1000.0 * double(recorder.period()) / recorder.rate(),
                    1000.0 * double(recorder.lastOffset() - recorder.firstOffset()) /
                        recorder.rate());
    }
    std::printf("sender thread (the ALSA port's path; its write to the sequencer stamped instead, "
                "no /dev/snd/seq here): real-time priority %s; quick wake-ups %s\n",
                sender.realTimeRefusal().empty() ? "granted" : sender.realTimeRefusal().c_str(),
                sender.quickWakeRefusal().empty() ? "held while messages wait"
                                                  : sender.quickWakeRefusal().c_str());
    if (jack)
        std::printf("JACK port: %llu messages refused by the output\n",
                    static_cast<unsigned long long>(ports.droppedMessages()));
    std::vector<double> busy = app.busy;
    std::printf("window thread: %zu events handled; time in one event median %.3f ms, p99 %.3f "
                "ms, max %.3f ms (%s) (goal: never more than 1 ms)\n",
                busy.size(), percentile(busy, 0.5), percentile(busy, 0.99), percentile(busy, 1.0),
                qPrintable(app.longestWhat));
    std::printf("window thread on the CPU in one event: median %.3f ms, p99 %.3f ms, max %.3f ms "
                "(the rest of an event's time it waited for the machine's other work)\n",
                percentile(app.working, 0.5), percentile(app.working, 0.99),
                percentile(app.working, 1.0));
    if (driver)
        std::printf("CPU of the whole bench, the synthesizer's JACK thread and the recorder "
                    "included: %.2f%% of a core\n",
                    100.0 * cpu / wall);
    else
        std::printf(
            "CPU besides the synthesizer's rendering and the bench's receiving client: %.2f%% "
            "of a core (goal: under 1%%); the rendering: %.2f%%, the receiving: %.2f%%\n",
            100.0 * (cpu - render - receiving) / wall, 100.0 * render / wall,
            100.0 * receiving / wall);
    return 0;
}
