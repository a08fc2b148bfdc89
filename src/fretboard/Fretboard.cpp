#include "fretboard/Fretboard.h"

#include "app/Pages.h"
#include "fretboard/BuiltInNeck.h"
#include "ledguitar/LedSender.h"
#include "theory/Neck.h"

#include <QPainter>
#include <cmath>

namespace chordalis {

QColor toQColor(PackedColour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Fretboard::Fretboard(AppState& state, MainPages& pages, LedSender& led)
    : m_state(state), m_pages(pages), m_led(&led), m_leftHanded(state.leftHanded) {}

void Fretboard::clearFretboard() {
    m_marks.clear();
    m_leftHanded = m_state.leftHanded;
    for (int s = 1; s <= 6; ++s) {
        const QString name = noteName(openPitchClass(m_state.tuning, s), m_state.tuningSpelling);
        drawSign(name, OpenNameColumn, s);
    }
    m_pages.lblNonStandardVisible = !isStandardTuning(m_state.tuning) &&
                                    (m_pages.mode == Mode::Chords || m_pages.mode == Mode::Triads);
    m_state.ledPositions.clear();
    sendLedFrame();
}

void Fretboard::drawMarker(const QString& shape, PackedColour colour, const QString& label,
                           int fret, int string) {
    if (fret > m_state.maxFret)
        return;
    addLedPosition(fret, string);
    if (fret > m_state.maxScreenFret)
        return;
    QString kind = shape.toLower();
    if (kind != QLatin1String("circle") && kind != QLatin1String("square"))
        kind = QStringLiteral("none");
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
    record({QStringLiteral("sign"), 0, key, fret, string, fretX(fret), stringY(string)});
}

void Fretboard::addLedPosition(int fret, int string) {
    m_state.ledPositions.append(QStringLiteral("%1~%2").arg(fret).arg(string));
}

void Fretboard::sendLedFrame() {
    m_led->sendFrame(m_state.ledPositions);
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
    cache.setDevicePixelRatio(scale);
    cache.fill(Qt::white);
    QPainter p(&cache);
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
        cache.setDevicePixelRatio(scale);
    }
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
        if (m.kind == QLatin1String("square")) {
            p.fillRect(QRectF(m.x, m.y, CellSize, CellSize), toQColor(m.colour));
        } else if (m.kind == QLatin1String("circle")) {
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
