#pragma once

#include "modes/Info.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace chordalis {

class Program;

// The text a person reads in a rich-text document, as txtInfo holds it.
QString plainTextOf(const QString& html);

// What the information window does, from its opening to its closing: the item's text, the
// example list, each example converted into the scratch MIDI file and loaded into the program's
// example player, the play buttons and the end of an example. The window shows the page and
// calls these; tests drive them headless.
//
// While the window is open nothing but the examples sounds: the metronome is stopped (and
// started again at the closing) and the notes of a strum are released. The examples play
// through the program's own output; at the closing the chosen instrument is sent again.
class InfoSession {
public:
    explicit InfoSession(Program& program);
    InfoSession(const InfoSession&) = delete;
    InfoSession& operator=(const InfoSession&) = delete;
    ~InfoSession();

    // The Info button of a page with an item chosen ("chord", "arpeggio", "scale", "triad"):
    // fills the page and loads the first example. False, after the cannot-find message, when
    // the item's text file is missing: the window is not shown then.
    bool showInfo(const QString& modeKey, int item);

    // cboInfo: stops and rewinds what plays, then loads the chosen entry's example.
    void choose(int index);
    // cmdPlay, cmdPause, cmdReset.
    void play();
    void pause();
    void reset();
    // cmdClose or the close box: the example player is closed, the scratch file deleted, the
    // metronome started again if it ran, and the chosen instrument sent.
    void close();

    bool isOpen() const { return m_open; }
    const InfoPage& page() const { return m_page; }

    // Called when the page changed by itself (an example played to its end).
    std::function<void()> changed;

    // The scratch file the chosen example is converted into: gp.mid in the user's cache folder.
    static QString scratchPath();
    // Where it is written: the cache folder, or when that cannot be written (read-only, a file
    // in its way), a folder of the user's own in the system's temporary folder.
    static QStringList scratchFolders();
    // The scratch file the loaded example lies in; empty when none is loaded.
    const QString& scratchFile() const { return m_scratch; }

private:
    void loadExample(const QString& file);
    void refuse(const QString& message);
    void finished();

    Program& m_program;
    InfoPage m_page;
    bool m_open = false;
    bool m_metronomeWasRunning = false;
    QString m_scratch;
};

} // namespace chordalis
