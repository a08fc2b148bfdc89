#include "ui/InfoWindow.h"

#include "app/InfoSession.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace chordalis {

namespace {

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

InfoWindow::InfoWindow(InfoSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_text(new QPlainTextEdit), m_examples(new QComboBox),
      m_play(makeButton(QStringLiteral("cmdPlay"), QStringLiteral(">"), QStringLiteral("Play"))),
      m_pause(
          makeButton(QStringLiteral("cmdPause"), QStringLiteral("||"), QStringLiteral("Pause"))),
      m_reset(
          makeButton(QStringLiteral("cmdReset"), QStringLiteral("|<<"), QStringLiteral("Reset"))),
      m_close(makeButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), QString())),
      m_stem(new QLineEdit) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QLatin1String(InfoPage::Caption));
    setModal(true);

    m_text->setObjectName(QStringLiteral("txtInfo"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    if (!courier.exactMatch())
        courier.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    m_text->setFont(courier);

    m_examples->setObjectName(QStringLiteral("cboInfo"));
    m_examples->setMinimumContentsLength(30);
    m_examples->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_stem->setObjectName(QStringLiteral("txtStem"));
    m_stem->setReadOnly(true);
    m_stem->hide();
    m_close->setDefault(true);

    auto* examples = new QLabel(QStringLiteral("&Examples:"));
    examples->setBuddy(m_examples);
    auto* controls = new QHBoxLayout;
    controls->addWidget(examples);
    controls->addWidget(m_examples, 1);
    for (QPushButton* b : {m_play, m_pause, m_reset})
        controls->addWidget(b);
    controls->addSpacing(16);
    controls->addWidget(m_close);
    controls->addWidget(m_stem);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(controls);

    const QFontMetrics metrics(courier);
    resize(std::max(640, metrics.horizontalAdvance(QLatin1Char('M')) * 76), 480);

    connect(m_examples, &QComboBox::activated, this, [this](int index) {
        m_session.choose(index);
        showPage();
    });
    connect(m_play, &QPushButton::clicked, this, [this] {
        m_session.play();
        showPage();
    });
    connect(m_pause, &QPushButton::clicked, this, [this] {
        m_session.pause();
        showPage();
    });
    connect(m_reset, &QPushButton::clicked, this, [this] {
        m_session.reset();
        showPage();
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        closeSession();
        accept();
    });
    m_session.changed = [this] {
        showPage();
    };
    showPage();
}

InfoWindow::~InfoWindow() {
    closeSession();
}

void InfoWindow::closeSession() {
    m_session.changed = nullptr;
    m_session.close();
}

void InfoWindow::reject() {
    // The close box and Escape end the session as Close does.
    closeSession();
    QDialog::reject();
}

void InfoWindow::showPage() {
    const InfoPage& page = m_session.page();
    if (m_text->toPlainText() != page.txtInfo)
        m_text->setPlainText(page.txtInfo);
    m_stem->setText(page.txtStem);
    {
        const QSignalBlocker block(m_examples);
        QStringList captions;
        for (const ExampleEntry& entry : page.cboInfo)
            captions << entry.caption;
        QStringList shown;
        for (int i = 0; i < m_examples->count(); ++i)
            shown << m_examples->itemText(i);
        if (shown != captions) {
            m_examples->clear();
            m_examples->addItems(captions);
        }
        m_examples->setCurrentIndex(page.cboInfoIndex);
    }
    // An item without examples shows its text with the example controls disabled.
    m_examples->setEnabled(!page.cboInfo.empty());
    m_play->setEnabled(page.cmdPlay);
    m_pause->setEnabled(page.cmdPause);
    m_reset->setEnabled(page.cmdReset);
}

} // namespace chordalis
