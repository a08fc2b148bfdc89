#include "sound/backends/FluidSynthOut.h"

#include "sound/MessageRing.h"
#include "sound/TimedQueue.h"
#include "sound/backends/FontTuning.h"

#include <QFileInfo>
#include <QMutex>
#include <QStringList>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <fluidsynth.h>
#include <mutex>

namespace chordalis {

namespace {

// FluidSynth reports problems through one process-wide log hook. Its errors are collected here
// while the synthesizer is being set up, so the user sees them in the failure message instead of
// on the terminal.
QMutex logMutex;
QStringList* logSink = nullptr;

void collectLog(int level, const char* message, void*) {
    QMutexLocker lock(&logMutex);
    if (logSink && (level == FLUID_ERR || level == FLUID_PANIC))
        logSink->append(QString::fromLocal8Bit(message));
}

class LogCapture {
public:
    LogCapture() {
        QMutexLocker lock(&logMutex);
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, collectLog, nullptr);
        logSink = &m_lines;
    }
    ~LogCapture() {
        QMutexLocker lock(&logMutex);
        logSink = nullptr;
    }
    QString text() const {
        QMutexLocker lock(&logMutex);
        return m_lines.join(QLatin1String("; "));
    }

private:
    QStringList m_lines;
};

} // namespace

// The synthesizer renders in blocks of this many frames; a message takes effect at a block's start.
constexpr int Block = 64;

struct SynthEngine::Handles {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    // The timed messages: handed over by the window thread through a ring without a lock, kept
    // and played by the rendering thread, which never waits for the window thread.
    std::mutex producers;
    MessageRing ring;
    TimedQueue queue; // the rendering thread's own
    std::atomic<std::uint64_t> dropped{0};
    std::atomic<long long> frames{0}; // frames rendered: the synthesizer's clock
    std::function<void(std::uint32_t, long long)> played;
    // The programs whose keys are tuned for the font (a key tuning of bank 0 and that program),
    // and each channel's bank, which a program change takes.
    std::array<bool, 128> tunedProgram{};
    std::array<int, 16> bank{};

