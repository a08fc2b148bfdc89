#include "ui/InfoWindow.h"

#include "app/InfoSession.h"
#include "modes/InfoDocument.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace chordalis {

namespace {

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

// A transport button: the theme's media icon where the desktop has one, else the style's own;
// its name is the tooltip and what a screen reader says.
QPushButton* makeTransportButton(const QString& name, const char* themeIcon,
                                 QStyle::StandardPixmap fallback, const QString& tip) {
    auto* button = makeButton(name, QString(), tip);
    button->setIcon(
        QIcon::fromTheme(QLatin1String(themeIcon), button->style()->standardIcon(fallback)));
    button->setAccessibleName(tip);
    return button;
}

} // namespace

InfoWindow::InfoWindow(InfoSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_text(new QTextBrowser), m_sound(new QLabel),
      m_examples(new QComboBox),
      m_play(makeTransportButton(QStringLiteral("cmdPlay"), "media-playback-start",
                                 QStyle::SP_MediaPlay, QStringLiteral("Play"))),
      m_pause(makeTransportButton(QStringLiteral("cmdPause"), "media-playback-pause",
                                  QStyle::SP_MediaPause, QStringLiteral("Pause"))),
      m_reset(makeTransportButton(QStringLiteral("cmdReset"), "media-skip-backward",
                                  QStyle::SP_MediaSkipBackward, QStringLiteral("Back to start"))),
      m_close(makeButton(QStringLiteral("cmdClose"), QStringLiteral("Close"), QString())),
      m_stem(new QLineEdit) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QLatin1String(InfoPage::Caption));
    setModal(true);

    m_text->setObjectName(QStringLiteral("txtInfo"));
    m_text->setReadOnly(true);
    m_text->setOpenLinks(false); // the document holds no links; nothing may replace it
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sound->setObjectName(QStringLiteral("lblInfoSound"));
    m_sound->setWordWrap(true);
    m_sound->hide();

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
    layout->addWidget(m_sound);
    layout->addLayout(controls);

    // Wide enough for the neck picture (565 pixels) and the grip table beside the margins and
    // the scroll bar, tall enough for it and a few paragraphs under it.
    resize(std::max(720, fontMetrics().averageCharWidth() * 100), 640);

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
    if (m_text->property("shownHtml").toString() != page.html) {
        m_text->document()->addResource(QTextDocument::ImageResource,
                                        QUrl(QLatin1String(InfoNeckImage)), page.neckPicture);
        m_text->document()->addResource(QTextDocument::ImageResource,
                                        QUrl(QLatin1String(InfoBoxesImage)), page.boxesPicture);
        m_text->setHtml(page.html);
        m_text->setProperty("shownHtml", page.html);
        // As wide as the text's least width (its widest picture: the grips' boxes, six to a
        // row) beside the frame and the scroll bar. The text wraps at the width it has, so that
        // it never scrolls across: Qt lays a table out a pixel wider than the width now and then.
        const std::unique_ptr<QTextDocument> least(m_text->document()->clone());
        least->setTextWidth(0);
        m_text->setMinimumWidth(int(std::ceil(least->size().width())) + 2 * m_text->frameWidth() +
                                m_text->verticalScrollBar()->sizeHint().width());
    }
    if (!page.title.isEmpty())
        setWindowTitle(page.title + QLatin1String(" - ") + QLatin1String(InfoPage::Caption));
    m_sound->setText(page.soundProblem);
    m_sound->setVisible(!page.soundProblem.isEmpty());
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
