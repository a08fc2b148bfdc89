#include "ui/TuningDialog.h"

#include "app/Program.h"
#include "theory/Spelling.h"
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
#include <functional>

namespace chordalis {

namespace {

// A spinner of MIDI notes that shows each as its name with the octave ("E2"). Its text is not
// typed into: the arrows, the keys Up and Down and the mouse wheel step it by a semitone.
class NoteSpinBox : public QSpinBox {
public:
    explicit NoteSpinBox(std::function<QString(int)> name) : m_name(std::move(name)) {
        lineEdit()->setReadOnly(true);
    }
    // Shows the value again, named as textFromValue names it now (the spelling may have
    // changed while the value did not).
    void rename() { lineEdit()->setText(textFromValue(value())); }

protected:
    QString textFromValue(int value) const override { return m_name(value); }
    int valueFromText(const QString& text) const override {
        return midiNoteOf(text).value_or(value());
    }
    QValidator::State validate(QString& text, int&) const override {
        return midiNoteOf(text) ? QValidator::Acceptable : QValidator::Intermediate;
    }

private:
    std::function<QString(int)> m_name;
};

} // namespace

TuningDialog::TuningDialog(Program& program, QWidget* parent)
    : QDialog(parent), m_program(program), m_presets(new QComboBox), m_strings(new QGridLayout),
      m_remark(new QLabel) {
    setObjectName(QStringLiteral("frmTuning"));
    setWindowTitle(QStringLiteral("Tuning"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // follows the number of strings
    auto* presetsLabel = new QLabel(QStringLiteral("Presets"));
    layout->addWidget(presetsLabel);
    m_presets->setObjectName(QStringLiteral("cboPresets"));
    m_presets->addItems(TuningForm::presetTexts());
    presetsLabel->setBuddy(m_presets);
    layout->addWidget(m_presets);
    layout->addSpacing(8);

    m_strings->setHorizontalSpacing(10);
    layout->addLayout(m_strings);

    m_remark->setObjectName(QStringLiteral("lblTuningRemark"));
    m_remark->setWordWrap(true);
    m_remark->setFixedWidth(m_remark->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    layout->addWidget(m_remark);
    layout->addSpacing(8);

    layout->addWidget(okCancelButtons(this));

    connect(m_presets, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.presetClicked(m_program, index);
        showForm();
    });

    m_form.build(m_program);
    showForm();
}

// One row per string: its number, the spinner and the play button, between "Highest" and
// "Lowest".
void TuningDialog::makeRows() {
    for (QWidget* w : m_rowWidgets) {
        m_strings->removeWidget(w);
        w->hide();
        w->deleteLater(); // one of them may be sending the signal that led here
    }
    m_rowWidgets.clear();
    m_notes.clear();
    auto add = [this](QWidget* w, int row, int column) {
        m_strings->addWidget(w, row, column);
        m_rowWidgets.push_back(w);
    };
    auto* highest = new QLabel(QStringLiteral("Highest"));
    auto* lowest = new QLabel(QStringLiteral("Lowest"));
    for (QLabel* l : {highest, lowest}) {
        QFont f = l->font();
        f.setItalic(true);
        l->setFont(f);
    }
    add(highest, 0, 1);
    const int strings = m_form.strings();
    for (int k = 0; k < strings; ++k) {
        const int row = k + 1;
        add(new QLabel(QStringLiteral("String %1").arg(k + 1)), row, 0);

        auto* note =
            new NoteSpinBox([this](int value) { return m_form.noteText(m_program, value); });
        note->setObjectName(QStringLiteral("udNote%1").arg(k));
        note->setAlignment(Qt::AlignCenter);
        note->setToolTip(QStringLiteral("The open string's note: step it by semitones"));
        connect(note, &QSpinBox::valueChanged, this, [this, k](int value) {
            m_form.noteStepped(m_program, k, value);
            showForm();
        });
        add(note, row, 1);
        m_notes.push_back(note);

        auto* play = new QToolButton;
        play->setObjectName(QStringLiteral("cmdPlay%1").arg(k));
        play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
        play->setToolTip(QStringLiteral("Play the open string"));
        connect(play, &QToolButton::clicked, this, [this, k] {
            if (k < m_form.strings())
                Q_EMIT playNoteRequested(m_form.udNote[size_t(k)]);
        });
        add(play, row, 2);
    }
    add(lowest, strings + 1, 1);
}

void TuningDialog::showForm() {
    if (int(m_notes.size()) != m_form.strings())
        makeRows();
    const QSignalBlocker list(m_presets);
    m_presets->setCurrentIndex(m_form.cboPresets);
    for (int k = 0; k < m_form.strings(); ++k) {
        QSpinBox* spinner = m_notes[size_t(k)];
        const QSignalBlocker block(spinner);
        spinner->setRange(m_form.limits(k).low, m_form.limits(k).high);
        spinner->setValue(m_form.udNote[size_t(k)]);
        static_cast<NoteSpinBox*>(spinner)->rename();
    }
    const QString remark = m_form.remark(m_program);
    m_remark->setText(remark);
    m_remark->setVisible(!remark.isEmpty());
}

void TuningDialog::showEvent(QShowEvent* event) {
    if (m_form.isStale(m_program)) {
        m_form.build(m_program);
        showForm();
    }
    QDialog::showEvent(event);
}

void TuningDialog::accept() {
    QDialog::accept(); // hidden first, then the neck is redrawn
    m_form.ok(m_program);
    showForm();
}

} // namespace chordalis
