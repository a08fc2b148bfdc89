#include "ui/MetronomeWindow.h"

#include "sound/MetronomeOptions.h"
#include "sound/SoundSettings.h"
#include "ui/DialogParts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace chordalis {

MetronomeWindow::MetronomeWindow(MetronomeSettings& settings, Metronome& metronome, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_metronome(metronome), m_onOff(new QPushButton),
      m_tempo(new QSlider(Qt::Horizontal)), m_tempoText(new QLineEdit),
      m_tap(new QPushButton(QStringLiteral("&Tap"))), m_beats(new QLineEdit) {
    setObjectName(QStringLiteral("frmMetronome"));
    setWindowTitle(QStringLiteral("Metronome"));
    setModal(true);

    const MetronomeControls shown = metronomeControls(settings);

    // One button that stays down while the clicks run; its caption says the state it is in.
    m_onOff->setObjectName(QStringLiteral("cmdOnOff"));
    m_onOff->setCheckable(true);
    m_onOff->setAutoDefault(false);
    m_onOff->setToolTip(QStringLiteral("Switch the clicks on or off"));
    m_onOff->setMinimumHeight(m_onOff->sizeHint().height() * 3 / 2);
    showOnOff(false);

    m_tempo->setObjectName(QStringLiteral("sldTempo"));
    m_tempo->setRange(MinMetronomeTempo, MaxMetronomeTempo);
    m_tempo->setTickPosition(QSlider::TicksBelow);
    m_tempo->setTickInterval(40);
    m_tempo->setPageStep(40);
    m_tempo->setValue(shown.tempo);
    m_tempo->setMinimumWidth(240);

    m_tempoText->setObjectName(QStringLiteral("txtTempo"));
    m_tempoText->setAlignment(Qt::AlignRight);
    m_tempoText->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*\\d{0,3}\\s*")), m_tempoText));
    m_tempoText->setToolTip(QStringLiteral("Type a tempo of 40 to 400 beats per minute"));

    m_tap->setObjectName(QStringLiteral("cmdTap"));
    m_tap->setAutoDefault(false);
    m_tap->setToolTip(QStringLiteral("Click in time: the tempo follows your last few clicks"));
    m_tapClock.start();
    m_tempoText->setFixedWidth(
        m_tempoText->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    m_tempoText->setText(QString::number(shown.tempo));

    m_beats->setObjectName(QStringLiteral("txtBeats"));
    m_beats->setAlignment(Qt::AlignRight);
    m_beats->setFixedWidth(m_tempoText->width() + 8);
    m_beats->setText(QString::number(settings.beats));

    m_sound1 = makeList(QStringLiteral("cboSound1"), drumSoundRows(), shown.sound1Row);
    m_sound2 = makeList(QStringLiteral("cboSound2"), drumSoundRows(), shown.sound2Row);
    m_channel = makeList(QStringLiteral("cboMetChannel"), metronomeChannelRows(), shown.channelRow);

    auto* okButton = new QPushButton(QStringLiteral("OK"));
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(buddyLabel(QStringLiteral("Tempo (beats per minute)"), m_tempo), 0, 0, 1, 3);
    grid->addWidget(m_tempo, 1, 0);
    grid->addWidget(m_tempoText, 1, 1, Qt::AlignTop);
    grid->addWidget(m_tap, 1, 2, Qt::AlignTop);
    auto* beatsRow = new QHBoxLayout;
    beatsRow->setSpacing(0);
    beatsRow->addWidget(m_beats);
    beatsRow->addWidget(upDown());
    beatsRow->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(buddyLabel(QStringLiteral("Beats"), m_beats), 0, 0);
    lists->addLayout(beatsRow, 0, 1);
    lists->addWidget(buddyLabel(QStringLiteral("Sound 1"), m_sound1), 1, 0);
    lists->addWidget(m_sound1, 1, 1);
    lists->addWidget(buddyLabel(QStringLiteral("Sound 2"), m_sound2), 2, 0);
    lists->addWidget(m_sound2, 2, 1);
    lists->addWidget(buddyLabel(QStringLiteral("Midi Channel"), m_channel), 3, 0);
    lists->addWidget(m_channel, 3, 1, Qt::AlignLeft);
    lists->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_onOff);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(lists);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_onOff, &QPushButton::toggled, this, [this](bool on) {
        showOnOff(on);
        m_metronome.setRunning(on);
    });
    connect(m_tempo, &QSlider::valueChanged, this, [this](int bpm) {
        m_tempoText->setText(QString::number(bpm));
        m_metronome.setTempo(bpm);
    });
    connect(m_tempoText, &QLineEdit::editingFinished, this, &MetronomeWindow::tempoTyped);
    connect(m_tap, &QPushButton::clicked, this, &MetronomeWindow::tapped);
    connect(m_beats, &QLineEdit::textChanged, this, &MetronomeWindow::beatsEdited);
    connect(m_sound1, &QComboBox::currentIndexChanged, this,
            [this](int row) { storeMetronomeRow(m_settings, MetronomeList::Sound1, row); });
    connect(m_sound2, &QComboBox::currentIndexChanged, this,
            [this](int row) { storeMetronomeRow(m_settings, MetronomeList::Sound2, row); });
    connect(m_channel, &QComboBox::currentIndexChanged, this,
            [this](int row) { storeMetronomeRow(m_settings, MetronomeList::Channel, row); });
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void MetronomeWindow::showOnOff(bool on) {
    m_onOff->setText(on ? QStringLiteral("Metronome On") : QStringLiteral("Metronome Off"));
    m_onOff->setIcon(style()->standardIcon(on ? QStyle::SP_MediaPlay : QStyle::SP_MediaStop));
}

// UpDown1: two arrow buttons that step the number in the box; the box's change then stores it.
QWidget* MetronomeWindow::upDown() {
    auto* spinner = new QWidget;
    spinner->setObjectName(QStringLiteral("UpDown1"));
    auto* layout = new QVBoxLayout(spinner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const int height = m_beats->sizeHint().height() / 2;
    for (const auto& [arrow, step] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton;
        button->setObjectName(step > 0 ? QStringLiteral("UpDown1Up")
                                       : QStringLiteral("UpDown1Down"));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(height + 4, height);
        connect(button, &QToolButton::clicked, this, [this, step] { stepBeats(step); });
        layout->addWidget(button);
    }
    return spinner;
}

void MetronomeWindow::beatsEdited(const QString& text) {
    storeBeatsText(m_settings, text);
}

void MetronomeWindow::tempoTyped() {
    bool ok = false;
    const int bpm = m_tempoText->text().trimmed().toInt(&ok);
    if (ok)
        m_tempo->setValue(std::clamp(bpm, MinMetronomeTempo, MaxMetronomeTempo));
    // The box shows the tempo in force: an empty box, or one held at the range's end, is set
    // back.
    m_tempoText->setText(QString::number(m_tempo->value()));
}

void MetronomeWindow::tapped() {
    if (const auto bpm = m_tapTempo.tap(m_tapClock.nsecsElapsed() / 1e9))
        m_tempo->setValue(*bpm);
}

void MetronomeWindow::stepBeats(int step) {
    m_beats->setText(QString::number(steppedBeats(m_beats->text(), m_settings.beats, step)));
}

void MetronomeWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the metronome: the window goes, the settings stay.
    m_metronome.setRunning(false);
    event->accept();
    deleteLater();
}

} // namespace chordalis
