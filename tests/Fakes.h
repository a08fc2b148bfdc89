#pragma once

#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "fretboard/LedSender.h"
#include "sound/Clock.h"
#include "sound/RecordingMidiOut.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace chordalis::test {

// Records what would have been shown and gives a scripted answer to every question.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        BoxIcon icon;
        QString text;
        bool question;
    };

    void inform(BoxIcon icon, const QString& text) override {
        shown.push_back({icon, text, false});
    }
    bool ask(BoxIcon icon, const QString& text) override {
        shown.push_back({icon, text, true});
        return answer;
    }

    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }

    std::vector<Shown> shown;
    bool answer = true; // what ask() answers
};

// The keys of the note-ons a recording port was sent, in order.
inline std::vector<int> noteOnKeys(const RecordingMidiOut& port) {
    std::vector<int> keys;
    for (const auto& s : port.sent)
        if (statusOf(s.word) >> 4 == 0x9)
            keys.push_back(data1Of(s.word));
    return keys;
}

// An LED frame as the companion tool writes it: "fret~string" each.
inline QStringList frameText(const LedFrame& frame) {
    QStringList out;
    for (const NeckPlace& place : frame)
        out << ledPlaceText(place);
    return out;
}

// While it lives, HOME is a temporary folder and Qt's standard paths are in test mode, so the
// cache folder (and the information window's scratch file in it) lies in a folder of the test.
class TemporaryHome {
public:
    TemporaryHome() : m_home(qgetenv("HOME")) {
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        QStandardPaths::setTestModeEnabled(true);
    }
    ~TemporaryHome() {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("HOME", m_home);
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
};

// Keeps every LED frame the displays send.
class RecordingLedSender : public LedSender {
public:
    void sendFrame(const LedFrame& frame) override { frames.push_back(frame); }
    std::vector<LedFrame> frames;
};

// The devices of a program under test: virtual time, a recording port, a recording guitar. The
// program owns them; the pointers stay valid while it lives.
struct FakeDevices {
    VirtualClock* clock;
    RecordingMidiOut* port;
    RecordingLedSender* led;
    Devices devices;

    FakeDevices() {
        auto c = std::make_unique<VirtualClock>();
        auto p = std::make_unique<RecordingMidiOut>(*c);
        auto l = std::make_unique<RecordingLedSender>();
        clock = c.get();
        port = p.get();
        led = l.get();
        devices.clock = std::move(c);
        devices.midiOut = std::move(p);
        devices.led = std::move(l);
    }
};

} // namespace chordalis::test
