#include "ui/TuningDialog.h"

#include "app/Program.h"
#include "ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace chordalis {

TuningDialog::TuningDialog(Program& program, QWidget* parent)
    : QDialog(parent), m_program(program), m_presets(new QComboBox) {
    setObjectName(QStringLiteral("frmTuning"));
    setWindowTitle(QStringLiteral("Tuning"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* presetsLabel = new QLabel(QStringLiteral("Presets"));
    layout->addWidget(presetsLabel);
    m_presets->setObjectName(QStringLiteral("cboPresets"));
    m_presets->addItems(TuningForm::presetTexts());
    presetsLabel->setBuddy(m_presets);
    layout->addWidget(m_presets);
    layout->addSpacing(8);

    auto* strings = new QGridLayout;
    strings->setHorizontalSpacing(10);
    auto* highest = new QLabel(QStringLiteral("Highest"));
    auto* lowest = new QLabel(QStringLiteral("Lowest"));
    for (QLabel* l : {highest, lowest}) {
        QFont f = l->font();
        f.setItalic(true);
        l->setFont(f);
    }
    strings->addWidget(highest, 0, 1);
    for (int k = 0; k < 6; ++k) {
        const int row = k + 1;
        strings->addWidget(new QLabel(QStringLiteral("String %1").arg(k + 1)), row, 0);

        auto* note = new QSpinBox;
        note->setObjectName(QStringLiteral("udNote%1").arg(k));
        note->setRange(LowestOpenNote[size_t(k)], HighestOpenNote[size_t(k)]);
        note->setSingleStep(1);
        note->setAlignment(Qt::AlignRight);
        note->setToolTip(QStringLiteral("The open string's note as a MIDI note number"));
        connect(note, &QSpinBox::valueChanged, this, [this, k](int value) {
            m_form.noteStepped(m_program, k, value);
            showForm();
        });
        strings->addWidget(note, row, 1);
        m_notes[size_t(k)] = note;

        auto* name = new QLineEdit;
        name->setObjectName(QStringLiteral("txtNote%1").arg(k));
        name->setReadOnly(true);
        name->setFocusPolicy(Qt::NoFocus);
        name->setAlignment(Qt::AlignCenter);
        name->setFixedWidth(name->fontMetrics().horizontalAdvance(QStringLiteral("Gbb")) + 16);
        strings->addWidget(name, row, 2);
        m_names[size_t(k)] = name;

        auto* play = new QToolButton;
        play->setObjectName(QStringLiteral("cmdPlay%1").arg(k));
        play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
        play->setToolTip(QStringLiteral("Play the open string"));
        connect(play, &QToolButton::clicked, this,
                [this, k] { Q_EMIT playNoteRequested(m_form.udNote[size_t(k)]); });
        strings->addWidget(play, row, 3);
    }
    strings->addWidget(lowest, 7, 1);
    layout->addLayout(strings);
    layout->addSpacing(8);

    layout->addWidget(okCancelButtons(this));

    connect(m_presets, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.presetClicked(m_program, index);
        showForm();
    });

    m_form.build(m_program);
    showForm();
    setFixedSize(sizeHint());
}

void TuningDialog::showForm() {
    const QSignalBlocker list(m_presets);
    m_presets->setCurrentIndex(m_form.cboPresets);
    for (int k = 0; k < 6; ++k) {
        const QSignalBlocker spinner(m_notes[size_t(k)]);
        m_notes[size_t(k)]->setValue(m_form.udNote[size_t(k)]);
        m_names[size_t(k)]->setText(m_form.noteName(m_program, k));
    }
}

void TuningDialog::accept() {
    QDialog::accept(); // hidden first, then the neck is redrawn
    m_form.ok(m_program);
    showForm();
}

} // namespace chordalis
