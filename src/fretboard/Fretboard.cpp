#include "fretboard/Fretboard.h"

#include "fretboard/BuiltInNeck.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <tuple>

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
    m_window.reset();
    m_sounding.clear();
    m_leftHanded = m_settings.leftHanded;
    for (int s = 1; s <= 6; ++s) {
        const QString name =
            noteName(openPitchClass(m_settings.tuning, s), m_settings.tuningSpelling);
        drawSign(name, OpenNameColumn, s);
    }
    resetLeds();
}

void Fretboard::drawMarker(const QString& shape, PackedColour colour, const QString& label,
                           int fret, int string, const MarkInfo& info) {
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
    const int pitch = string >= 1 && string <= 6 ? m_settings.tuning[size_t(string)] + fret : -1;
    record({kind, colour, label, fret, string, fretX(fret), stringY(string), pitch, info.note,
            info.interval});
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
    record({MarkKind::Sign, 0, key, fret, string, fretX(fret), stringY(string), -1, {}, {}});
}

void Fretboard::addLedPosition(int fret, int string) {
    m_ledFrame.push_back({fret, string});
}

void Fretboard::sendLedFrame() {
    m_led->sendFrame(m_ledFrame);
}

void Fretboard::resetLeds() {
    clearLedFrame();
    sendLedFrame();
}

void Fretboard::record(Mark mark) {
    m_marks.push_back(std::move(mark));
}

void Fretboard::setSounding(int string, int pitch, bool on) {
    const std::pair<int, int> note{string, pitch};
    const auto it = std::find(m_sounding.begin(), m_sounding.end(), note);
    if (on && it == m_sounding.end())
        m_sounding.push_back(note);
    else if (!on && it != m_sounding.end())
        m_sounding.erase(it);
}

std::vector<bool> Fretboard::soundingMarks() const {
    std::vector<bool> sounding(m_marks.size(), false);
    auto isMarker = [](const Mark& m) {
        return m.kind != MarkKind::Sign && m.pitch >= 0;
    };
    for (const auto& [string, pitch] : m_sounding) {
        bool found = false;
        for (size_t i = 0; i < m_marks.size(); ++i) {
            const Mark& m = m_marks[i];
            if (isMarker(m) && m.pitch == pitch && (string == 0 || m.string == string)) {
                sounding[i] = true;
                found = true;
            }
        }
        // A run in another octave than the one shown still points at its notes.
        if (found || string != 0)
            continue;
        for (size_t i = 0; i < m_marks.size(); ++i) {
            if (isMarker(m_marks[i]) && m_marks[i].pitch % 12 == pitch % 12)
                sounding[i] = true;
        }
    }
    return sounding;
}

const Mark* Fretboard::markerAt(const QPointF& pos) const {
    for (auto it = m_marks.rbegin(); it != m_marks.rend(); ++it) {
        if (it->kind == MarkKind::Sign)
            continue;
        if (QRectF(it->x, it->y, CellSize, CellSize).contains(pos))
            return &*it;
    }
    return nullptr;
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

namespace {

// The x range of a fret window on the neck, right-handed: from the wire below its lowest fret
// (the left edge, open names included, for a window from fret 0) to the wire closing its highest.
std::pair<double, double> windowSpan(FretWindow window) {
    const double left = window.low <= 0 ? 0.0 : fretWireX(window.low - 1);
    return {left, fretWireX(window.high)};
}

void paintPositionWindow(QPainter& p, FretWindow window, bool leftHanded) {
    auto [left, right] = windowSpan(window);
    if (leftHanded)
        std::tie(left, right) = std::pair(SurfaceWidth - right, SurfaceWidth - left);
    const double top = stringRow(1) - 7.0;
    const double bottom = stringRow(6) + CellSize + 7.0;
    const QRectF band(left, top, right - left, bottom - top);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 200, 70));
    p.drawRect(band);
    p.setPen(QPen(QColor(255, 226, 140, 230), 2.0));
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.drawLine(band.topRight(), band.bottomRight());
}

// A ring just inside or around a marker's edge; grow > 0 lies outside it.
void paintRing(QPainter& p, const Mark& m, double grow, const QPen& pen) {
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF cell(m.x, m.y, CellSize, CellSize);
    if (m.kind == MarkKind::Circle) {
        p.drawEllipse(cell.center(), CellSize / 2.0 + grow, CellSize / 2.0 + grow);
    } else {
        p.drawRoundedRect(cell.adjusted(-grow, -grow, grow, grow), 2.0, 2.0);
    }
}

} // namespace

void Fretboard::paint(QPainter& p, const NeckExtras& extras) const {
    const qreal scale =
        std::max<qreal>(0.05, std::abs(p.worldTransform().m11()) * p.device()->devicePixelRatioF());
    p.save();
    p.drawImage(QRectF(0, 0, SurfaceWidth, SurfaceHeight), skinAt(scale));
    p.setRenderHint(QPainter::Antialiasing);
    if (extras.shadePosition && m_window)
        paintPositionWindow(p, *m_window, m_leftHanded);
    const std::vector<bool> sounding =
        extras.highlightSounding ? soundingMarks() : std::vector<bool>(m_marks.size(), false);
    for (size_t i = 0; i < m_marks.size(); ++i) {
        const Mark& m = m_marks[i];
        if (m.kind == MarkKind::Square) {
            p.fillRect(QRectF(m.x, m.y, CellSize, CellSize), toQColor(m.colour));
        } else if (m.kind == MarkKind::Circle) {
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(m.colour));
            p.drawEllipse(QPointF(m.x + CellSize / 2.0, m.y + CellSize / 2.0), CellSize / 2.0,
                          CellSize / 2.0);
        }
        const bool marker = m.kind == MarkKind::Circle || m.kind == MarkKind::Square;
        if (marker && extras.outlineRoots && m.interval == QLatin1String("1"))
            paintRing(p, m, -1.5, QPen(Qt::white, 2.0));
        if (marker && sounding[i]) {
            paintRing(p, m, 3.0, QPen(QColor(40, 30, 0), 4.5));
            paintRing(p, m, 3.0, QPen(QColor(255, 214, 0), 3.0));
        }
        const QString label = m.kind == MarkKind::Sign ? m.label : shownLabel(m, extras.labels);
        if (!label.isEmpty()) {
            const QImage& picture = m_pictures.picture(label, scale);
            if (!picture.isNull())
                p.drawImage(QRectF(m.x, m.y, CellSize, CellSize), picture);
        }
    }
    p.restore();
}

void Fretboard::paintFretNumbers(QPainter& p, FretNumbers which, const QColor& ink) const {
    if (which == FretNumbers::None)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setPen(ink);
    for (int fret = 1; fret <= std::min(m_settings.maxScreenFret, 15); ++fret) {
        const bool inlaid =
            fret == 3 || fret == 5 || fret == 7 || fret == 9 || fret == 12 || fret == 15;
        if (which == FretNumbers::Inlays && !inlaid)
            continue;
        font.setBold(inlaid);
        p.setFont(font);
        const QRectF cell(fretX(fret) - 6, 0, CellSize + 12, FretNumberStripHeight);
        p.drawText(cell, Qt::AlignCenter, QString::number(fret));
    }
    p.restore();
}

QImage Fretboard::image(qreal scale, const NeckExtras& extras) const {
    QImage image(int(std::ceil(SurfaceWidth * scale)), int(std::ceil(SurfaceHeight * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paint(p, extras);
    p.end();
    return image;
}

} // namespace chordalis
