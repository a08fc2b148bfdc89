#pragma once

#include "fretboard/Colour.h"
#include "fretboard/Geometry.h"
#include "fretboard/LedSender.h"
#include "fretboard/NeckExtras.h"
#include "fretboard/PictureSet.h"
#include "theory/Neck.h"
#include "theory/Tuning.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QPainter;
class QPointF;

namespace chordalis {

// What the neck reads of the program's settings, each time it clears or draws.
struct NeckSettings {
    const Tuning& tuning;
    const int& tuningSpelling; // spelling column of the open strings' names
    const bool& leftHanded;
    const int& maxFret;       // frets above it are neither drawn nor lit
    const int& maxScreenFret; // frets above it only light the LED
};

// The kinds of mark on the neck.
enum class MarkKind {
    Circle,
    Square,
    None, // a marker of another shape: only its picture is drawn
    Sign, // a picture on the bare neck
};

// The kind's name as the companion tool prints it: "circle", "square", "none", "sign".
QString markKindName(MarkKind kind);

// What a display knows about the note under a marker: its spelled name and its interval from the
// root as the labels write it ("b3"). Either may be empty.
struct MarkInfo {
    QString note;
    QString interval;
};

// One thing drawn on the neck since the last clear, in surface units.
struct Mark {
    MarkKind kind = MarkKind::None;
    PackedColour colour{}; // markers only
    QString label;         // picture key ("finger3", "C", "F#2"); empty for none
    int fret = 0;          // column -3..15
    int string = 0;        // 1..6
    int x = 0;             // cell's top-left corner
    int y = 0;
    // Markers only: the MIDI note the string sounds at the fret under the tuning of the drawing,
    // and what the display said about it.
    int pitch = -1;
    QString note;
    QString interval;
};

// The neck surface picFretboard. Displays clear it, draw markers and signs, then send the LED
// frame; the surface keeps a list of what was drawn and paints it on request over the neck
// picture, at any scale and mirrored for a left-handed player. It never touches a widget: the
// window paints it, tests and the companion tool render it into an image.
class Fretboard {
public:
    Fretboard(NeckSettings settings, LedSender& led);

    // Where LED frames go from now on.
    void setLedSender(LedSender& led) { m_led = &led; }

    // x of a column for the handedness of the last clear; y of a string row.
    int fretX(int fret) const { return chordalis::fretX(fret, m_leftHanded); }
    static int stringY(int string) { return chordalis::stringY(string); }

    // Starts an empty neck: the skin (mirrored when left-handed), the open strings' names in
    // column -1, and an empty LED frame, which is sent at once.
    void clearFretboard();

    // A "circle" or "square" (any case) of the colour with a picture on top, at a fret 0..15 and
    // a string. Frets above maxFret are ignored; frets above maxScreenFret only light the LED.
    // The info is what the screen may show instead of the label, and in the marker's tooltip.
    void drawMarker(const QString& shape, PackedColour colour, const QString& label, int fret,
                    int string, const MarkInfo& info = {});

    // A picture on the bare neck: "x", "0", "0red", "1".."4", or a note name (drawn black).
    void drawSign(const QString& label, int fret, int string);

    // Adds a place to the LED frame (an open string shown by a sign lights this way).
    void addLedPosition(int fret, int string);
    // Hands the LED frame to the guitar output.
    void sendLedFrame();
    // Empties the LED frame.
    void clearLedFrame() { m_ledFrame.clear(); }
    // Empties the LED frame and sends it: the guitar goes dark.
    void resetLeds();

    // The fret window of the chosen position, set by the displays that show one after their
    // clear; nothing when all positions are shown.
    void setPositionWindow(FretWindow window) { m_window = window; }
    const std::optional<FretWindow>& positionWindow() const { return m_window; }

    // A note starts or stops sounding during a playback: on a string 1..6 (its marker at that
    // string and pitch), or on string 0 when the playback does not say where (the markers of
    // that pitch, or of its pitch class when the neck does not show the pitch). A clear forgets
    // what sounded.
    void setSounding(int string, int pitch, bool on);
    void clearSounding() { m_sounding.clear(); }
    bool isAnythingSounding() const { return !m_sounding.empty(); }
    // Per entry of marks(): whether it is the marker of a sounding note.
    std::vector<bool> soundingMarks() const;

    // The topmost marker whose cell holds the point (surface units), or null.
    const Mark* markerAt(const QPointF& surfacePos) const;

    const std::vector<Mark>& marks() const { return m_marks; }
    // The LED frame drawn since the last clear, lowest string first.
    const LedFrame& ledFrame() const { return m_ledFrame; }
    bool isLeftHanded() const { return m_leftHanded; }

    // The neck picture under the marks; a null image selects the built-in neck. Takes effect
    // at the next paint.
    void setSkin(const QImage& skin);
    bool hasBuiltInSkin() const { return m_skin.isNull(); }

    // Paints the surface in surface units through the painter's transform, with what the window
    // adds to it.
    void paint(QPainter& painter, const NeckExtras& extras = {}) const;
    // The surface as an image: 753 x 183 pixels at scale 1.
    QImage image(qreal scale = 1.0, const NeckExtras& extras = {}) const;

    // Writes the fret numbers into a strip of 753 x FretNumberStripHeight surface units (the
    // painter's origin at its top left), each under its fret column for the hand of the last
    // clear.
    void paintFretNumbers(QPainter& painter, FretNumbers which, const QColor& ink) const;

private:
    const QImage& skinAt(qreal scale) const;
    void record(Mark mark);

    NeckSettings m_settings;
    LedSender* m_led;
    LedFrame m_ledFrame;
    PictureSet m_pictures;
    std::vector<Mark> m_marks;
    bool m_leftHanded = false;
    std::optional<FretWindow> m_window;
    std::vector<std::pair<int, int>> m_sounding; // string (0 any) and pitch

    QImage m_skin; // null: the built-in neck
    mutable QImage m_skinCache;
    mutable qreal m_cacheScale = 0;
    mutable bool m_cacheLeftHanded = false;
};

} // namespace chordalis
