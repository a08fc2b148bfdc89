#include "ui/PositionPicker.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace chordalis {

PositionPicker::PositionPicker(const QString& name, const PositionList& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_list(new QComboBox(this)),
      m_four(new QRadioButton(QLatin1String(FourNoteOption), this)),
      m_five(new QRadioButton(QLatin1String(FiveNoteOption), this)) {
    m_list->setObjectName(QStringLiteral("cbo") + name);
    m_four->setObjectName(QStringLiteral("opt") + name + QStringLiteral("0"));
    m_five->setObjectName(QStringLiteral("opt") + name + QStringLiteral("1"));

    auto* options = new QHBoxLayout;
    options->addWidget(m_four);
    options->addWidget(m_five);
    options->addStretch();
    auto* caption = new QLabel(QStringLiteral("Show Positions"), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setBuddy(m_list);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(caption);
    m_list->setMinimumWidth(220);
    layout->addWidget(m_list, 0, Qt::AlignLeft);
    layout->addLayout(options);

    connect(m_list, &QComboBox::activated, this, &PositionPicker::entryChosen);
    // clicked, not toggled: a click on the chosen option rebuilds the list as well.
    connect(m_four, &QRadioButton::clicked, this, [this] { Q_EMIT optionClicked(0); });
    connect(m_five, &QRadioButton::clicked, this, [this] { Q_EMIT optionClicked(1); });
    showModel();
}

void PositionPicker::showModel() {
    const QSignalBlocker blocker(m_list);
    QStringList shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown << m_list->itemText(i);
    if (shown != m_model.entries) {
        m_list->clear();
        m_list->addItems(m_model.entries);
    }
    m_list->setCurrentIndex(m_model.index);
    m_four->setChecked(m_model.option == 0);
    m_five->setChecked(m_model.option != 0);
}

} // namespace chordalis
