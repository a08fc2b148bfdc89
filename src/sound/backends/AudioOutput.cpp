#include "sound/backends/AudioOutput.h"

#include <QByteArray>
#include <QStringList>
#include <SDL.h>
#include <algorithm>
#include <alsa/asoundlib.h>
#include <atomic>
#include <jack/jack.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <thread>
#include <vector>

namespace chordalis {

namespace {

// Frames rendered at a time by the outputs that pull sound from a thread of their own: 5.8 ms at
// 44.1 kHz, short enough that the synthesizer's clock stays close to what is heard.
constexpr int Period = 256;

void silentJack(const char*) {}
void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// The fault an output has seen, handed from the thread that sees it to whoever asks.
class FaultFlag {
public:
    enum State { None, Gone, RateChanged };
    void set(State state, double newRate = 0.0) {
        m_rate = newRate;
        m_state.store(state, std::memory_order_release);
    }
    std::optional<OutputFault> fault(const QString& goneReason) const {
        switch (m_state.load(std::memory_order_acquire)) {
        case Gone:
            return OutputFault{goneReason, false};
        case RateChanged:
            return OutputFault{
                QStringLiteral("The sound output now runs at %1 Hz.").arg(qRound64(m_rate.load())),
                true};
        default:
            return std::nullopt;
        }
    }

private:
    std::atomic<int> m_state{None};
    std::atomic<double> m_rate{0.0};
};

// --- JACK: a client of our own, rendering in the server's process cycle ------------------------

class JackAudio final : public AudioOutput {
public:
    static std::unique_ptr<JackAudio> open(QString* error) {
        qputenv("JACK_NO_START_SERVER", "1"); // libjack would otherwise start a server
        jack_set_error_function(silentJack);
        jack_set_info_function(silentJack);
        std::unique_ptr<JackAudio> out(new JackAudio);
        jack_status_t status{};
        out->m_client = jack_client_open("Chordalis Synthesizer", JackNoStartServer, &status);
        if (!out->m_client) {
            *error = QStringLiteral("no JACK server runs");
            return nullptr;
        }
        // Before the rate callback, which the server may call at once with its rate.
        out->m_rate = double(jack_get_sample_rate(out->m_client));
        // A gap of more than ten seconds is a stopped server or freewheeling, not lost time.
        out->m_frames = ServerFrames(std::int64_t(out->m_rate * 10.0));
        out->m_left = jack_port_register(out->m_client, "left", JACK_DEFAULT_AUDIO_TYPE,
                                         JackPortIsOutput | JackPortIsTerminal, 0);
        out->m_right = jack_port_register(out->m_client, "right", JACK_DEFAULT_AUDIO_TYPE,
                                          JackPortIsOutput | JackPortIsTerminal, 0);
        if (!out->m_left || !out->m_right ||
            jack_set_process_callback(out->m_client, process, out.get()) != 0 ||
            jack_set_sample_rate_callback(out->m_client, rateChanged, out.get()) != 0) {
            *error = QStringLiteral("the JACK server refused the synthesizer's ports");
            return nullptr;
        }
        jack_on_info_shutdown(out->m_client, serverGone, out.get());
        return out;
    }
    ~JackAudio() override {
        if (!m_client)
            return;
        if (m_active)
            jack_deactivate(m_client);
        jack_client_close(m_client);
    }

    QString system() const override { return QStringLiteral("JACK"); }
    double sampleRate() const override { return m_rate; }
    void start(RenderAudio render, SkippedAudio skipped) override {
        m_render = std::move(render);
        m_skipped = std::move(skipped);
        if (jack_activate(m_client) != 0) {
            m_fault.set(FaultFlag::Gone);
            return;
        }
        m_active = true;
        // Heard through the first two of the system's playback ports, as a player of sound
        // files would be; other connections are the user's to make.
        if (const char** ports = jack_get_ports(m_client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                                JackPortIsPhysical | JackPortIsInput)) {
            if (ports[0]) {
                jack_connect(m_client, jack_port_name(m_left), ports[0]);
                jack_connect(m_client, jack_port_name(m_right), ports[1] ? ports[1] : ports[0]);
            }
            jack_free(ports);
        }
    }
    std::optional<OutputFault> fault() const override {
        return m_fault.fault(QStringLiteral("The JACK server has stopped."));
    }

private:
    JackAudio() = default;

