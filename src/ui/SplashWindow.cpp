#include "ui/SplashWindow.h"

#include "app/AppInfo.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

namespace chordalis {

namespace {

constexpr int WindowWidth = 580;
constexpr int TitleHeight = 176;
constexpr int RuleInset = 8; // the rule keeps this margin from both edges

QLabel* centredLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0x2b, 0x2f, 0x38));
    label->setPalette(pal);
    return label;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_image(new QWidget(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setModal(true);
    setFocusPolicy(Qt::StrongFocus);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        Q_EMIT timedOut();
        closeSplash();
    });

    // Image1 only reserves the title area; paintEvent draws the picture there.
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setFixedHeight(TitleHeight);

    auto* label1 = centredLabel(QStringLiteral("Label1"),
                                QStringLiteral("The Ultimate Chord, Scale and Arpeggio Reference "
                                               "for Guitarists"),
                                this);
    QFont strong = label1->font();
    strong.setBold(true);
    strong.setPointSizeF(strong.pointSizeF() * 1.1);
    label1->setFont(strong);

    auto* version = centredLabel(QStringLiteral("lblVersion"),
                                 QStringLiteral("Version: ") + QLatin1String(AppVersion), this);
    auto* label2 = centredLabel(QStringLiteral("Label2"),
                                QStringLiteral("Chords, scales, arpeggios, triads and more, on "
                                               "every fret."),
                                this);
    QPalette muted = label2->palette();
    muted.setColor(QPalette::WindowText, QColor(0x5c, 0x63, 0x70));
    label2->setPalette(muted);
    version->setPalette(muted);

    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    QPalette rulePalette = rule->palette();
    rulePalette.setColor(QPalette::WindowText, QColor(0xd3, 0xcd, 0xc0));
    rule->setPalette(rulePalette);

    auto* top = new QVBoxLayout;
    top->setContentsMargins(24, 14, 24, 4);
    top->setSpacing(6);
    top->addWidget(label1);
    top->addWidget(version);
    auto* ruleRow = new QVBoxLayout;
    ruleRow->setContentsMargins(RuleInset, 4, RuleInset, 4);
    ruleRow->addWidget(rule);
    auto* bottom = new QVBoxLayout;
    bottom->setContentsMargins(24, 4, 24, 18);
    bottom->addWidget(label2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_image);
    layout->addLayout(top);
    layout->addLayout(ruleRow);
    layout->addLayout(bottom);

    setFixedWidth(WindowWidth);
    setFixedHeight(sizeHint().height());
}

void SplashWindow::showModal() {
    exec();
}

void SplashWindow::showStartup() {
    setTag(StartupTag);
    showModal();
    setTag(QString());
}

void SplashWindow::showEvent(QShowEvent* event) {
    if (!m_created) {
        m_created = true;
        m_timer.start(CloseAfterMs);
    }
    QDialog::showEvent(event);
    // At start-up the main window is not on screen yet: centre on the screen instead.
    const QWidget* owner = parentWidget();
    if ((!owner || !owner->isVisible()) && screen())
        move(screen()->availableGeometry().center() - rect().center());
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    userClosing();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    event->accept(); // also keeps Escape from closing the start-up splash
    userClosing();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    if (m_tag == StartupTag) {
        event->ignore();
        return;
    }
    m_timer.stop();
    QDialog::closeEvent(event);
}

void SplashWindow::userClosing() {
    if (m_tag != StartupTag)
        closeSplash();
}

void SplashWindow::closeSplash() {
    m_timer.stop();
    done(0);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0xfb, 0xfa, 0xf6));
    paintTitle(p, QRectF(m_image->geometry()));
    p.setPen(QPen(QColor(0x1b, 0x21, 0x30), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void SplashWindow::paintTitle(QPainter& p, const QRectF& area) const {
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0.0, QColor(0x1b, 0x21, 0x30));
    sky.setColorAt(1.0, QColor(0x2e, 0x37, 0x4c));
    p.fillRect(area, sky);

    // The word mark.
    QFont mark = font();
    mark.setPixelSize(46);
    mark.setBold(true);
    mark.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
    p.setFont(mark);
    p.setPen(QColor(0xf6, 0xf1, 0xe6));
    p.drawText(QRectF(area.left(), area.top() + 14, area.width(), 64), Qt::AlignCenter,
               QStringLiteral("Chordalis"));

    // A short stretch of neck: nut, frets spaced as on a real scale, six strings.
    const QRectF board(area.left() + 34, area.top() + 92, area.width() - 68, 62);
    QLinearGradient wood(board.topLeft(), board.bottomLeft());
    wood.setColorAt(0.0, QColor(0x55, 0x33, 0x20));
    wood.setColorAt(1.0, QColor(0x2f, 0x1b, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRoundedRect(board, 3, 3);

    constexpr int Frets = 7;
    const double span = board.width() / (1.0 - std::pow(2.0, -Frets / 12.0));
    auto wireX = [&](int n) {
        return board.left() + span * (1.0 - std::pow(2.0, -n / 12.0));
    };
    p.setBrush(QColor(0xcf, 0xcf, 0xcf));
    for (int n = 1; n < Frets; ++n)
        p.drawRect(QRectF(wireX(n) - 1.0, board.top(), 2.0, board.height()));
    p.setBrush(QColor(0xf1, 0xea, 0xd6));
    p.drawRect(QRectF(board.left(), board.top() - 1, 5.0, board.height() + 2));

    auto stringY = [&](int s) {
        return board.top() + 6.0 + (s - 1) * (board.height() - 12) / 5.0;
    };
    for (int s = 1; s <= 6; ++s) {
        p.setPen(QPen(s <= 2 ? QColor(0xdd, 0xdd, 0xdd) : QColor(0xd2, 0xbc, 0x8a),
                      0.8 + 0.3 * (s - 1)));
        p.drawLine(QPointF(board.left() + 5, stringY(s)), QPointF(board.right(), stringY(s)));
    }

    // A few markers in the fingering colours: root, chord, scale and shared notes.
    struct Dot {
        int fret;
        int string;
        QColor colour;
    };
    const Dot dots[] = {
        {3, 5, QColor(0xe0, 0x3a, 0x3a)}, {2, 4, QColor(0x3a, 0x6f, 0xe0)},
        {1, 2, QColor(0x3a, 0x6f, 0xe0)}, {5, 3, QColor(0x1f, 0x9a, 0x9a)},
        {5, 1, QColor(0xd0, 0x7a, 0x22)}, {6, 4, QColor(0x1f, 0x9a, 0x9a)},
    };
    for (const Dot& d : dots) {
        const QPointF centre((wireX(d.fret - 1) + wireX(d.fret)) / 2.0, stringY(d.string));
        p.setPen(QPen(QColor(255, 255, 255, 190), 1.2));
        p.setBrush(d.colour);
        p.drawEllipse(centre, 6.5, 6.5);
    }
}

} // namespace chordalis
