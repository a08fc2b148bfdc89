// The main window's listening: the toggle, the input chosen in the sound settings, the tuner
// pane, the notes heard and their name in the status bar, the heard notes lit on the neck and a
// strum checked against the grip of the chords and triads pages.
#include "app/ListenInputs.h"
#include "app/ListeningControl.h"
#include "app/Program.h"
#include "app/Settings.h"
#include "ui/MainWindow.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/PlaybackDialog.h"
#include "ui/TunerPane.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace chordalis {

namespace {

// "Listening: string 6 (E2) -3 cents | heard E2 B2 E3: E Major (E) | String 5 missing; 5 right."
QString heardText(const ListeningControl& listening) {
    QString text = QStringLiteral("Listening");
    const TunerReading& tuner = listening.tuner();
    if (tuner.string > 0) {
        const TunerText t = tunerText(tuner);
        text += QStringLiteral(": ") + t.string.toLower() + QLatin1Char(' ') + t.cents;
    }
    const HeardChord& chord = listening.heardChord();
    if (!chord.notes.isEmpty()) {
        text += QStringLiteral(" | heard ") + chord.notes;
        if (listening.heard().size() > 1 && !chord.text.isEmpty())
            text +=
                QStringLiteral(": ") + chord.text +
                (chord.symbol.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(chord.symbol));
    }
    if (!listening.verdicts().empty())
        text += QStringLiteral(" | ") + checkSentence(listening.verdicts());
    return text;
}

} // namespace

void MainWindow::createListening(QMenu* options) {
    m_listen = options->addAction(QStringLiteral("Li&sten"));
    m_listen->setObjectName(QStringLiteral("mnuListen"));
    m_listen->setCheckable(true);
    m_listen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(m_listen, &QAction::toggled, this, &MainWindow::setListening);

    m_tunerPane = new TunerPane(this);
    m_tunerPane->setA4(m_program.listenSettings().a4);
    m_tunerPane->setA4Hook([this](double hz) {
        m_program.listenSettings().a4 = hz;
        if (m_listening)
            m_listening->setA4(hz);
    });
    addDockWidget(Qt::BottomDockWidgetArea, m_tunerPane);
    m_tunerPane->hide();
    QAction* tuner = m_tunerPane->toggleViewAction();
    tuner->setText(QStringLiteral("T&uner"));
    tuner->setObjectName(QStringLiteral("mnuTuner"));
    options->addAction(tuner);
}

ListenInputs& MainWindow::listenInputs() {
    if (!m_inputs)
        m_inputs = std::make_unique<ListenInputs>();
    return *m_inputs;
}

void MainWindow::setListening(bool on) {
    if (on && !m_listening) {
        m_listening = std::make_unique<ListeningControl>(m_program, listenInputs());
        m_listening->setChangedHook([this] { showHeard(); });
        m_listening->setGripHook([this]() -> std::optional<Voicing> {
            const AppState& state = m_program.state();
            if (m_modes->onProgressions())
                return std::nullopt;
            if (m_modes->mode() == Mode::Chords && state.selectedVoicingEntry())
                return *state.selectedVoicingEntry();
            // A triad the neck cannot hold is drawn with every string silent: nothing to check.
            if (m_modes->mode() == Mode::Triads && state.triadShape &&
                std::any_of(state.triadShape->frets.begin(), state.triadShape->frets.end(),
                            [](const std::optional<int>& f) { return f.has_value(); }))
                return state.triadShape;
            return std::nullopt;
        });
        m_listening->setNoticeHook([this](const QString& reason) {
            // The toggle follows: listening has stopped.
            const QSignalBlocker quiet(m_listen);
            m_listen->setChecked(false);
            showSoundNotice(reason);
            showPages();
        });
    }
    if (on) {
        const ListenSettings& choice = m_program.listenSettings();
        if (const auto refused = m_listening->start(choice)) {
            const QSignalBlocker quiet(m_listen);
            m_listen->setChecked(false);
            showSoundNotice(*refused);
            return;
        }
        // Sound has a pitch to tune by; a MIDI instrument's notes are exact.
        if (!m_listening->isMidi())
            m_tunerPane->show();
        showHeard();
    } else if (m_listening) {
        m_listening->stop();
        statusBar()->clearMessage();
    }
    showPages();
}

void MainWindow::addListenSection(PlaybackDialog& dialog) {
    auto* box = new QGroupBox(QStringLiteral("Listening"));
    auto* list = new QComboBox;
    list->setObjectName(QStringLiteral("cboListenInput"));
    auto* absent = new QLabel;
    absent->setObjectName(QStringLiteral("lblListenAbsent"));
    absent->setWordWrap(true);
    absent->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(box);
    auto* caption = new QLabel(QStringLiteral("&Input"));
    caption->setBuddy(list);
    layout->addWidget(caption);
    layout->addWidget(list);
    layout->addWidget(absent);
    auto rows = std::make_shared<std::vector<ListenInputRow>>();
    const auto shown = [this, list, absent, rows] {
        ListenInputs& inputs = listenInputs();
        *rows = inputs.rows();
        const ListenSettings& chosen = m_program.listenSettings();
        const auto same = [&](const ListenInputRow& r) {
            return r.source == chosen.source &&
                   (r.device == chosen.device ||
                    (!chosen.device.isEmpty() && r.device == inputs.resolve(chosen)));
        };
        auto at = std::find_if(rows->begin(), rows->end(), same);
        if (at == rows->end()) {
            // Chosen and not plugged in now: kept by its name, as the MIDI output's port is.
            rows->push_back({chosen.source, chosen.device,
                             QStringLiteral("%1: %2 (not connected)")
                                 .arg(listenSourceName(chosen.source), chosen.device)});
            at = rows->end() - 1;
        }
        const QSignalBlocker quiet(list);
        list->clear();
        for (const ListenInputRow& r : *rows)
            list->addItem(r.caption);
        list->setCurrentIndex(int(at - rows->begin()));
        absent->setText(inputs.absent().join(QLatin1Char(' ')));
        absent->setVisible(!inputs.absent().isEmpty());
    };
    const auto ok = [this, list, rows] {
        const int row = list->currentIndex();
        if (row < 0 || row >= int(rows->size()))
            return;
        ListenSettings& chosen = m_program.listenSettings();
        const ListenSettings before = chosen;
        chosen.source = (*rows)[size_t(row)].source;
        chosen.device = (*rows)[size_t(row)].device;
        if (!(chosen == before))
            listenChoiceChanged();
    };
    dialog.addSection(box, shown, ok);
}

void MainWindow::listenChoiceChanged() {
    // The new input takes over at once.
    if (m_listening && m_listening->isListening())
        setListening(true);
}

void MainWindow::showHeard() {
    if (!m_listening)
        return;
    m_tunerPane->setReading(m_listening->tuner());
    if (m_listening->isListening())
        statusBar()->showMessage(heardText(*m_listening));
}

void MainWindow::listeningExtras(NeckExtras& extras) const {
    // While listening, the notes heard are ringed whatever the view's choice for a playback.
    extras.highlightSounding = extras.highlightSounding || (m_listen && m_listen->isChecked());
    // The verdict rings in shades that stand out from the window's own colours.
    if (extras.darkWindow) {
        extras.checkRight = QColor(90, 230, 130);
        extras.checkMissing = QColor(255, 200, 70);
        extras.checkWrong = QColor(255, 100, 100);
    }
}

} // namespace chordalis
