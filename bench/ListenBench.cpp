// The listening engine's figures on a set it renders itself: pitch of held notes E1..E6 with known
// detunings (plucked-string model, the synthesizer's steel guitar and finger bass), onsets, the
// chord named for a strum of every library chord on its first grip, and the check of strums with
// one string muted or wrong; then the time each 256-frame block takes at 48 kHz, and the way of a
// block from its arrival to the neck repainted (the program's listening as the window runs it).
// Usage: chordalis_listen_bench [--pitch-only | --chords-only | --latency-only] [--wav-dir DIR]
// (DIR receives the
// held notes as WAV files and truth.txt, "file hz" per line, for a comparison with other pitch
// trackers)
#include "Fakes.h"
#include "app/ListeningControl.h"
#include "app/Program.h"
#include "library/LibraryLoader.h"
#include "library/Voicings.h"
#include "library/Warnings.h"
#include "listening/ChordCheck.h"
#include "listening/ClipInput.h"
#include "listening/TestSounds.h"
#include "modes/Commands.h"
#include "modes/TreeClicks.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>
#include <tuple>

using namespace chordalis;
using namespace chordalis::testsounds;

namespace {

constexpr double Rate = 48000.0;
const std::vector<int> Standard{64, 59, 55, 50, 45, 40};

double detuneOf(int note) {
    return std::array<double, 5>{-37.0, -11.0, 0.0, 13.0, 42.0}[note % 5];
}

double percentileOf(std::vector<double> v, double p) {
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[size_t(std::lround(p * double(v.size() - 1)))];
}

void pitchFigures(const QString& wavDir) {
    QFile truth(wavDir + QStringLiteral("/truth.txt"));
    if (!wavDir.isEmpty()) {
        QDir().mkpath(wavDir);
        (void)truth.open(QIODevice::WriteOnly);
    }
    auto keep = [&](const AudioClip& clip, const QString& name, double hz) {
        if (wavDir.isEmpty())
            return;
        QFile f(wavDir + QLatin1Char('/') + name);
        if (f.open(QIODevice::WriteOnly))
            f.write(wavBytes(clip));
        truth.write(QStringLiteral("%1 %2\n").arg(name).arg(hz, 0, 'f', 4).toUtf8());
    };
    PitchScore pluck, guitar, bass;
    // The same frames from where each note has settled, as a player reads a tuner.
    PitchScore pluckSettled, guitarSettled, bassSettled;
    std::vector<double> settleTimes;
    std::vector<double> guitarSteady, bassSteady, guitarOffset, bassOffset;
    for (int note = 28; note <= 88; ++note) {
        const double hz = noteFrequency(note + detuneOf(note) / 100.0);
        AudioClip clip;
        clip.sampleRate = Rate;
        addPluck(clip, hz, 0.2, 1.6, 0.5, unsigned(note));
        addNoise(clip, 30.0, unsigned(note));
        const Heard plucked = listenTo(clip);
        pluck.add(scorePitch(plucked.frames, 0.2, hz));
        pluckSettled.add(scorePitch(plucked.frames, 0.2, hz, settledAfter(plucked.frames, 0.2)));
        keep(clip, QStringLiteral("pluck-%1.wav").arg(note), hz);
        for (int program : {25, 33}) {
            if ((program == 25 && note < 40) || (program == 33 && note > 67))
                continue;
            QString error;
            auto synth = renderNotes({note}, detuneOf(note), program, 1.4, Rate, &error);
            if (!synth) {
                std::printf("synthesizer: %s\n", qPrintable(error));
                continue;
            }
            addNoise(*synth, 30.0, unsigned(note) + 7u);
            const Heard heard = listenTo(*synth);
            (program == 25 ? guitar : bass).add(scorePitch(heard.frames, 0.2, hz));
            const double settled = settledAfter(heard.frames, 0.2);
            settleTimes.push_back(settled);
            (program == 25 ? guitarSettled : bassSettled)
                .add(scorePitch(heard.frames, 0.2, hz, settled));
            const Steadiness s = steadiness(heard.frames, 0.2, 0.3);
            (program == 25 ? guitarSteady : bassSteady).push_back(s.share);
            (program == 25 ? guitarOffset : bassOffset)
                .push_back(1200.0 * std::log2(s.medianHz / hz));
            keep(*synth,
                 QStringLiteral("%1-%2.wav").arg(program == 25 ? "guitar" : "bass").arg(note), hz);
        }
    }
    for (auto [name, s] :
         {std::pair{"plucked string", &pluck}, {"synth guitar", &guitar}, {"synth bass", &bass}})
        std::printf("pitch, %-15s %5d frames, %5.1f %% voiced, %5.1f %% of voiced within 2 cents "
                    "(goal >= 95 %%), worst %.1f cents\n",
                    name, s->frames, 100.0 * s->voiced / std::max(1, s->frames), 100.0 * s->share(),
                    s->worstCents);
    for (auto [name, s] : {std::pair{"plucked string", &pluckSettled},
                           {"synth guitar", &guitarSettled},
                           {"synth bass", &bassSettled}})
        std::printf("pitch, %-15s settled: %5d frames, %5.1f %% of voiced within 2 cents (goal >= "
                    "95 %%), worst %.1f cents\n",
                    name, s->frames, 100.0 * s->share(), s->worstCents);
    std::printf("pitch, the synthesizer's notes settle %.2f s after their onset (median), %.2f s "
                "at the latest\n",
                percentileOf(settleTimes, 0.5), percentileOf(settleTimes, 1.0));
    for (auto [name, shares, offsets] : {std::tuple{"synth guitar", &guitarSteady, &guitarOffset},
                                         {"synth bass", &bassSteady, &bassOffset}}) {
        double mean = 0.0, worstOffset = 0.0;
        for (double v : *shares)
            mean += v / double(std::max<size_t>(1, shares->size()));
        for (double o : *offsets)
            worstOffset = std::max(worstOffset, std::abs(o));
        std::printf("pitch, %-15s held within 2 cents of its own median on %.1f %% of voiced "
                    "frames (0.3 to 1 s); "
                    "the sound font's samples sit up to %.1f cents from the note asked for\n",
                    name, 100.0 * mean, worstOffset);
    }
}

void onsetFigures() {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> gap(0.25, 0.9);
    std::uniform_int_distribution<int> noteOf(28, 84);
    int truths = 0, found = 0, extra = 0;
    double worst = 0.0;
    for (int run = 0; run < 20; ++run) {
        AudioClip clip;
        clip.sampleRate = Rate;
        std::vector<double> times;
        double t = 0.3;
        for (int i = 0; i < 10; ++i) {
            addPluck(clip, noteFrequency(noteOf(random)), t, 1.2, 0.4, unsigned(run * 10 + i));
            times.push_back(t);
            t += gap(random);
        }
        addNoise(clip, 30.0, unsigned(run));
        const Heard heard = listenTo(clip);
        truths += int(times.size());
        for (double truth : times) {
            double nearest = 1e9;
            for (const NoteEvent& e : heard.events)
                nearest = std::min(nearest, std::abs(e.time - truth));
            if (nearest <= 0.03)
                ++found;
            worst = std::max(worst, std::min(nearest, 1.0));
        }
        extra += std::max(0, int(heard.events.size()) - int(times.size()));
    }
    std::printf("onsets: %d of %d within 30 ms (goal: all), %d extra, worst %.1f ms\n", found,
                truths, extra, worst * 1000.0);
}

void chordFigures() {
    IniReader ini(QStringLiteral(CHORDALIS_SHIPPED_DATA));
    Warnings warnings(true);
    LibraryLoader loader(ini, warnings);
    const ChordLibrary chords = loader.loadChords();
    Instrument guitar;
    guitar.frets = 24;
    const NoteFinder finder(Rate, 8192);
    int strums = 0, named = 0, checks = 0, checkedRight = 0, plainRight = 0;
    std::mt19937 random(11);
    for (int chord = 0; chord < chords.count; ++chord) {
        const int root = chord % 12;
        const auto grips = readVoicings(ini, warnings, chord, root, Tuning{});
        if (grips.empty())
            continue;
        const std::vector<std::optional<int>> frets = grips.front().frets;
        std::vector<int> truthNotes;
        for (int s = 1; s <= 6; ++s)
            if (frets[size_t(s - 1)])
                truthNotes.push_back(Standard[size_t(s - 1)] + *frets[size_t(s - 1)]);
        const QString truthName = nameHeardNotes(ini, chords, truthNotes).text;
        auto strum = [&](const std::vector<std::optional<int>>& played, unsigned seed) {
            AudioClip clip;
            clip.sampleRate = Rate;
            addStrum(clip, gripFrequencies(played, Standard), 0.2, 0.8, 0.012, seed);
            addNoise(clip, 30.0, seed);
            const Heard heard = listenTo(clip);
            return heard.events.empty() ? NoteEvent{} : heard.events.front();
        };
        const NoteEvent heard = strum(frets, unsigned(chord));
        ++strums;
        if (nameHeardNotes(ini, chords, heard.notes.above(DefaultShare)).text == truthName)
            ++named;
        bool allRight = true;
        for (const StringVerdict& v : checkStrum(guitar, frets, finder, heard.sound))
            allRight = allRight && v.check == StringCheck::Right;
        plainRight += allRight;
        // One string muted, then one string a fret or two off, each checked string by string.
        std::vector<int> playedStrings;
        for (int s = 1; s <= 6; ++s)
            if (frets[size_t(s - 1)])
                playedStrings.push_back(s);
        const int s = playedStrings[size_t(random() % playedStrings.size())];
        for (int variant = 0; variant < 2; ++variant) {
            auto played = frets;
            StringCheck expected = StringCheck::Missing;
            if (variant == 0) {
                played[size_t(s - 1)].reset();
            } else {
                *played[size_t(s - 1)] += 1 + int(random() % 2);
                expected = StringCheck::Wrong;
            }
            const NoteEvent h = strum(played, unsigned(chord * 3 + variant + 1));
            bool right = true;
            for (const StringVerdict& v : checkStrum(guitar, frets, finder, h.sound))
                right = right && v.check == (v.string == s ? expected : StringCheck::Right);
            ++checks;
            checkedRight += right;
        }
    }
    std::printf("chords: %d of %d strums named right (%.1f %%, goal >= 90 %%); whole grip checked "
                "right %d of %d\n",
                named, strums, 100.0 * named / std::max(1, strums), plainRight, strums);
    std::printf("check: %d of %d strums with one string muted or wrong right on every string "
                "(%.1f %%, goal >= 95 %%)\n",
                checkedRight, checks, 100.0 * checkedRight / std::max(1, checks));
}

void speedFigures() {
    AudioClip clip;
    clip.sampleRate = Rate;
    for (int i = 0; i < 20; ++i)
        addStrum(clip, {82.4, 110.0, 146.8, 196.0, 246.9, 329.6}, 0.5 * i, 1.0, 0.01, unsigned(i));
    addNoise(clip, 30.0, 1);
    Listener listener(Rate);
    double worst = 0.0, total = 0.0;
    const auto cpu = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    };
    const double cpuStart = cpu();
    for (size_t i = 0; i + 256 <= clip.samples.size(); i += 256) {
        const auto start = std::chrono::steady_clock::now();
        listener.push(std::span<const float>(clip.samples.data() + i, 256));
        (void)listener.takeFrames();
        (void)listener.takeEvents();
        const double took =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        worst = std::max(worst, took);
        total += took;
    }
    std::printf("speed at 48 kHz, 256-frame blocks: worst block %.2f ms, mean %.3f ms (goal: block "
                "to neck <= 50 ms); CPU %.1f %% of one core by the thread's own clock, %.1f %% by "
                "the wall clock (goal < 10 %%)\n",
                worst * 1000.0, 1000.0 * total / double(clip.samples.size() / 256),
                100.0 * (cpu() - cpuStart) / clip.seconds(), 100.0 * total / clip.seconds());
}

