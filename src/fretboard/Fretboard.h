#pragma once

#include "fretboard/Colour.h"
#include "fretboard/LedSender.h"
#include "fretboard/NeckExtras.h"
#include "fretboard/NeckPicture.h"
#include "fretboard/PictureSet.h"
#include "theory/Neck.h"
#include "theory/Tuning.h"

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

class QPainter;
class QPointF;

namespace chordalis {

// The user's four marker colours.
struct MarkerColours {
    const PackedColour& root;
    const PackedColour& chord;
    const PackedColour& scale;
    const PackedColour& both;
};

// What the neck reads of the program's settings, each time it clears or draws.
struct NeckSettings {
    const Instrument& instrument; // its strings and frets; frets past the last are not drawn
    const int& tuningSpelling;    // spelling column of the open strings' names
    const bool& leftHanded;
    const Capo& capo; // drawn across the neck, or across the strings it covers
    MarkerColours colours;
};

// The neck surface picFretboard. Displays clear it, draw markers and signs into its picture,
// then send the LED frame; the surface paints the picture on request over the neck picture, at
// any scale and mirrored for a left-handed player. It never touches a widget: the window paints
// it, tests and the companion tool render it into an image.
class Fretboard {
public:
    Fretboard(NeckSettings settings, LedSender& led);

    // Where LED frames go from now on.
    void setLedSender(LedSender& led) { m_led = &led; }

    // Starts an empty picture for the neck the settings hold now: its geometry and hand, the open
    // strings' names, and an empty LED frame, which is sent at once.
    void clearFretboard();

    // A marker of the kind (a circle or a square) in the colour of its role, with a picture on
    // top, at a fret 0..frets and a string. Frets past the neck's last are ignored. The info is
    // what the screen may show instead of the label, and in the marker's tooltip.
    void drawMarker(MarkKind kind, ColourRole role, const QString& label, int fret, int string,
                    const MarkInfo& info = {});

    // A sign on the bare neck, in the kind's column, on a string the neck has; names carry the
    // note. The open sign of a string under the capo stands in the capo's fret column instead.
    void drawSign(SignKind kind, int string, const QString& name = {});

    // Adds a place to the LED frame (an open string shown by a sign lights this way).
    void addLedPosition(int fret, int string);
    // Hands the LED frame to the guitar output.
    void sendLedFrame();
    // Empties the LED frame.
    void clearLedFrame() { m_picture.led.clear(); }
    // Empties the LED frame and sends it: the guitar goes dark.
    void resetLeds();

    // The fret window of the chosen position, set by the displays that show one after their
    // clear.
    void setPositionWindow(FretWindow window) { m_picture.positionWindow = window; }
    const std::optional<FretWindow>& positionWindow() const { return m_picture.positionWindow; }

    // A note starts or stops sounding during a playback: on a string (its marker at that string
    // and pitch), or on string 0 when the playback does not say where (the markers of that pitch,
    // or of its pitch class when the neck does not show the pitch). A clear forgets what sounded.
    void setSounding(int string, int pitch, bool on);
    void clearSounding() { m_sounding.clear(); }
    bool isAnythingSounding() const { return !m_sounding.empty(); }
    // Per entry of marks(): whether it is the marker of a sounding note.
    std::vector<bool> soundingMarks() const;

    // The verdicts of a checked strum on the grip drawn, in place of the last; empty: none. The
    // next clear forgets them.
    void setChecked(std::vector<CheckedString> checked) { m_picture.checked = std::move(checked); }

    // The topmost marker whose cell holds the point (surface units), or null.
    const Mark* markerAt(const QPointF& surfacePos) const;

    // What the last display drew.
    const NeckPicture& picture() const { return m_picture; }
    const NeckGeometry& geometry() const { return m_picture.geometry; }
    const std::vector<Mark>& marks() const { return m_picture.marks; }
    const LedFrame& ledFrame() const { return m_picture.led; }
    bool isLeftHanded() const { return m_picture.leftHanded; }
    // x of a column for the hand of the last clear; y of a string row.
    int fretX(int fret) const { return geometry().fretX(fret, isLeftHanded()); }
    int stringY(int string) const { return geometry().stringY(string); }

    // The neck picture under the marks; a null image selects the built-in neck, which is also
    // drawn for a neck the pictures do not fit (any but six strings and 15 frets). Takes effect
    // at the next paint.
    void setSkin(const QImage& skin);
    bool hasBuiltInSkin() const { return m_skin.isNull() || !geometry().isClassic(); }

    // Paints the surface in surface units through the painter's transform, with what the window
    // adds to it. `stretch` (1 or more) draws the neck that much longer than its shape, its
    // markers and signs round and as large as ever: the window's neck fills a wide, short window.
    void paint(QPainter& painter, const NeckExtras& extras = {}, qreal stretch = 1.0) const;
    // The same, except that where only the size changed since the neck under the marks was last
    // rendered (the window was resized), that rendering is scaled into place rather than made
    // anew: a frame that follows the resize at once, a little soft. Returns false then; a paint
    // through `paint` afterwards makes it sharp. True when the neck was painted sharp.
    bool paintResized(QPainter& painter, const NeckExtras& extras, qreal stretch) const;
    // The surface as an image: width x height of the geometry at scale 1.
    QImage image(qreal scale = 1.0, const NeckExtras& extras = {}) const;

    // Writes the fret numbers into a strip of the surface's width and FretNumberStripHeight
    // units (the painter's origin at its top left), each under its fret column for the hand of
    // the last clear.
    void paintFretNumbers(QPainter& painter, FretNumbers which, const QColor& ink,
                          qreal stretch = 1.0) const;

private:
    // The neck under the marks (wood, frets, inlays, strings, the strip of names) rendered once
    // for a device scale, a stretch along the neck and the window's darkness.
    const QImage& skinAt(qreal scale, qreal stretch, bool dark) const;
    // Whether the rendering kept is of this neck, darkness and hand, at any size; and whether it
    // is at this size as well.
    bool skinDrawnFor(bool dark) const;
    bool skinFits(qreal scale, qreal stretch, bool dark) const;
    void paintWith(QPainter& p, const NeckExtras& extras, qreal stretch, bool resized) const;
    PackedColour colourOf(ColourRole role) const;

    NeckSettings m_settings;
    LedSender* m_led;
    PictureSet m_pictures;
    NeckPicture m_picture;
    std::vector<std::pair<int, int>> m_sounding; // string (0 any) and pitch

    QImage m_skin; // null: the built-in neck
    mutable QImage m_skinCache;
    mutable qreal m_cacheScale = 0;
    mutable qreal m_cacheStretch = 1;
    mutable bool m_cacheDark = false;
    mutable bool m_cacheLeftHanded = false;
    mutable NeckGeometry m_cacheGeometry;
};

} // namespace chordalis
