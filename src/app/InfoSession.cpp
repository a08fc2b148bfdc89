#include "app/InfoSession.h"

#include "app/FileProblems.h"
#include "app/Program.h"
#include "fretboard/ChordBoxPainter.h"
#include "modes/Grips.h"
#include "modes/InfoDocument.h"
#include "sound/MidiTranspose.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>

namespace chordalis {

namespace {

QString cannotPlayMessage(const QString& path, const QString& reason) {
    return QStringLiteral("ERROR: This example cannot be played: \n%1\n\n%2").arg(path, reason);
}

// The neck picture in the document: 565 pixels wide for the six-string neck (0.75 of its
// surface), as wide as the text under it reads comfortably.
constexpr double NeckPictureScale = 0.75;

} // namespace

QString plainTextOf(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

InfoSession::InfoSession(Program& program) : m_program(program) {
    m_program.examplePlayer().finished = [this] {
        finished();
    };
}

InfoSession::~InfoSession() {
    close();
    m_program.examplePlayer().finished = nullptr;
}

QString InfoSession::scratchPath() {
    return QDir(scratchFolders().constFirst()).filePath(QStringLiteral("gp.mid"));
}

QStringList InfoSession::scratchFolders() {
    return userFolders(QStandardPaths::CacheLocation);
}

bool InfoSession::showInfo(const QString& modeKey, int item) {
    const InfoKeys keys = readInfoKeys(m_program.context().ini, modeKey, item);
    const InfoText text = readInfoText(m_program.programFolder(), keys.stem);
    if (!text.error.isEmpty()) {
        m_program.boxes().inform(BoxIcon::Stop, text.error);
        return false;
    }
    ModeContext& context = m_program.context();
    const AppState& state = context.state;
    m_page = InfoPage{};
    const InfoContent content =
        composeInfo(state, modeKey, item, text.text, infoGrips(context, modeKey, item));
    m_page.title = content.title;
    m_page.html = content.html;
    m_page.txtInfo = plainTextOf(content.html);
    // The page shows the item on its root when its Info button is pressed.
    NeckExtras extras;
    extras.labels = state.view.labels;
    m_page.neckPicture = context.fretboard.image(NeckPictureScale, extras);
    std::vector<ChordBox> boxes;
    for (const Voicing& grip : infoChordBoxes(content))
        boxes.push_back(gripBox(state, grip));
    constexpr double BoxWidth = 110, BoxHeight = 150; // pixels, six to a row
    m_page.boxesPicture =
        chordBoxesImage(boxes, printBoxStyle(state.view.labels), 6, BoxWidth, BoxHeight);
    m_page.transpose = state.currentRoot;
    m_page.txtStem = keys.stem;
    m_page.cboInfo = exampleEntries(keys.stem, keys.examples, exampleNamesFrom(context.ini));

    // Nothing but the examples sounds while the window is open.
    m_metronomeWasRunning = m_program.metronome().isRunning();
    m_program.metronome().setRunning(false);
    m_program.player().allNotesOff();
    // The examples need the output: one that could not be opened is tried again now (unless the
    // watch already waits for it to come back). A failure is said in the status bar, as after a
    // Play, and beside the examples; the window opens all the same.
    if (!m_program.midiOut().isOpen()) {
        const auto problem =
            m_program.soundWatch().isLost() ? std::optional<QString>() : m_program.reopenSound();
        if (!m_program.midiOut().isOpen())
            m_page.soundProblem = QStringLiteral("No sound: the examples cannot be heard.") +
                                  (problem ? QLatin1Char(' ') + *problem : QString());
    }
    m_program.sayWhySilent();
    m_open = true;

    if (m_page.cboInfo.empty()) {
        m_page.setPlayState(ExamplePlayState::Stopped);
    } else {
        m_page.cboInfoIndex = 0;
        loadExample(m_page.cboInfo.front().file);
    }
    return true;
}

void InfoSession::loadExample(const QString& file) {
    MidiFilePlayer& player = m_program.examplePlayer();
    player.close(); // what was loaded goes, whatever comes of this one
    m_page.exampleLoaded = false;
    m_page.setPlayState(ExamplePlayState::Stopped);

    const QString path = examplePath(m_program.programFolder(), file);
    if (!isPlainFileName(file) || !QFileInfo(path).isFile()) {
        refuse(cannotFindMessage(path));
        return;
    }
    QFile emd(path);
    if (!emd.open(QIODevice::ReadOnly)) {
        refuse(cannotPlayMessage(path, emd.errorString()));
        return;
    }
    if (emd.size() > MaxMidiFileBytes) {
        refuse(cannotPlayMessage(
            path, QStringLiteral("The file is %1 bytes long, too large for an example.")
                      .arg(emd.size())));
        return;
    }
    const QByteArray bytes = emd.readAll();
    const auto decoded = decodeExample(bytes);
    if (!decoded) {
        refuse(cannotPlayMessage(path, QStringLiteral("The file is %1 bytes long, shorter than a "
                                                      "MIDI file header.")
                                           .arg(bytes.size())));
        return;
    }
    // Every example is written on C: it plays on the chosen root.
    QByteArray mid = *decoded;
    if (m_page.transpose != 0) {
        QString damage;
        const auto moved = transposeMidiFile(mid, m_page.transpose, &damage);
        if (!moved) {
            QString reason; // the reader's words for the damage, where it has them
            if (!parseMidiFile(mid, &reason))
                damage = reason;
            refuse(cannotPlayMessage(path, damage));
            return;
        }
        mid = *moved;
    }

    // The converted example replaces the scratch file, and is played from there; where the
    // cache folder cannot be written, from the next folder that can.
    QString scratch;
    QString problem;
    for (const QString& folder : scratchFolders()) {
        const QString path = QDir(folder).filePath(QStringLiteral("gp.mid"));
        QSaveFile out(path);
        if (QDir().mkpath(folder) && out.open(QIODevice::WriteOnly) &&
            out.write(mid) == mid.size() && out.commit()) {
            scratch = path;
            break;
        }
        if (problem.isEmpty()) // the cache folder's: the one the user would look at
            problem = writeProblem(path, out.errorString());
    }
    if (scratch.isEmpty()) {
        refuse(QStringLiteral("ERROR: I cannot write the file: \n%1\n\n%2")
                   .arg(scratchPath(), problem));
        return;
    }
    if (!m_scratch.isEmpty() && m_scratch != scratch)
        QFile::remove(m_scratch); // an earlier one elsewhere
    m_scratch = scratch;
    QString error;
    if (!player.load(scratch, &error)) {
        refuse(cannotPlayMessage(path, error));
        return;
    }
    m_page.exampleLoaded = true;
    m_page.setPlayState(ExamplePlayState::Stopped);
}

void InfoSession::refuse(const QString& message) {
    // Shown over a window that already shows there is nothing to play.
    if (changed)
        changed();
    m_program.boxes().inform(BoxIcon::Stop, message);
}

void InfoSession::choose(int index) {
    if (!m_open || index < 0 || index >= int(m_page.cboInfo.size()))
        return;
    if (m_page.playState != ExamplePlayState::Stopped)
        reset();
    m_page.cboInfoIndex = index;
    loadExample(m_page.cboInfo[size_t(index)].file);
}

void InfoSession::play() {
    if (!m_open || !m_page.exampleLoaded || m_page.playState == ExamplePlayState::Playing)
        return;
    // The state first: an example with nothing in it ends at once, inside play().
    m_page.setPlayState(ExamplePlayState::Playing);
    m_program.examplePlayer().play();
}

void InfoSession::pause() {
    if (m_page.playState != ExamplePlayState::Playing)
        return;
    m_program.examplePlayer().pause();
    m_page.setPlayState(ExamplePlayState::Paused);
}

void InfoSession::reset() {
    if (!m_open)
        return;
    m_program.examplePlayer().stop();
    m_page.setPlayState(ExamplePlayState::Stopped);
}

void InfoSession::finished() {
    m_page.setPlayState(ExamplePlayState::Stopped);
    if (changed)
        changed();
}

void InfoSession::close() {
    if (!m_open)
        return;
    m_open = false;
    m_program.examplePlayer().close();
    if (!m_scratch.isEmpty())
        QFile::remove(m_scratch); // a missing file is no error
    m_scratch.clear();
    if (m_metronomeWasRunning)
        m_program.metronome().setRunning(true);
    m_metronomeWasRunning = false;
    m_page = InfoPage{};
    // The examples chose instruments of their own on the playback channel.
    m_program.player().programChange();
}

} // namespace chordalis
