#include "ui/FretlightDialog.h"

#include "app/PedalActions.h"
#include "app/Program.h"
#include "ui/DialogParts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace chordalis {

namespace {

// The button of a 1..5 option (any other value: the first).
int rowOf(int option) {
    return option >= 1 && option <= 5 ? option - 1 : 0;
}

int checkedRow(const std::array<QRadioButton*, 5>& column) {
    for (size_t i = 0; i < column.size(); ++i) {
        if (column[i]->isChecked())
            return int(i);
    }
    return 0;
}

} // namespace

FretlightDialog::FretlightDialog(Program& program, QWidget* parent)
    : QDialog(parent), m_program(program) {
    setObjectName(QStringLiteral("frmFretlight"));
    setWindowTitle(QString::fromUtf8(Caption));
    setModal(true);

    auto* box = new QGroupBox(QStringLiteral("Footswitch Assignments"));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(24);
    auto* leftHeading = new QLabel(QStringLiteral("Left"));
    auto* rightHeading = new QLabel(QStringLiteral("Right"));
    for (QLabel* heading : {leftHeading, rightHeading}) {
        QFont font = heading->font();
        font.setBold(true);
        heading->setFont(font);
    }
    grid->addWidget(leftHeading, 0, 0);
    grid->addWidget(rightHeading, 0, 1);
    // One group per column: a choice on the left leaves the right alone.
    auto* leftGroup = new QButtonGroup(this);
    auto* rightGroup = new QButtonGroup(this);
    for (int row = 0; row < 5; ++row) {
        const QString label = QLatin1String(PedalActionLabels[size_t(row)]);
        m_left[size_t(row)] = new QRadioButton(label);
        m_left[size_t(row)]->setObjectName(QStringLiteral("optLeft%1").arg(row));
        m_right[size_t(row)] = new QRadioButton(label);
        m_right[size_t(row)]->setObjectName(QStringLiteral("optRight%1").arg(row));
        leftGroup->addButton(m_left[size_t(row)], row);
        rightGroup->addButton(m_right[size_t(row)], row);
        grid->addWidget(m_left[size_t(row)], row + 1, 0);
        grid->addWidget(m_right[size_t(row)], row + 1, 1);
    }

    auto* note = new QLabel(QStringLiteral(
        "Each switch of the guitar's foot pedal runs the action chosen for it while the main "
        "window is active. \"Lights On/Off\" switches the guitar's lights, which are off at "
        "start."));
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(note);
    layout->addWidget(okCancelButtons(this));
    connect(this, &QDialog::accepted, this, &FretlightDialog::store);
}

void FretlightDialog::select() {
    const auto [left, right] = m_program.pedalActions();
    m_left[size_t(rowOf(left))]->setChecked(true);
    m_right[size_t(rowOf(right))]->setChecked(true);
}

void FretlightDialog::store() {
    m_program.setPedalActions(1 + checkedRow(m_left), 1 + checkedRow(m_right));
}

bool FretlightDialog::showModal() {
    select();
    return exec() == QDialog::Accepted;
}

} // namespace chordalis
