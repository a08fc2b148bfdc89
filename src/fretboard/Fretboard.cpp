#include "fretboard/Fretboard.h"

#include "fretboard/BuiltInNeck.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace chordalis {

QColor toQColor(PackedColour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

namespace {

// The geometry of a neck, its short strings included.
NeckGeometry geometryOf(const Instrument& neck) {
    NeckGeometry g(neck.strings(), neck.frets);
    for (int s = 1; s <= neck.strings(); ++s)
        g.setFirstFret(s, neck.firstFret(s));
    return g;
}

} // namespace

Fretboard::Fretboard(NeckSettings settings, LedSender& led) : m_settings(settings), m_led(&led) {
    m_picture.geometry = geometryOf(settings.instrument);
    m_picture.leftHanded = settings.leftHanded;
}

void Fretboard::clearFretboard() {
    const Instrument& neck = m_settings.instrument;
    m_picture = NeckPicture{};
    m_picture.geometry = geometryOf(neck);
    m_picture.leftHanded = m_settings.leftHanded;
    if (m_settings.capo.fits(neck.strings()) && m_settings.capo.fret < neck.frets)
        m_picture.capo = m_settings.capo;
    m_sounding.clear();
    for (int s = 1; s <= neck.strings(); ++s)
        drawSign(
            SignKind::OpenName, s,
            noteName(pitchClassAt(neck.tuning, s, neck.firstFret(s)), m_settings.tuningSpelling));
    resetLeds();
}

PackedColour Fretboard::colourOf(ColourRole role) const {
    switch (role) {
    case ColourRole::Root:
        return m_settings.colours.root;
    case ColourRole::Chord:
        return m_settings.colours.chord;
    case ColourRole::Scale:
        return m_settings.colours.scale;
    case ColourRole::Both:
        return m_settings.colours.both;
    }
    return 0;
}

void Fretboard::drawMarker(MarkKind kind, ColourRole role, const QString& label, int fret,
                           int string, const MarkInfo& info) {
    const Instrument& neck = m_settings.instrument;
    if (fret > neck.frets || !neck.tuning.hasString(string))
        return;
    addLedPosition(fret, string);
    Mark mark;
    mark.kind = kind == MarkKind::Sign ? MarkKind::Circle : kind;
    mark.role = role;
    mark.colour = colourOf(role);
    mark.label = label;
    mark.fret = fret;
    mark.string = string;
    mark.x = fretX(fret);
    mark.y = stringY(string);
    mark.pitch = pitchAt(neck.tuning, string, fret);
    mark.note = info.note;
    mark.interval = info.interval;
    mark.finger = info.finger;
    m_picture.marks.push_back(std::move(mark));
}

void Fretboard::drawSign(SignKind kind, int string, const QString& name) {
    if (!m_settings.instrument.tuning.hasString(string))
        return;
    Mark mark;
    mark.kind = MarkKind::Sign;
    mark.sign = kind;
    switch (kind) {
    case SignKind::Mute:
        mark.label = QStringLiteral("fingerX");
        break;
    case SignKind::Open:
        mark.label = QStringLiteral("finger0");
        break;
    case SignKind::OpenRoot:
        mark.label = QStringLiteral("finger0red");
        break;
    case SignKind::OpenName:
    case SignKind::NoteName:
        mark.label = name + QLatin1Char('2'); // the black picture of the name
        mark.note = name;
        break;
    }
    mark.fret = signColumn(kind);
    // A string the capo holds is open at the capo, a short string at its first fret: its open
    // sign stands in that fret's cell, where the LED guitar lights it, not by the nut.
    const bool open = kind == SignKind::Open || kind == SignKind::OpenRoot;
    if (const int at = openFret(m_settings.instrument, m_picture.capo, string); open && at > 0)
        mark.fret = at;
    mark.string = string;
    mark.x = fretX(mark.fret);
    mark.y = stringY(string);
    m_picture.marks.push_back(std::move(mark));
}

void Fretboard::addLedPosition(int fret, int string) {
    m_picture.led.push_back({fret, string});
}

void Fretboard::sendLedFrame() {
    m_led->sendFrame(m_picture.led);
}

void Fretboard::resetLeds() {
    clearLedFrame();
    sendLedFrame();
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
    const std::vector<Mark>& marks = m_picture.marks;
    std::vector<bool> sounding(marks.size(), false);
    auto isMarker = [](const Mark& m) {
        return m.isMarker() && m.pitch >= 0;
    };
    for (const auto& [string, pitch] : m_sounding) {
        bool found = false;
        for (size_t i = 0; i < marks.size(); ++i) {
            const Mark& m = marks[i];
            if (isMarker(m) && m.pitch == pitch && (string == 0 || m.string == string)) {
                sounding[i] = true;
                found = true;
            }
        }
        // A run in another octave than the one shown still points at its notes.
        if (found || string != 0)
            continue;
        for (size_t i = 0; i < marks.size(); ++i) {
            if (isMarker(marks[i]) && marks[i].pitch % 12 == pitch % 12)
                sounding[i] = true;
        }
    }
    return sounding;
}

const Mark* Fretboard::markerAt(const QPointF& pos) const {
    for (auto it = m_picture.marks.rbegin(); it != m_picture.marks.rend(); ++it) {
        if (!it->isMarker())
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

namespace {

// Paints the margins of a skin picture (the strip around the board where the open-string
// names and signs stand) in the dark window's colours, leaving the board and the nut as they
// were.
void darkenMargins(QPainter& p, const NeckGeometry& g) {
    const std::array<QColor, 2> colours = darkPaper();
    QLinearGradient ground(0, 0, 0, g.height());
    ground.setColorAt(0.0, colours[0]);
    ground.setColorAt(1.0, colours[1]);
    QPainterPath strip;
    strip.addRect(QRectF(0, 0, g.width(), g.height()));
    QPainterPath neck;
    neck.addRect(QRectF(g.nutLeft(), g.boardTop(), g.boardEnd() - g.nutLeft(),
                        g.boardBottom() - g.boardTop()));
    neck.addRect(QRectF(g.nutLeft(), g.boardTop() - 2.0, g.nutRight() - g.nutLeft(),
                        g.boardBottom() - g.boardTop() + 4.0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawPath(strip.subtracted(neck.simplified()));
    p.restore();
}

} // namespace

bool Fretboard::skinDrawnFor(bool dark) const {
    const NeckGeometry& g = geometry();
    return !m_skinCache.isNull() && m_cacheScale > 0 && m_cacheDark == dark &&
           m_cacheLeftHanded == isLeftHanded() && m_cacheGeometry.strings() == g.strings() &&
           m_cacheGeometry.frets() == g.frets();
}

bool Fretboard::skinFits(qreal scale, qreal stretch, bool dark) const {
    return skinDrawnFor(dark) && qFuzzyCompare(m_cacheScale, scale) &&
           qFuzzyCompare(m_cacheStretch, stretch);
}

const QImage& Fretboard::skinAt(qreal scale, qreal stretch, bool dark) const {
    const NeckGeometry& g = geometry();
    if (skinFits(scale, stretch, dark))
        return m_skinCache;
    // Rendered at the size it is shown, stretch included, so that a paint only copies it.
    QImage cache(int(std::ceil(g.width() * scale * stretch)), int(std::ceil(g.height() * scale)),
                 QImage::Format_RGB32);
    cache.fill(Qt::white);
    QPainter p(&cache);
    // The scale is applied by hand and the pixel ratio set afterwards: a painter treats a ratio
    // below 1 as 1, which would draw a small neck at full size and cut it off.
    p.scale(scale * stretch, scale);
    if (hasBuiltInSkin()) {
        paintBuiltInNeck(p, g, dark);
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(0, 0, g.width(), g.height()), m_skin);
        if (dark)
            darkenMargins(p, g);
    }
    p.end();
    if (isLeftHanded()) {
        // Exactly the picture flipped left to right.
        cache = cache.mirrored(true, false);
    }
    cache.setDevicePixelRatio(scale);
    m_skinCache = std::move(cache);
    m_cacheScale = scale;
    m_cacheStretch = stretch;
    m_cacheDark = dark;
    m_cacheLeftHanded = isLeftHanded();
    m_cacheGeometry = g;
    return m_skinCache;
}

namespace {

// The x range of a fret window on the neck, right-handed: from the wire below its lowest fret
// (the left edge, open names included, for a window from fret 0) to the wire closing its highest.
std::pair<double, double> windowSpan(const NeckGeometry& g, FretWindow window) {
    const double left = window.low <= 0 ? 0.0 : g.fretWireX(window.low - 1);
    return {left, g.fretWireX(window.high)};
}

void paintPositionWindow(QPainter& p, const NeckGeometry& g, FretWindow window, bool leftHanded) {
    auto [left, right] = windowSpan(g, window);
    if (leftHanded)
        std::tie(left, right) = std::pair(g.width() - right, g.width() - left);
    const double top = g.stringRow(1) - 7.0;
    const double bottom = g.stringRow(g.strings()) + CellSize + 7.0;
    const QRectF band(left, top, right - left, bottom - top);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 200, 70));
    p.drawRect(band);
    p.setPen(QPen(QColor(255, 226, 140, 230), 2.0));
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.drawLine(band.topRight(), band.bottomRight());
}

// A capo as a dark rubber-covered bar just behind its fret wire, across the strings it holds.
void paintCapo(QPainter& p, const NeckGeometry& g, const Capo& capo, bool leftHanded) {
    if (capo.fret <= 0 || capo.fret > g.frets())
        return;
    const int high = capo.isPartial() ? capo.highString : 1;
    const int low = capo.isPartial() ? capo.lowString : g.strings();
    const double wire = g.fretWireX(capo.fret);
    const double width = 7.0;
    double left = wire - width - 1.0;
    if (leftHanded)
        left = g.width() - wire + 1.0;
    const double top = g.stringCentreY(high) - CellSize / 2.0;
    const double bottom = g.stringCentreY(low) + CellSize / 2.0;
    p.setPen(QPen(QColor(20, 20, 20, 230), 1.0));
    p.setBrush(QColor(45, 45, 50, 220));
    p.drawRoundedRect(QRectF(left, top, width, bottom - top), 3.0, 3.0);
}

// A ring just inside or around a marker's edge; grow > 0 lies outside it.
void paintRing(QPainter& p, const Mark& m, const QRectF& cell, double grow, const QPen& pen) {
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (m.kind == MarkKind::Circle) {
        p.drawEllipse(cell.center(), CellSize / 2.0 + grow, CellSize / 2.0 + grow);
    } else {
        p.drawRoundedRect(cell.adjusted(-grow, -grow, grow, grow), 2.0, 2.0);
    }
}

// The mark a string's verdict is drawn around: the grip's marker on the string, else its mute or
// open sign. Null when the string shows neither.
const Mark* checkedMark(const std::vector<Mark>& marks, int string) {
    const Mark* sign = nullptr;
    for (const Mark& m : marks) {
        if (m.string != string)
            continue;
        if (m.isMarker())
            return &m;
        if (m.sign == SignKind::Mute || m.sign == SignKind::Open || m.sign == SignKind::OpenRoot)
            sign = &m;
    }
    return sign;
}

void paintChecks(QPainter& p, const NeckPicture& picture, const NeckExtras& extras, qreal stretch) {
    for (const CheckedString& c : picture.checked) {
        const Mark* m = checkedMark(picture.marks, c.string);
        if (!m)
            continue;
        const QRectF cell((m->x + CellSize / 2.0) * stretch - CellSize / 2.0, m->y, CellSize,
                          CellSize);
        const QColor colour = c.check == CheckMark::Right     ? extras.checkRight
                              : c.check == CheckMark::Missing ? extras.checkMissing
                                                              : extras.checkWrong;
        QPen pen(colour, 3.0);
        if (c.check == CheckMark::Missing)
            pen.setStyle(Qt::DashLine);
        // A circle for every verdict: the rings of a playback are drawn around the marker's own
        // shape, so the two never look alike.
        const auto ring = [&](const QPen& with) {
            p.setPen(with);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(cell.center(), CellSize / 2.0 + 5.0, CellSize / 2.0 + 5.0);
            if (c.check == CheckMark::Wrong)
                p.drawLine(cell.topRight() + QPointF(3, -3), cell.bottomLeft() + QPointF(-3, 3));
        };
        QPen outline(QColor(20, 20, 20), 5.0);
        ring(outline);
        ring(pen);
    }
}

} // namespace

namespace {

qreal deviceScale(const QPainter& p) {
    return std::max<qreal>(0.05,
                           std::abs(p.worldTransform().m22()) * p.device()->devicePixelRatioF());
}

} // namespace

void Fretboard::paint(QPainter& p, const NeckExtras& extras, qreal stretch) const {
    paintWith(p, extras, stretch, false);
}

bool Fretboard::paintResized(QPainter& p, const NeckExtras& extras, qreal stretch) const {
    const bool resized =
        !skinFits(deviceScale(p), stretch, extras.darkWindow) && skinDrawnFor(extras.darkWindow);
    paintWith(p, extras, stretch, resized);
    return !resized;
}

void Fretboard::paintWith(QPainter& p, const NeckExtras& extras, qreal stretch,
                          bool resized) const {
    const qreal scale = deviceScale(p);
    p.save();
    const NeckGeometry& g = geometry();
    const std::vector<Mark>& marks = m_picture.marks;
    // The wood, the shading and the capo are stretched along the neck; every marker and sign
    // keeps its shape, moved to where its cell now lies. Right after a resize the rendering kept
    // is scaled into place without filtering: it shows only until the resizing pauses, and a
    // filtered scale of the whole neck is split across threads while the window waits for them.
    const QRectF along(0, 0, g.width() * stretch, g.height());
    if (resized) {
        p.drawImage(along, m_skinCache);
    } else {
        p.drawImage(along, skinAt(scale, stretch, extras.darkWindow));
    }
    p.save();
    p.scale(stretch, 1.0);
    p.setRenderHint(QPainter::Antialiasing);
    if (extras.shadePosition && m_picture.positionWindow)
        paintPositionWindow(p, g, *m_picture.positionWindow, isLeftHanded());
    paintCapo(p, g, m_picture.capo, isLeftHanded());
    p.restore();
    p.setRenderHint(QPainter::Antialiasing);
    const std::vector<bool> sounding =
        extras.highlightSounding ? soundingMarks() : std::vector<bool>(marks.size(), false);
    for (size_t i = 0; i < marks.size(); ++i) {
        const Mark& m = marks[i];
        const QRectF cell((m.x + CellSize / 2.0) * stretch - CellSize / 2.0, m.y, CellSize,
                          CellSize);
        if (m.kind == MarkKind::Square) {
            p.fillRect(cell, toQColor(m.colour));
        } else if (m.kind == MarkKind::Circle) {
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(m.colour));
            p.drawEllipse(cell.center(), CellSize / 2.0, CellSize / 2.0);
        }
        const bool marker = m.isMarker();
        if (marker && extras.outlineRoots && m.interval == QLatin1String("1"))
            paintRing(p, m, cell, -1.5, QPen(Qt::white, 2.0));
        if (marker && sounding[i]) {
            paintRing(p, m, cell, 3.0, QPen(QColor(40, 30, 0), 4.5));
            paintRing(p, m, cell, 3.0, QPen(QColor(255, 214, 0), 3.0));
        }
        const QString label = m.kind == MarkKind::Sign ? m.label : shownLabel(m, extras.labels);
        if (!label.isEmpty()) {
            // Right after a resize the labels come scaled from the pictures of the rendering kept,
            // as the wood does: drawing them anew at every step of a drag would take most of the
            // frame.
            const QImage& picture =
                m_pictures.picture(label, resized ? m_cacheScale : scale,
                                   extras.darkWindow && m.kind == MarkKind::Sign);
            if (!picture.isNull())
                p.drawImage(cell, picture);
        }
    }
    paintChecks(p, m_picture, extras, stretch);
    p.restore();
}

void Fretboard::paintFretNumbers(QPainter& p, FretNumbers which, const QColor& ink,
                                 qreal stretch) const {
    if (which == FretNumbers::None)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setPen(ink);
    for (int fret = 1; fret <= geometry().frets(); ++fret) {
        const bool inlaid = NeckGeometry::isInlaid(fret);
        if (which == FretNumbers::Inlays && !inlaid)
            continue;
        font.setBold(inlaid);
        p.setFont(font);
        const qreal centre = (fretX(fret) + CellSize / 2.0) * stretch;
        const QRectF cell(centre - CellSize / 2.0 - 6, 0, CellSize + 12, FretNumberStripHeight);
        p.drawText(cell, Qt::AlignCenter, QString::number(fret));
    }
    p.restore();
}

QImage Fretboard::image(qreal scale, const NeckExtras& extras) const {
    QImage image(int(std::ceil(geometry().width() * scale)),
                 int(std::ceil(geometry().height() * scale)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paint(p, extras);
    p.end();
    return image;
}

} // namespace chordalis