// From a block's arrival to the neck's update: ten strums of the chords page's first grip come in
// 256-frame blocks at 48 kHz, each block when its time comes, from a thread of their own as a
// sound card's would; the program listens as the window does (the session's thread, queued calls
// to this thread, the grip checked, the notes lit) and the neck is painted offscreen each time its
// picture changes. A strum's latency runs from the arrival of the block that completes the
// stretch its notes are read from (taken 10 ms early, so the figure errs long) to that paint.
void latencyFigures() {
    QTemporaryDir scratch;
    test::RecordingMessageBoxes boxes;
    Program program(QStringLiteral(CHORDALIS_SHIPPED_DATA), boxes, test::FakeDevices().devices,
                    true);
    QSettings store(scratch.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    program.startUp(store, QSize(1024, 768));
    chooseItem(program.context(), TreeId::Chords, 0);
    const Voicing grip = *program.state().selectedVoicingEntry();

    constexpr int Block = 256;
    constexpr int Strums = 10;
    constexpr double Gap = 0.6; // seconds between strums
    AudioClip clip;
    clip.sampleRate = Rate;
    std::vector<double> hz;
    for (const StrummedNote& n : voicingStrum(grip, program.state().tuning()))
        hz.push_back(noteFrequency(n.note));
    for (int i = 0; i < Strums; ++i)
        addStrum(clip, hz, 0.3 + Gap * i, 0.5, 0.012, unsigned(i));
    addNoise(clip, 30.0, 3);

    using Clock = std::chrono::steady_clock;
    auto input = std::make_unique<ClipInput>(clip, Block);
    ClipInput& feed = *input;
    ListenInputs inputs(std::move(input), nullptr, nullptr, nullptr);
    ListeningControl control(program, inputs);
    control.setGripHook([&]() -> std::optional<Voicing> { return grip; });
    NeckExtras extras;
    extras.highlightSounding = true;
    Clock::time_point lastPaint;
    int paints = 0, seen = 0;
    std::vector<Clock::time_point> painted; // per strum
    // The window has painted its neck before anyone listens: the wood is drawn once already.
    (void)program.fretboard().image(1.0, extras);
    program.setNeckChangedHook([&] {
        const QImage image = program.fretboard().image(1.0, extras);
        (void)image.constBits();
        lastPaint = Clock::now();
        ++paints;
    });
    control.setChangedHook([&] {
        // The notes lit after the check: the strum's last change of the neck.
        if (paints != seen && !control.heard().empty()) {
            painted.push_back(lastPaint);
            seen = paints;
        }
    });
    if (const auto refused = control.start({})) {
        std::printf("latency: listening refused: %s\n", qPrintable(*refused));
        return;
    }
    const size_t blocks = clip.samples.size() / Block;
    std::vector<Clock::time_point> arrived(blocks);
    std::atomic<bool> fed{false};
    std::thread feeder([&] {
        const Clock::time_point start = Clock::now();
        for (size_t b = 0; b < blocks; ++b) {
            std::this_thread::sleep_until(start +
                                          std::chrono::duration<double>((b + 1.0) * Block / Rate));
            arrived[b] = Clock::now();
            feed.deliver(1);
        }
        fed = true;
    });
    while (!fed)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    feeder.join();
    control.settle();
    control.stop();

    const long window = Listener::noteWindow(Rate);
    std::vector<double> ms;
    for (size_t k = 0; k < painted.size() && k < size_t(Strums); ++k) {
        const double end = (0.3 + Gap * double(k) - 0.010 + Listener::NoteDelay) * Rate + window;
        const size_t b = std::min(blocks - 1, size_t(end) / Block);
        ms.push_back(std::chrono::duration<double, std::milli>(painted[k] - arrived[b]).count());
    }
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) {
        std::printf("latency: no strum reached the neck\n");
        return;
    }
    std::printf("block to neck at 48 kHz, 256-frame blocks: %zu of %d strums lit, checked and "
                "painted; median %.1f ms, worst %.1f ms (goal <= 50 ms)\n",
                ms.size(), Strums, ms[ms.size() / 2], ms.back());
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype dir = args.indexOf(QStringLiteral("--wav-dir"));
    const bool pitchOnly = args.contains(QStringLiteral("--pitch-only"));
    const bool chordsOnly = args.contains(QStringLiteral("--chords-only"));
    if (args.contains(QStringLiteral("--latency-only"))) {
        latencyFigures();
        return 0;
    }
    if (!pitchOnly && !chordsOnly) {
        latencyFigures();
        speedFigures();
        onsetFigures();
    }
    if (!chordsOnly)
        pitchFigures(dir > 0 && dir + 1 < args.size() ? args[dir + 1] : QString());
    if (!pitchOnly)
        chordFigures();
    return 0;
}