    ~Handles() {
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

QString defaultSoundFont() {
    const QByteArray chosen = qgetenv("CHORDALIS_SOUNDFONT");
    if (!chosen.isEmpty())
        return QString::fromLocal8Bit(chosen);
    for (const char* path :
         {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
        if (QFileInfo(QLatin1String(path)).isFile())
            return QLatin1String(path);
    }
    return {};
}

std::unique_ptr<SynthEngine> SynthEngine::create(const QString& soundFont, double sampleRate,
                                                 QString* error) {
    LogCapture log;
    auto fail = [&](const QString& what) {
        const QString details = log.text();
        *error = details.isEmpty() ? what : what + QLatin1String(" (") + details + QLatin1Char(')');
        return nullptr;
    };
    if (soundFont.isEmpty())
        return fail(QStringLiteral("No General MIDI sound font is installed "
                                   "(/usr/share/sounds/sf2/default-GM.sf2)."));

    std::unique_ptr<SynthEngine> engine(new SynthEngine);
    engine->m_sampleRate = sampleRate;
    engine->m_h = std::make_unique<Handles>();
    Handles& h = *engine->m_h;
    h.settings = new_fluid_settings();
    if (!h.settings)
        return fail(QStringLiteral("The synthesizer's settings could not be created."));
    fluid_settings_setnum(h.settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(h.settings, "synth.gain", SynthGain);
    fluid_settings_setint(h.settings, "synth.reverb.active", 1);
    fluid_settings_setint(h.settings, "synth.chorus.active", 0);
    h.synth = new_fluid_synth(h.settings);
    if (!h.synth)
        return fail(QStringLiteral("The synthesizer could not be created."));
    if (fluid_synth_sfload(h.synth, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
        return fail(QStringLiteral("The sound font %1 could not be loaded.").arg(soundFont));
    // A font whose samples are known to sit off their notes is played in tune.
    if (const auto* offsets = fontTuningApplied() ? fontOffsets(soundFont) : nullptr) {
        for (const ProgramOffsets& p : *offsets) {
            std::array<double, 128> pitch{};
            // In whole cents: the synthesizer plays a key's pitch to the cent below it.
            for (size_t key = 0; key < pitch.size(); ++key)
                pitch[key] = 100.0 * double(key) - std::round(p.cents[key]);
            if (fluid_synth_activate_key_tuning(h.synth, 0, p.program, "font tuning", pitch.data(),
                                                0) == FLUID_OK)
                h.tunedProgram[size_t(p.program)] = true;
        }
        for (int channel = 0; channel < 16; ++channel)
            engine->tuneChannel(channel, 0);
    }

    return engine;
}

SynthEngine::~SynthEngine() = default;

void SynthEngine::shortMessage(std::uint32_t word) {
    const int status = statusOf(word);
    const int channel = status & 0x0F;
    const int d1 = data1Of(word);
    const int d2 = data2Of(word);
    switch (status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(m_h->synth, channel, d1);
        break;
    case 0x90:
        if (d2 == 0)
            fluid_synth_noteoff(m_h->synth, channel, d1);
        else
            fluid_synth_noteon(m_h->synth, channel, d1, d2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(m_h->synth, channel, d1, d2);
        break;
    case 0xB0:
        if (d1 == 0) // bank select
            m_h->bank[size_t(channel)] = d2;
        fluid_synth_cc(m_h->synth, channel, d1, d2);
        break;
    case 0xC0:
        fluid_synth_program_change(m_h->synth, channel, d1);
        tuneChannel(channel, d1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(m_h->synth, channel, d1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(m_h->synth, channel, d2 << 7 | d1);
        break;
    default:
        break; // system messages are not played
    }
}

void SynthEngine::tuneChannel(int channel, int program) {
    // The percussion channel plays no notes of a scale.
    const bool tuned = channel != 9 && m_h->bank[size_t(channel)] == 0 &&
                       m_h->tunedProgram[size_t(program & 0x7F)];
    if (tuned)
        fluid_synth_activate_tuning(m_h->synth, channel, 0, program & 0x7F, 1);
    else if (std::find(m_h->tunedProgram.begin(), m_h->tunedProgram.end(), true) !=
             m_h->tunedProgram.end())
        fluid_synth_deactivate_tuning(m_h->synth, channel, 1);
}

void SynthEngine::shortMessageAt(std::uint32_t word, double seconds, QueueSource source) {
    std::lock_guard lock(m_h->producers);
    if (!m_h->ring.push({QueueCommand::Kind::Message, source, word, seconds}))
        ++m_h->dropped;
}

void SynthEngine::cancelQueued(QueueSource source) {
    std::lock_guard lock(m_h->producers);
    if (!m_h->ring.push({QueueCommand::Kind::Cancel, source, 0, 0.0}))
        ++m_h->dropped;
}

std::uint64_t SynthEngine::droppedMessages() const {
    return m_h->dropped;
}

int SynthEngine::activeVoices() const {
    return fluid_synth_get_active_voice_count(m_h->synth);
}

double SynthEngine::clockNow() const {
    return double(m_h->frames.load()) / m_sampleRate;
}

void SynthEngine::setPlayedHook(std::function<void(std::uint32_t, long long)> hook) {
    m_h->played = std::move(hook);
}

int SynthEngine::startPiece(int left) {
    const long long frame = m_h->frames.load();
    const int inBlock = int(frame % Block);
    if (inBlock == 0) {
        // A block about to be rendered: the messages nearer its start than the next one's.
        const double until = (double(frame) + Block / 2.0) / m_sampleRate;
        QueueCommand c;
        while (m_h->ring.pop(c)) {
            if (c.kind == QueueCommand::Kind::Cancel)
                m_h->queue.cancel(c.source);
            else if (!m_h->queue.push(c.word, c.due, c.source))
                ++m_h->dropped;
        }
        TimedMessage m;
        while (m_h->queue.takeOneDue(until, m)) {
            shortMessage(m.word);
            if (m_h->played)
                m_h->played(m.word, frame);
        }
    }
    return std::min(left, Block - inBlock);
}

void SynthEngine::render(short* interleaved, int frames) {
    for (int done = 0; done < frames;) {
        const int piece = startPiece(frames - done);
        short* at = interleaved + size_t(done) * 2;
        fluid_synth_write_s16(m_h->synth, piece, at, 0, 2, at, 1, 2);
        m_h->frames += piece;
        done += piece;
    }
}

void SynthEngine::skip(int frames) {
    // Whole blocks, so that the queue is still looked at on block boundaries: the clock is then
    // off by at most half a block (0.7 ms at 44.1 kHz), and the messages due in the gap play at
    // the next block.
    m_h->frames += (std::max(frames, 0) + Block / 2) / Block * Block;
}

void SynthEngine::render(float* left, float* right, int stride, int frames) {
    for (int done = 0; done < frames;) {
        const int piece = startPiece(frames - done);
        const int at = done * stride;
        fluid_synth_write_float(m_h->synth, piece, left, at, stride, right, at, stride);
        m_h->frames += piece;
        done += piece;
    }
}

FluidSynthOut::FluidSynthOut(AudioOutputFactory audio) : m_openAudio(std::move(audio)) {}

FluidSynthOut::~FluidSynthOut() {
    close();
}

std::optional<QString> FluidSynthOut::open(int /*device*/) {
    close();
    QString error;
    // The output first: its rate is the one the synthesizer renders at.
    auto audio = m_openAudio(&error);
    if (!audio)
        return error;
    auto engine = SynthEngine::create(defaultSoundFont(), audio->sampleRate(), &error);
    if (!engine)
        return error;
    if (m_played)
        engine->setPlayedHook(m_played);
    audio->start([synth = engine.get()](float* left, float* right, int stride,
                                        int frames) { synth->render(left, right, stride, frames); },
                 [synth = engine.get()](int frames) { synth->skip(frames); });
    m_engine = std::move(engine);
    m_audio = std::move(audio);
    return std::nullopt;
}

void FluidSynthOut::close() {
    m_audio.reset(); // stops rendering before the synthesizer goes
    m_engine.reset();
}

std::optional<OutputFault> FluidSynthOut::fault() const {
    return m_audio ? m_audio->fault() : std::nullopt;
}

QString FluidSynthOut::outputName() const {
    if (!m_audio)
        return {};
    return QStringLiteral("the built-in synthesizer through %1 at %2 Hz")
        .arg(m_audio->system())
        .arg(qRound64(m_engine->sampleRate()));
}

void FluidSynthOut::shortMessage(std::uint32_t word) {
    if (m_engine)
        m_engine->shortMessage(word);
}

double FluidSynthOut::ownClockNow() const {
    return m_engine ? m_engine->clockNow() : 0.0;
}

void FluidSynthOut::shortMessageAt(std::uint32_t word, double seconds) {
    shortMessageAt(word, seconds, QueueSource::Other);
}

void FluidSynthOut::shortMessageAt(std::uint32_t word, double seconds, QueueSource source) {
    if (m_engine)
        m_engine->shortMessageAt(word, seconds, source);
}

void FluidSynthOut::cancelQueued() {
    cancelQueued(QueueSource::Other);
}

void FluidSynthOut::cancelQueued(QueueSource source) {
    if (m_engine)
        m_engine->cancelQueued(source);
}

} // namespace chordalis