    static int process(jack_nframes_t frames, void* data) {
        auto* self = static_cast<JackAudio*>(data);
        auto* left = static_cast<float*>(jack_port_get_buffer(self->m_left, frames));
        auto* right = static_cast<float*>(jack_port_get_buffer(self->m_right, frames));
        // The server's frame counter goes on through cycles this client missed (an xrun): count
        // them, or the synthesizer's clock falls a period behind for good at each one.
        const int missed =
            self->m_frames.missedBefore(jack_last_frame_time(self->m_client), int(frames));
        if (missed > 0 && self->m_skipped)
            self->m_skipped(missed);
        self->m_render(left, right, 1, int(frames));
        return 0;
    }
    // Called once as the client starts, and again when the server's rate changes.
    static int rateChanged(jack_nframes_t rate, void* data) {
        auto* self = static_cast<JackAudio*>(data);
        if (double(rate) != self->m_rate)
            self->m_fault.set(FaultFlag::RateChanged, double(rate));
        return 0;
    }
    static void serverGone(jack_status_t, const char*, void* data) {
        static_cast<JackAudio*>(data)->m_fault.set(FaultFlag::Gone);
    }

    jack_client_t* m_client = nullptr;
    jack_port_t* m_left = nullptr;
    jack_port_t* m_right = nullptr;
    bool m_active = false;
    double m_rate = 0.0;
    RenderAudio m_render;
    SkippedAudio m_skipped;
    ServerFrames m_frames{0}; // the process callback's own
    FaultFlag m_fault;
};

// --- outputs written by a thread of our own, period after period -------------------------------

// Renders interleaved periods on a thread of its own and hands each to the system's blocking
// write, which paces the thread to the device. The thread ends at a failed write, or when the
// output is destroyed.
class ThreadedAudio : public AudioOutput {
public:
    ~ThreadedAudio() override { stopThread(); }
    void start(RenderAudio render,
               SkippedAudio /*skipped: a blocking write never runs on without us*/) override {
        m_thread = std::thread([this, render = std::move(render)] {
            std::vector<float> buffer(size_t(Period) * 2);
            while (!m_stop.load(std::memory_order_relaxed)) {
                render(buffer.data(), buffer.data() + 1, 2, Period);
                if (!write(buffer.data(), Period)) {
                    m_fault.set(FaultFlag::Gone);
                    return;
                }
            }
        });
    }

protected:
    // Writes interleaved stereo frames; false when the output has gone.
    virtual bool write(const float* interleaved, int frames) = 0;
    // Derived outputs stop the thread before they free what it writes to.
    void stopThread() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    FaultFlag m_fault;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class PulseAudio final : public ThreadedAudio {
public:
    static std::unique_ptr<PulseAudio> open(QString* error) {
        const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, uint32_t(PreferredSampleRate), 2};
        // About two periods in the server's buffer: the sound follows the clock closely.
        const uint32_t period = uint32_t(Period * 2 * sizeof(float));
        const pa_buffer_attr buffer{uint32_t(-1), 2 * period, uint32_t(-1), period, uint32_t(-1)};
        int code = 0;
        pa_simple* stream = pa_simple_new(nullptr, "Chordalis", PA_STREAM_PLAYBACK, nullptr,
                                          "Built-in synthesizer", &format, nullptr, &buffer, &code);
        if (!stream) {
            *error = QString::fromLocal8Bit(pa_strerror(code));
            return nullptr;
        }
        std::unique_ptr<PulseAudio> out(new PulseAudio);
        out->m_stream = stream;
        return out;
    }
    ~PulseAudio() override {
        stopThread();
        pa_simple_free(m_stream);
    }
    QString system() const override { return QStringLiteral("PulseAudio"); }
    // The server converts the stream to its device's rate: the stream runs at the rate asked.
    double sampleRate() const override { return PreferredSampleRate; }
    std::optional<OutputFault> fault() const override {
        return m_fault.fault(QStringLiteral("The sound server has stopped."));
    }

private:
    PulseAudio() = default;
    bool write(const float* interleaved, int frames) override {
        int code = 0;
        return pa_simple_write(m_stream, interleaved, size_t(frames) * 2 * sizeof(float), &code) >=
               0;
    }
    pa_simple* m_stream = nullptr;
};

class AlsaAudio final : public ThreadedAudio {
public:
    static std::unique_ptr<AlsaAudio> open(QString* error) {
        snd_lib_error_set_handler(silentAlsa);
        struct RestoreAlsa {
            ~RestoreAlsa() { snd_lib_error_set_handler(nullptr); }
        } restore;
        std::unique_ptr<AlsaAudio> out(new AlsaAudio);
        int code = snd_pcm_open(&out->m_pcm, "default", SND_PCM_STREAM_PLAYBACK, 0);
        if (code < 0) {
            out->m_pcm = nullptr;
            *error = QString::fromLocal8Bit(snd_strerror(code));
            return nullptr;
        }
        snd_pcm_hw_params_t* hw = nullptr;
        snd_pcm_hw_params_alloca(&hw);
        unsigned rate = unsigned(PreferredSampleRate);
        snd_pcm_uframes_t period = Period;
        snd_pcm_uframes_t size = 4 * Period;
        if ((code = snd_pcm_hw_params_any(out->m_pcm, hw)) < 0 ||
            (code = snd_pcm_hw_params_set_access(out->m_pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED)) <
                0 ||
            (code = snd_pcm_hw_params_set_format(out->m_pcm, hw, SND_PCM_FORMAT_FLOAT)) < 0 ||
            (code = snd_pcm_hw_params_set_channels(out->m_pcm, hw, 2)) < 0 ||
            (code = snd_pcm_hw_params_set_rate_near(out->m_pcm, hw, &rate, nullptr)) < 0 ||
            (code = snd_pcm_hw_params_set_period_size_near(out->m_pcm, hw, &period, nullptr)) < 0 ||
            (code = snd_pcm_hw_params_set_buffer_size_near(out->m_pcm, hw, &size)) < 0 ||
            (code = snd_pcm_hw_params(out->m_pcm, hw)) < 0) {
            *error = QString::fromLocal8Bit(snd_strerror(code));
            return nullptr;
        }
        // A device that plays only other rates is given its nearest: the synthesizer follows.
        unsigned actual = rate;
        int direction = 0;
        if (snd_pcm_hw_params_get_rate(hw, &actual, &direction) == 0)
            rate = actual;
        out->m_rate = double(rate);
        return out;
    }
    ~AlsaAudio() override {
        stopThread();
        if (m_pcm)
            snd_pcm_close(m_pcm);
    }
    QString system() const override { return QStringLiteral("ALSA"); }
    double sampleRate() const override { return m_rate; }
    std::optional<OutputFault> fault() const override {
        return m_fault.fault(QStringLiteral("The sound device has gone."));
    }

private:
    AlsaAudio() = default;
    bool write(const float* interleaved, int frames) override {
        while (frames > 0) {
            snd_pcm_sframes_t done = snd_pcm_writei(m_pcm, interleaved, snd_pcm_uframes_t(frames));
            if (done < 0) {
                // An underrun or a suspended device is recovered; an unplugged one is not.
                if (snd_pcm_recover(m_pcm, int(done), 1) < 0)
                    return false;
                continue;
            }
            interleaved += done * 2;
            frames -= int(done);
        }
        return true;
    }
    snd_pcm_t* m_pcm = nullptr;
    double m_rate = PreferredSampleRate;
};

// --- SDL: its own audio thread calls us ---------------------------------------------------------

class SdlAudio final : public AudioOutput {
public:
    static std::unique_ptr<SdlAudio> open(QString* error) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            *error = QString::fromUtf8(SDL_GetError());
            return nullptr;
        }
        std::unique_ptr<SdlAudio> out(new SdlAudio);
        out->m_started = true;
        SDL_AudioSpec want{};
        want.freq = int(PreferredSampleRate);
        want.format = AUDIO_F32SYS;
        want.channels = 2;
        want.samples = Period;
        want.callback = callback;
        want.userdata = out.get();
        SDL_AudioSpec have{};
        // The device's own rate is taken as it is, rather than converted by SDL.
        out->m_device =
            SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                                SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
        if (out->m_device == 0) {
            *error = QString::fromUtf8(SDL_GetError());
            return nullptr;
        }
        out->m_rate = double(have.freq);
        return out;
    }
    ~SdlAudio() override {
        if (m_device != 0)
            SDL_CloseAudioDevice(m_device);
        if (m_started)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    QString system() const override { return QStringLiteral("SDL"); }
    double sampleRate() const override { return m_rate; }
    void start(RenderAudio render,
               SkippedAudio /*skipped: SDL pulls every period from us*/) override {
        m_render = std::move(render);
        SDL_PauseAudioDevice(m_device, 0);
    }
    std::optional<OutputFault> fault() const override {
        // SDL stops a device that was unplugged.
        if (m_render && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED)
            return OutputFault{QStringLiteral("The sound device has gone."), false};
        return std::nullopt;
    }

private:
    SdlAudio() = default;
    static void callback(void* data, Uint8* stream, int bytes) {
        auto* self = static_cast<SdlAudio*>(data);
        auto* samples = reinterpret_cast<float*>(stream);
        self->m_render(samples, samples + 1, 2, bytes / int(2 * sizeof(float)));
    }
    SDL_AudioDeviceID m_device = 0;
    bool m_started = false;
    double m_rate = PreferredSampleRate;
    RenderAudio m_render;
};

} // namespace

