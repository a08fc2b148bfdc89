#include "fretboard/Fretboard.h"

#include "fretboard/BuiltInNeck.h"
#include "ledguitar/LedSender.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <QPainter>
#include <cmath>

namespace chordalis {

QColor toQColor(PackedColour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QString markKindName(MarkKind kind) {
    switch (kind) {
    case MarkKind::Circle:
        return QStringLiteral("circle");
    case MarkKind::Square:
        return QStringLiteral("square");
    case MarkKind::None:
        return QStringLiteral("none");
    case MarkKind::Sign:
        return QStringLiteral("sign");
    }
    return {};
}

Fretboard::Fretboard(NeckSettings settings, LedSender& led)
    : m_settings(settings), m_led(&led), m_leftHanded(settings.leftHanded) {}

void Fretboard::clearFretboard() {
    m_marks.clear();
    m_leftHanded = m_settings.leftHanded;
    for (int s = 1; s <= 6; ++s) {
        const QString name =
            noteName(openPitchClass(m_settings.tuning, s), m_settings.tuningSpelling);
        drawSign(name, OpenNameColumn, s);
    }
    m_ledFrame.clear();
    sendLedFrame();
}

void Fretboard::drawMarker(const QString& shape, PackedColour colour, const QString& label,
                           int fret, int string) {
    if (fret > m_settings.maxFret)
        return;
    addLedPosition(fret, string);
    if (fret > m_settings.maxScreenFret)
        return;
    MarkKind kind = MarkKind::None;
    if (shape.compare(QLatin1String("circle"), Qt::CaseInsensitive) == 0)
        kind = MarkKind::Circle;
    else if (shape.compare(QLatin1String("square"), Qt::CaseInsensitive) == 0)
        kind = MarkKind::Square;
    record({kind, colour, label, fret, string, fretX(fret), stringY(string)});
}

void Fretboard::drawSign(const QString& label, int fret, int string) {
    static const QHash<QString, QString> Keys = {
        {QStringLiteral("x"), QStringLiteral("fingerX")},
        {QStringLiteral("0"), QStringLiteral("finger0")},
        {QStringLiteral("0red"), QStringLiteral("finger0red")},
        {QStringLiteral("1"), QStringLiteral("finger1")},
        {QStringLiteral("2"), QStringLiteral("finger2")},
        {QStringLiteral("3"), QStringLiteral("finger3")},
        {QStringLiteral("4"), QStringLiteral("finger4")},
    };
    const QString key = Keys.value(label, label + QLatin1Char('2'));
    record({MarkKind::Sign, 0, key, fret, string, fretX(fret), stringY(string)});
}

void Fretboard::addLedPosition(int fret, int string) {
    m_ledFrame.append(QStringLiteral("%1~%2").arg(fret).arg(string));
}

void Fretboard::sendLedFrame() {
    m_led->sendFrame(m_ledFrame);
}

void Fretboard::record(Mark mark) {
    m_marks.push_back(std::move(mark));
}

void Fretboard::setSkin(const QImage& skin) {
    m_skin = skin;
    m_cacheScale = 0;
}

const QImage& Fretboard::skinAt(qreal scale) const {
    if (!m_skinCache.isNull() && qFuzzyCompare(m_cacheScale, scale) &&
        m_cacheLeftHanded == m_leftHanded)
        return m_skinCache;
    QImage cache(int(std::ceil(SurfaceWidth * scale)), int(std::ceil(SurfaceHeight * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    cache.fill(Qt::white);
    QPainter p(&cache);
    // The scale is applied by hand and the pixel ratio set afterwards: a painter treats a ratio
    // below 1 as 1, which would draw a small neck at full size and cut it off.
    p.scale(scale, scale);
    if (m_skin.isNull()) {
        paintBuiltInNeck(p);
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(0, 0, SurfaceWidth, SurfaceHeight), m_skin);
    }
    p.end();
    if (m_leftHanded) {
        // Exactly the picture flipped left to right.
        cache = cache.mirrored(true, false);
    }
    cache.setDevicePixelRatio(scale);
    m_skinCache = std::move(cache);
    m_cacheScale = scale;
    m_cacheLeftHanded = m_leftHanded;
    return m_skinCache;
}

void Fretboard::paint(QPainter& p) const {
    const qreal scale =
        std::max<qreal>(0.05, std::abs(p.worldTransform().m11()) * p.device()->devicePixelRatioF());
    p.save();
    p.drawImage(QRectF(0, 0, SurfaceWidth, SurfaceHeight), skinAt(scale));
    p.setRenderHint(QPainter::Antialiasing);
    for (const Mark& m : m_marks) {
        if (m.kind == MarkKind::Square) {
            p.fillRect(QRectF(m.x, m.y, CellSize, CellSize), toQColor(m.colour));
        } else if (m.kind == MarkKind::Circle) {
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(m.colour));
            p.drawEllipse(QPointF(m.x + CellSize / 2.0, m.y + CellSize / 2.0), CellSize / 2.0,
                          CellSize / 2.0);
        }
        if (!m.label.isEmpty()) {
            const QImage& picture = m_pictures.picture(m.label, scale);
            if (!picture.isNull())
                p.drawImage(QRectF(m.x, m.y, CellSize, CellSize), picture);
        }
    }
    p.restore();
}

QImage Fretboard::image(qreal scale) const {
    QImage image(int(std::ceil(SurfaceWidth * scale)), int(std::ceil(SurfaceHeight * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paint(p);
    p.end();
    return image;
}

} // namespace chordalis
