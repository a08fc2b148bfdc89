#pragma once

#include "modes/ViewSettings.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QString>
#include <optional>

class QDBusVariant;

namespace chordalis {

// The desktop's colour scheme as its portal tells it: read once when made, then followed through
// the portal's SettingChanged signal on the session bus, so that a desktop turned dark or light
// while the program runs restyles the window. Without a session bus or a portal it says nothing.
class DesktopScheme : public QObject {
    Q_OBJECT

public:
    // Reads the scheme from the portal (within a fifth of a second) and listens for its changes;
    // `portal` false listens to nothing, for tests, which call settingChanged themselves.
    explicit DesktopScheme(bool portal = true, QObject* parent = nullptr);

    // True for dark, false for light, nothing when the desktop states no preference.
    std::optional<bool> prefersDark() const { return m_dark; }

public Q_SLOTS:
    // The portal's SettingChanged(namespace, key, value): only the colour scheme of
    // org.freedesktop.appearance counts (value 1 dark, 2 light, 0 no preference).
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

Q_SIGNALS:
    // The preference changed (not sent for a value it already had).
    void changed();

private:
    std::optional<bool> m_dark;
};

// The window's colours. The desktop's own style and palette are taken at start-up (before any
// theme is applied); View > Theme then chooses them (System), or Fusion with a light or a dark
// palette of our own, so that Light and Dark look the same on every desktop.
class ThemeChooser {
public:
    // Remembers the desktop's style name and palette as they are now. The desktop's scheme is
    // read from `scheme` where given (which must outlive the chooser), else asked of the portal
    // at each use.
    explicit ThemeChooser(const DesktopScheme* scheme = nullptr);

    // Where the desktop's scheme comes from, or null.
    const DesktopScheme* scheme() const { return m_scheme; }

    // Sets the application's style and palette. System follows the desktop: its own palette, or
    // the dark palette when the session asks for dark colours while the style's palette is light
    // (desktops whose scheme Qt does not read).
    void apply(Theme theme) const;

    // Whether the desktop asks for dark colours: the session's colour-scheme setting where it
    // answers (within a fifth of a second), else its palette's window lightness.
    bool desktopIsDark() const;

private:
    QString m_desktopStyle;
    QPalette m_desktopPalette;
    const DesktopScheme* m_scheme;
};

QPalette lightPalette();
QPalette darkPalette();

// A palette is dark when its window colour is darker than middle grey.
bool isDark(const QPalette& palette);

// The WCAG 2 contrast ratio of two opaque colours: 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A chord finder result as the page shows it: the page's own text colour on the page's ground
// lightly tinted with the result's colour, which marks it fully in a bar on the left.
struct FinderChip {
    QColor text;
    QColor ground;
    QColor accent;
};
FinderChip finderChip(const QColor& colour, const QPalette& palette);
// The style sheet of a label drawn as that chip; an empty description gets none.
QString finderChipStyle(const QColor& colour, const QPalette& palette, bool empty);

// A colour that stands out on the palette's ground: as given on a light ground, lightened on a
// dark one until it reaches 3:1 against the window colour.
QColor onGround(const QColor& colour, const QPalette& palette);

} // namespace chordalis