int ServerFrames::missedBefore(std::uint32_t first, int frames) {
    std::int64_t missed = 0;
    if (m_running) {
        const std::int64_t gap = std::int32_t(first - m_next); // the counter wraps
        if (gap > m_longestGap || gap < -m_longestGap) {
            m_next = first;
            m_pending = 0;
        } else if (gap > 0) {
            // What the last cycle saw too was missed; the rest waits for the next cycle.
            missed = std::min(gap, m_pending);
            m_pending = gap - missed;
            m_next += std::uint32_t(missed);
        } else {
            // The last cycle read its successor's frame; or (gap < 0) the renderer is ahead,
            // which it cannot undo: the count follows the server from here.
            m_pending = 0;
            m_next = first;
        }
    } else {
        m_next = first;
    }
    m_running = true;
    m_next += std::uint32_t(frames);
    return int(missed);
}

std::unique_ptr<AudioOutput> openSystemAudioOutput(QString* error) {
    struct System {
        const char* name;
        std::unique_ptr<AudioOutput> (*open)(QString*);
    };
    const System systems[] = {
        {"pulseaudio",
         [](QString* e) -> std::unique_ptr<AudioOutput> {
             return PulseAudio::open(e);
         }},
        {"alsa",
         [](QString* e) -> std::unique_ptr<AudioOutput> {
             return AlsaAudio::open(e);
         }},
        {"jack",
         [](QString* e) -> std::unique_ptr<AudioOutput> {
             return JackAudio::open(e);
         }},
        {"sdl",
         [](QString* e) -> std::unique_ptr<AudioOutput> {
             return SdlAudio::open(e);
         }},
    };
    const QByteArray chosen = qgetenv("CHORDALIS_AUDIO_OUTPUT").trimmed().toLower();
    QStringList answers;
    for (const System& s : systems) {
        if (!chosen.isEmpty() && chosen != s.name)
            continue;
        QString why;
        if (auto out = s.open(&why))
            return out;
        answers << QStringLiteral("%1: %2").arg(QLatin1String(s.name), why);
    }
    if (answers.isEmpty()) {
        *error = QStringLiteral("CHORDALIS_AUDIO_OUTPUT names no audio output (%1); use "
                                "pulseaudio, alsa, jack or sdl.")
                     .arg(QString::fromLocal8Bit(chosen));
        return nullptr;
    }
    *error = QStringLiteral("No audio output could be opened (%1).")
                 .arg(answers.join(QLatin1String("; ")));
    return nullptr;
}

} // namespace chordalis
