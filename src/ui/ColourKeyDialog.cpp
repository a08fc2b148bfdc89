#include "ui/ColourKeyDialog.h"

#include "app/Program.h"
#include "fretboard/Fretboard.h"
#include "ui/DialogParts.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace chordalis {

// A clickable box filled with one colour.
class ColourBox : public QWidget {
    Q_OBJECT
public:
    explicit ColourBox(QWidget* parent = nullptr) : QWidget(parent) {
        setFixedSize(44, 26);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }
    void setColour(const QColor& colour) {
        m_colour = colour;
        update();
    }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), m_colour);
        p.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::WindowText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return)
            Q_EMIT clicked();
        else
            QWidget::keyPressEvent(event);
    }

private:
    QColor m_colour;
};

namespace {

PackedColour packed(const QColor& c) {
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

} // namespace

ColourKeyDialog::ColourKeyDialog(Program& program, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), m_program(program), m_boxes(boxes), m_key(program),
      m_picker([](QWidget* parent, const QColor& start) -> std::optional<QColor> {
          const QColor chosen = QColorDialog::getColor(start, parent);
          return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
      }) {
    setObjectName(QStringLiteral("frmKey"));
    setWindowTitle(QStringLiteral("Fingering Colours"));

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Click on a colour to change "));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(12);
    const std::array<const char*, 4> captions = {"Root Notes", "Chord Notes", "Scale Notes",
                                                 "Note occurs in both chords and scales"};
    for (int k = 0; k < 4; ++k) {
        auto* box = new ColourBox;
        box->setObjectName(QStringLiteral("piccol%1").arg(k));
        connect(box, &ColourBox::clicked, this, [this, k] { pick(k); });
        grid->addWidget(box, k, 0, Qt::AlignTop);
        auto* label = new QLabel(QLatin1String(captions[size_t(k)]));
        if (k == 3) {
            label->setText(label->text() + QStringLiteral("\n(Chord / Scale relationships only)"));
        }
        label->setBuddy(box);
        grid->addWidget(label, k, 1, Qt::AlignVCenter | Qt::AlignLeft);
        m_boxesShown[size_t(k)] = box;
    }
    auto* resetButton = new QPushButton(QStringLiteral("Reset Default Colours"));
    resetButton->setObjectName(QStringLiteral("cmdReset"));
    resetButton->setAutoDefault(false);
    connect(resetButton, &QPushButton::clicked, this, &ColourKeyDialog::reset);
    grid->addWidget(resetButton, 4, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(frame);

    layout->addWidget(okCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showKey();
}

void ColourKeyDialog::showme() {
    m_key.showme(m_program);
    showKey();
}

void ColourKeyDialog::pick(int box) {
    const auto chosen = m_picker(this, toQColor(m_key.piccol[size_t(box)]));
    if (!chosen)
        return;
    m_key.colourChosen(box, packed(*chosen));
    showKey();
}

void ColourKeyDialog::reset() {
    if (m_key.reset(m_program, m_boxes))
        showKey();
}

void ColourKeyDialog::showKey() {
    for (size_t k = 0; k < m_boxesShown.size(); ++k)
        m_boxesShown[k]->setColour(toQColor(m_key.piccol[k]));
}

void ColourKeyDialog::accept() {
    QDialog::accept();
    m_key.ok(m_program);
    Q_EMIT applied();
}

} // namespace chordalis

#include "ColourKeyDialog.moc"
