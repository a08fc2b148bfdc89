#include "ui/PlaybackDialog.h"

#include "modes/AppState.h"
#include "sound/PlaybackOptions.h"
#include "ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace chordalis {

namespace {

QSlider* makeSlider(const QString& name, int maximum, int value) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setRange(0, maximum);
    slider->setValue(value);
    slider->setPageStep(maximum / 10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(maximum / 10);
    slider->setMinimumWidth(220);
    return slider;
}

// The two ends of a slider, named under it.
QWidget* sliderEnds(const QString& low, const QString& high) {
    auto* ends = new QWidget;
    auto* layout = new QHBoxLayout(ends);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(low));
    layout->addStretch();
    layout->addWidget(new QLabel(high));
    return ends;
}

} // namespace

PlaybackDialog::PlaybackDialog(PlaybackSettings& settings, Output sound, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_output(std::move(sound)), m_state(new QLabel) {
    setObjectName(QStringLiteral("frmPlayback"));
    setWindowTitle(QStringLiteral("Playback Options"));
    setModal(true);

    // The ports are listed when the dialog shows.
    const PlaybackControls shown = playbackControls(settings, 0);
    m_device = makeList(QStringLiteral("cboDevice"), deviceRows({}), shown.deviceRow);
    m_storedRow = shown.deviceRow;
    m_channel = makeList(QStringLiteral("cboChannel"), playbackChannelRows(), shown.channelRow);
    m_instrument = makeList(QStringLiteral("cboInstrument"), instrumentRows(), shown.instrumentRow);
    m_volume = makeSlider(QStringLiteral("sldVolume"), 127, shown.volume);
    m_chords = makeSlider(QStringLiteral("sldChords"), 100, shown.chordTempo);
    m_scales = makeSlider(QStringLiteral("sldScales"), 100, shown.scaleTempo);
    m_arpeggios = makeSlider(QStringLiteral("sldArpeggios"), 100, shown.arpeggioTempo);

    auto* output = new QGroupBox(QStringLiteral("Output"));
    auto* out = new QGridLayout(output);
    out->addWidget(buddyLabel(QStringLiteral("MIDI Output Device"), m_device), 0, 0);
    out->addWidget(m_device, 0, 1);
    out->addWidget(buddyLabel(QStringLiteral("Channel"), m_channel), 1, 0);
    out->addWidget(m_channel, 1, 1, Qt::AlignLeft);
    out->addWidget(buddyLabel(QStringLiteral("Instrument"), m_instrument), 2, 0);
    out->addWidget(m_instrument, 2, 1);
    out->addWidget(buddyLabel(QStringLiteral("Volume"), m_volume), 3, 0);
    out->addWidget(m_volume, 3, 1);
    out->addWidget(sliderEnds(QStringLiteral("Quiet"), QStringLiteral("Loud")), 4, 1);
    m_state->setObjectName(QStringLiteral("lblOutputState"));
    m_state->setWordWrap(true);
    m_state->setTextFormat(Qt::PlainText);
    m_state->setMinimumWidth(220);
    auto* retry = new QPushButton(QStringLiteral("&Retry"));
    retry->setObjectName(QStringLiteral("cmdRetry"));
    retry->setAutoDefault(false);
    retry->setToolTip(QStringLiteral("Open the chosen output again now"));
    connect(retry, &QPushButton::clicked, this, &PlaybackDialog::retry);
    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_state, 1);
    stateRow->addWidget(retry, 0, Qt::AlignTop);
    out->addLayout(stateRow, 5, 0, 1, 2);
    out->setColumnStretch(1, 1);

    auto* tempo = new QGroupBox(QStringLiteral("Tempo"));
    auto* tem = new QGridLayout(tempo);
    int row = 0;
    for (const auto& [caption, slider] : {std::pair{QStringLiteral("Chords"), m_chords},
                                          std::pair{QStringLiteral("Scales"), m_scales},
                                          std::pair{QStringLiteral("Arpeggios"), m_arpeggios}}) {
        tem->addWidget(buddyLabel(caption, slider), row, 0);
        tem->addWidget(slider, row++, 1);
    }
    tem->addWidget(sliderEnds(QStringLiteral("Slow"), QStringLiteral("Fast")), row, 1);
    tem->setColumnStretch(1, 1);

    // The two frames' controls line up in one column.
    const int labelWidth = std::max(out->itemAtPosition(0, 0)->sizeHint().width(),
                                    tem->itemAtPosition(2, 0)->sizeHint().width());
    out->setColumnMinimumWidth(0, labelWidth);
    tem->setColumnMinimumWidth(0, labelWidth);

    QDialogButtonBox* buttons = okCancelButtons(this, /*connectOk=*/false);
    connect(buttons, &QDialogButtonBox::accepted, this, &PlaybackDialog::ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(output);
    layout->addWidget(tempo);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PlaybackDialog::addSection(QWidget* section, std::function<void()> shown,
                                std::function<void()> ok) {
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->insertWidget(box->count() - 1, section); // above the buttons
    m_sections.emplace_back(std::move(shown), std::move(ok));
}

void PlaybackDialog::showEvent(QShowEvent* event) {
    listDevices();
    for (const auto& section : m_sections)
        if (section.first)
            section.first();
    if (m_output.state)
        m_state->setText(m_output.state());
    QDialog::showEvent(event);
}

void PlaybackDialog::listDevices() {
    if (!m_output.ports)
        return;
    const int row = m_device->currentIndex();
    const bool picked = row != m_storedRow;
    const QString pickedPort = row > 0 && row <= m_ports.size() ? m_ports[row - 1] : QString();
    m_ports = m_output.ports();
    m_storedRow = playbackControls(m_settings, int(m_ports.size())).deviceRow;
    int shown = m_storedRow;
    if (picked && row == 0)
        shown = 0;
    else if (picked && m_ports.contains(pickedPort))
        shown = int(m_ports.indexOf(pickedPort)) + 1;
    const QSignalBlocker quiet(m_device);
    m_device->clear();
    m_device->addItems(deviceRows(m_ports));
    m_device->setCurrentIndex(shown);
}

void PlaybackDialog::store() {
    storePlaybackControls({m_device->currentIndex(), m_channel->currentIndex(),
                           m_instrument->currentIndex(), m_volume->value(), m_chords->value(),
                           m_scales->value(), m_arpeggios->value()},
                          m_settings);
    m_storedRow = m_device->currentIndex();
}

void PlaybackDialog::ok() {
    store();
    for (const auto& section : m_sections)
        if (section.second)
            section.second();
    if (m_output.reopen)
        m_output.reopen();
    accept(); // hides; the dialog lives on for the next opening
}

void PlaybackDialog::retry() {
    listDevices(); // a device plugged in since the dialog opened can be chosen
    store();
    if (m_output.retry)
        m_output.retry();
    if (m_output.state)
        m_state->setText(m_output.state());
}

} // namespace chordalis
