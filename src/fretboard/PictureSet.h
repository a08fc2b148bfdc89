#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

namespace chordalis {

// The small pictures drawn on the neck, looked up by key: "finger1".."finger4" (white digits for
// a coloured marker), "finger0" and "finger0red" (open-string signs), "fingerX" (mute sign), the
// 35 note names "C", "F#", "Bbb", "Gx" .. in white and their "2" forms ("C2", "F#2") in black
// for the bare neck. Each is a cell of 21 x 21 units with a transparent background; pictures are
// rendered for the scale they are drawn at, so they stay sharp on any screen.
class PictureSet {
public:
    static constexpr int Size = 21;

    static bool contains(const QString& key);
    static QStringList keys();
    // The intervals a marker may show instead: a degree 1..14 alone or after "b", "bb", "#" or
    // "x" ("1", "b3", "#11", "bb7"), in white for a coloured marker.
    static QStringList intervalKeys();

    // The picture at a device scale (1 = one pixel per unit); its device pixel ratio is the
    // scale, so it always covers 21 x 21 units. A null image for an unknown key. `onDark` draws
    // the black pictures (names and signs for the bare neck) in a light ink on a dark halo.
    // The reference holds until the next call.
    const QImage& picture(const QString& key, qreal scale = 1.0, bool onDark = false) const;

private:
    static constexpr qsizetype MaxPictures = 1024;
    mutable QHash<QString, QImage> m_cache; // by key, scale and ink
};

} // namespace chordalis
