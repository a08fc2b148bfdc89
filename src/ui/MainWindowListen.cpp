// The main window's listening: the toggle, the tuner's reading and the notes heard in the status
// bar, and the heard notes lit on the neck.
#include "app/ListeningControl.h"
#include "app/Program.h"
#include "theory/Spelling.h"
#include "ui/MainWindow.h"
#include "ui/NeckView.h"

#include <QMenu>
#include <QStatusBar>

namespace chordalis {

namespace {

// "Listening: string 6 (E2) -3 cents | heard E2 B2 E3" from the reading and the notes.
QString heardText(const TunerReading& tuner, const std::vector<int>& notes) {
    QString text = QStringLiteral("Listening");
    if (tuner.string > 0) {
        const NoteReading open{tuner.openNote, 0.0};
        text +=
            QStringLiteral(": string %1 (%2) %3%4 cents")
                .arg(tuner.string)
                .arg(nameWithOctave(noteName(pitchClassOfNote(open.note), FlatColumn), open.note))
                .arg(tuner.stringCents >= 0 ? QStringLiteral("+") : QString())
                .arg(tuner.stringCents, 0, 'f', 0);
    }
    if (!notes.empty()) {
        QStringList names;
        for (int n : notes)
            names << nameWithOctave(noteName(pitchClassOfNote(n), FlatColumn), n);
        text += QStringLiteral(" | heard ") + names.join(QLatin1Char(' '));
    }
    return text;
}

} // namespace

void MainWindow::createListening(QMenu* options) {
    m_listen = options->addAction(QStringLiteral("Li&sten"));
    m_listen->setObjectName(QStringLiteral("mnuListen"));
    m_listen->setCheckable(true);
    m_listen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(m_listen, &QAction::toggled, this, &MainWindow::setListening);
}

void MainWindow::setListening(bool on) {
    if (on && !m_listening) {
        m_audioIn = makeDesktopAudioInput();
        m_listening = std::make_unique<ListeningControl>(m_program, *m_audioIn);
        m_listening->setChangedHook([this] { showHeard(); });
        m_listening->setNoticeHook([this](const QString& reason) {
            // The toggle follows: listening has stopped.
            const QSignalBlocker quiet(m_listen);
            m_listen->setChecked(false);
            showSoundNotice(reason);
            showPages();
        });
    }
    if (on) {
        if (const auto refused = m_listening->start(QString(), DefaultA4)) {
            const QSignalBlocker quiet(m_listen);
            m_listen->setChecked(false);
            showSoundNotice(*refused);
            return;
        }
        statusBar()->showMessage(heardText({}, {}));
    } else if (m_listening) {
        m_listening->stop();
        statusBar()->clearMessage();
    }
    showPages();
}

void MainWindow::showHeard() {
    if (m_listening && m_listening->isListening())
        statusBar()->showMessage(heardText(m_listening->tuner(), m_listening->heard()));
}

} // namespace chordalis
