#include "ui/Theme.h"

#include "ui/FocusStyle.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <optional>

namespace chordalis {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString Appearance = QStringLiteral("org.freedesktop.appearance");
const QString ColourSchemeKey = QStringLiteral("color-scheme");

// A colour-scheme value as the portal sends it: 1 prefers dark, 2 prefers light; 0, anything
// else or no number says nothing. It comes wrapped in a variant, and on some portals in a second.
std::optional<bool> schemeOf(QVariant value) {
    for (int unwrap = 0; unwrap < 3 && value.canConvert<QDBusVariant>(); ++unwrap)
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    if (!ok || (scheme != 1 && scheme != 2))
        return std::nullopt;
    return scheme == 1;
}

// The session's colour scheme through the desktop portal; no answer says nothing.
std::optional<bool> portalPrefersDark() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    QDBusMessage read = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalSettings,
                                                       QStringLiteral("Read"));
    read << Appearance << ColourSchemeKey;
    constexpr int TimeoutMs = 200; // a portal that hangs must not hold up the start
    const QDBusMessage reply = bus.call(read, QDBus::Block, TimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return schemeOf(reply.arguments().constFirst());
}

double channel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mix(const QColor& over, const QColor& under, double share) {
    return QColor::fromRgbF(float(over.redF() * share + under.redF() * (1 - share)),
                            float(over.greenF() * share + under.greenF() * (1 - share)),
                            float(over.blueF() * share + under.blueF() * (1 - share)));
}

} // namespace

DesktopScheme::DesktopScheme(bool portal, QObject* parent) : QObject(parent) {
    if (!portal)
        return;
    m_dark = portalPrefersDark();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        bus.connect(PortalService, PortalPath, PortalSettings, QStringLiteral("SettingChanged"),
                    this, SLOT(settingChanged(QString, QString, QDBusVariant)));
}

void DesktopScheme::settingChanged(const QString& group, const QString& key,
                                   const QDBusVariant& value) {
    if (group != Appearance || key != ColourSchemeKey)
        return;
    const std::optional<bool> dark = schemeOf(QVariant::fromValue(value));
    if (dark == m_dark)
        return;
    m_dark = dark;
    Q_EMIT changed();
}

ThemeChooser::ThemeChooser(const DesktopScheme* scheme)
    : m_desktopStyle(QApplication::style() ? QApplication::style()->name() : QString()),
      m_desktopPalette(QApplication::palette()), m_scheme(scheme) {}

bool ThemeChooser::desktopIsDark() const {
    if (const auto dark = m_scheme ? m_scheme->prefersDark() : portalPrefersDark())
        return *dark;
    return isDark(m_desktopPalette);
}

void ThemeChooser::apply(Theme theme) const {
    const bool ownPalette = theme != Theme::System || desktopIsDark() != isDark(m_desktopPalette);
    if (!ownPalette) {
        QApplication::setStyle(new FocusStyle(m_desktopStyle));
        QApplication::setPalette(m_desktopPalette);
        return;
    }
    const bool dark = theme == Theme::Dark || (theme == Theme::System && desktopIsDark());
    QApplication::setStyle(new FocusStyle(QStringLiteral("Fusion")));
    QApplication::setPalette(dark ? darkPalette() : lightPalette());
}

namespace {

// The colours of one of our palettes, each role once.
struct Scheme {
    QColor window, text, base, alternateBase, button, toolTip, highlight, link, placeholder, light,
        midlight, mid, dark, shadow, disabledText;
};

QPalette paletteOf(const Scheme& c) {
    QPalette p;
    p.setColor(QPalette::Window, c.window);
    p.setColor(QPalette::Base, c.base);
    p.setColor(QPalette::AlternateBase, c.alternateBase);
    p.setColor(QPalette::Button, c.button);
    p.setColor(QPalette::ToolTipBase, c.toolTip);
    for (auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(role, c.text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, c.highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, c.link);
    p.setColor(QPalette::PlaceholderText, c.placeholder);
    p.setColor(QPalette::Light, c.light);
    p.setColor(QPalette::Midlight, c.midlight);
    p.setColor(QPalette::Mid, c.mid);
    p.setColor(QPalette::Dark, c.dark);
    p.setColor(QPalette::Shadow, c.shadow);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c.disabledText);
    return p;
}

} // namespace

QPalette lightPalette() {
    return paletteOf({QColor(0xef, 0xef, 0xef), QColor(0x1d, 0x1d, 0x1f), Qt::white,
                      QColor(0xf5, 0xf5, 0xf5), QColor(0xf4, 0xf4, 0xf4), QColor(0xff, 0xff, 0xdc),
                      QColor(0x30, 0x8c, 0xc6), QColor(0x1a, 0x5f, 0xb4), QColor(0x70, 0x70, 0x70),
                      Qt::white, QColor(0xe3, 0xe3, 0xe3), QColor(0xa0, 0xa0, 0xa0),
                      QColor(0x7f, 0x7f, 0x7f), QColor(0x40, 0x40, 0x40),
                      QColor(0x90, 0x90, 0x90)});
}

QPalette darkPalette() {
    return paletteOf({QColor(0x2b, 0x2d, 0x31), QColor(0xe8, 0xe8, 0xea), QColor(0x1e, 0x1f, 0x22),
                      QColor(0x26, 0x28, 0x2b), QColor(0x37, 0x3a, 0x3f), QColor(0x3a, 0x3d, 0x42),
                      QColor(0x3d, 0x8e, 0xe0), QColor(0x7c, 0xb7, 0xff), QColor(0x9a, 0x9a, 0x9e),
                      QColor(0x4a, 0x4d, 0x52), QColor(0x3e, 0x41, 0x46), QColor(0x6a, 0x6d, 0x72),
                      QColor(0x18, 0x19, 0x1b), QColor(0x0c, 0x0c, 0x0d),
                      QColor(0x80, 0x82, 0x86)});
}

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor onGround(const QColor& colour, const QPalette& palette) {
    const QColor ground = palette.color(QPalette::Window);
    QColor c = colour;
    // Lightened in steps towards white: every colour gets there within a few.
    for (int step = 0; step < 10 && isDark(palette) && contrastRatio(c, ground) < 3.0; ++step)
        c = mix(Qt::white, c, 0.25);
    return c;
}

FinderChip finderChip(const QColor& colour, const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    const QColor window = palette.color(QPalette::Window);
    const QColor accent = onGround(colour, palette);
    // A light tint, taken back towards the window colour until the text reads at 4.5:1 or
    // better (WCAG AA for normal text).
    double share = 0.22;
    QColor ground = mix(accent, window, share);
    while (share > 0.0 && contrastRatio(text, ground) < 4.5) {
        share = std::max(0.0, share - 0.04);
        ground = mix(accent, window, share);
    }
    return {text, ground, accent};
}

QString finderChipStyle(const QColor& colour, const QPalette& palette, bool empty) {
    if (empty)
        return QStringLiteral("QLabel { color: palette(window-text); background: transparent; "
                              "padding: 1px 6px; }");
    const FinderChip chip = finderChip(colour, palette);
    return QStringLiteral("QLabel { color: %1; background: %2; border-left: 4px solid %3; "
                          "border-radius: 3px; padding: 1px 6px; }")
        .arg(chip.text.name(), chip.ground.name(), chip.accent.name());
}

} // namespace chordalis
