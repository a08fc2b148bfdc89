#include "fretboard/PictureSet.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <optional>

namespace chordalis {

namespace {

const QStringList Endings = {QString(), QStringLiteral("#"), QStringLiteral("b"),
                             QStringLiteral("bb"), QStringLiteral("x")};

bool isNoteName(QStringView name) {
    if (name.isEmpty() || name[0] < u'A' || name[0] > u'G')
        return false;
    return Endings.contains(name.mid(1).toString());
}

const QStringList DegreePrefixes = {QString(), QStringLiteral("b"), QStringLiteral("bb"),
                                    QStringLiteral("#"), QStringLiteral("x")};

bool isInterval(QStringView key) {
    qsizetype digits = 0;
    while (digits < key.size() && key[key.size() - 1 - digits].isDigit())
        ++digits;
    if (digits == 0 || digits > 2 || key[key.size() - digits] == u'0')
        return false;
    const int degree = key.right(digits).toInt();
    return degree >= 1 && degree <= 14 && DegreePrefixes.contains(key.chopped(digits).toString());
}

// What a picture shows and how.
struct Glyph {
    QString text;
    QColor fill;
    QColor halo;
    qreal height; // of the text's ink, in units
};

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor DarkHalo(0, 0, 0, 110);
const QColor LightHalo(255, 255, 255, 170);
const QColor LightInk(236, 236, 232);

// Accidentals are shown with the music signs a guitarist reads on a chart.
QString displayName(QStringView name) {
    QString text(name[0]);
    const QStringView ending = name.mid(1);
    if (ending == u"#")
        text += QChar(0x266F);
    else if (ending == u"b")
        text += QChar(0x266D);
    else if (ending == u"bb")
        text += QString(2, QChar(0x266D));
    else if (ending == u"x")
        text += QLatin1Char('x');
    return text;
}

std::optional<Glyph> glyphFor(const QString& key) {
    if (key.size() == 7 && key.startsWith(QLatin1String("finger")) && key[6] >= u'1' &&
        key[6] <= u'4')
        return Glyph{QString(key[6]), White, DarkHalo, 12.5};
    if (key == QLatin1String("finger0"))
        return Glyph{QStringLiteral("0"), Black, LightHalo, 12.5};
    if (key == QLatin1String("finger0red"))
        return Glyph{QStringLiteral("0"), QColor(214, 0, 0), LightHalo, 12.5};
    if (key == QLatin1String("fingerX"))
        return Glyph{QStringLiteral("x"), Black, LightHalo, 10.0};
    if (isNoteName(key))
        return Glyph{displayName(key), White, DarkHalo, 11.5};
    if (isInterval(key)) {
        QString text = key;
        text.replace(QLatin1Char('b'), QChar(0x266D)).replace(QLatin1Char('#'), QChar(0x266F));
        return Glyph{text, White, DarkHalo, 11.0};
    }
    if (key.endsWith(u'2') && isNoteName(QStringView(key).chopped(1)))
        return Glyph{displayName(QStringView(key).chopped(1)), Black, LightHalo, 11.5};
    return std::nullopt;
}

// The sharp and flat signs drawn as shapes of their own, as heavy as the bold letters beside them:
// the fonts' signs are hairline-thin beside a bold letter, and vanish in a small marker. `h` is
// the letters' cap height; the sign stands on the baseline (y 0) from x 0 and returns its
// advance.
qreal addSharp(QPainterPath& path, qreal x, qreal h) {
    const qreal w = 0.62 * h, stem = 0.12 * h, bar = 0.17 * h, rise = 0.12 * h;
    // The strokes are united, not merely added: where a bar crosses a stem the even-odd rule of
    // an added path would leave a hole, and the sign would read as a chequer.
    QPainterPath sign;
    sign.addRect(QRectF(x + 0.2 * w, -1.0 * h, stem, 1.1 * h));
    QPainterPath stroke;
    stroke.addRect(QRectF(x + 0.8 * w - stem, -1.06 * h, stem, 1.1 * h));
    sign = sign.united(stroke);
    for (const qreal y : {-0.68 * h, -0.3 * h}) {
        QPainterPath slant;
        slant.addPolygon(QPolygonF({{x, y + rise / 2 + bar / 2},
                                    {x + w, y - rise / 2 + bar / 2},
                                    {x + w, y - rise / 2 - bar / 2},
                                    {x, y + rise / 2 - bar / 2}}));
        slant.closeSubpath();
        sign = sign.united(slant);
    }
    path.addPath(sign.simplified());
    return w + 0.06 * h;
}

qreal addFlat(QPainterPath& path, qreal x, qreal h) {
    const qreal stem = 0.14 * h, w = 0.56 * h;
    QPainterPath sign;
    sign.addRect(QRectF(x, -1.08 * h, stem, 1.08 * h));
    QPainterPath bowl;
    bowl.moveTo(x + stem / 2, -0.46 * h);
    bowl.cubicTo(x + 0.3 * h, -0.7 * h, x + w + 0.06 * h, -0.58 * h, x + w, -0.38 * h);
    bowl.cubicTo(x + w - 0.04 * h, -0.18 * h, x + 0.3 * h, -0.06 * h, x + stem / 2, 0.0);
    bowl.closeSubpath();
    QPainterPath hollow;
    hollow.moveTo(x + stem, -0.3 * h);
    hollow.cubicTo(x + 0.28 * h, -0.47 * h, x + w - 0.12 * h, -0.45 * h, x + w - 0.15 * h,
                   -0.33 * h);
    hollow.cubicTo(x + w - 0.17 * h, -0.22 * h, x + 0.28 * h, -0.13 * h, x + stem, -0.15 * h);
    hollow.closeSubpath();
    path.addPath(sign.united(bowl.subtracted(hollow)).simplified());
    return w + 0.06 * h;
}

// The text as one path on the baseline: letters and digits in the bold font, sharps and flats
// as the shapes above.
QPainterPath textPath(const QString& text) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    font.setStyleStrategy(QFont::PreferAntialias);
    const QFontMetricsF metrics(font);
    const qreal cap = metrics.capHeight();
    QPainterPath path;
    qreal x = 0.0;
    for (const QChar c : text) {
        if (c == QChar(0x266F)) {
            x += addSharp(path, x, cap);
        } else if (c == QChar(0x266D)) {
            x += addFlat(path, x, cap);
        } else {
            path.addText(x, 0, font, QString(c));
            x += metrics.horizontalAdvance(c);
        }
    }
    return path;
}

QImage render(const Glyph& glyph, qreal scale) {
    const int pixels = int(std::ceil(PictureSet::Size * scale));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainterPath path = textPath(glyph.text);

    // Fit the ink into the cell: the glyph's height, at most 19 units wide, centred.
    const QRectF ink = path.boundingRect();
    constexpr qreal MaxWidth = 19.0;
    const qreal k = std::min(glyph.height / ink.height(), MaxWidth / ink.width());
    QTransform fit;
    fit.translate(PictureSet::Size / 2.0, PictureSet::Size / 2.0);
    fit.scale(k, k);
    fit.translate(-ink.center().x(), -ink.center().y());
    path = fit.map(path);

    // Scaled by hand, the pixel ratio set afterwards: a painter takes a ratio below 1 as 1, and
    // the picture of a small neck would be drawn too large and cut off.
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(glyph.halo, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(glyph.fill);
    p.drawPath(path);
    p.end();
    image.setDevicePixelRatio(scale);
    return image;
}

} // namespace

bool PictureSet::contains(const QString& key) {
    return glyphFor(key).has_value();
}

QStringList PictureSet::keys() {
    QStringList keys;
    for (int d = 0; d <= 4; ++d)
        keys << QStringLiteral("finger%1").arg(d);
    keys << QStringLiteral("finger0red") << QStringLiteral("fingerX");
    for (QChar letter : QStringLiteral("ABCDEFG")) {
        for (const QString& ending : Endings)
            keys << QString(letter) + ending << QString(letter) + ending + QLatin1Char('2');
    }
    return keys;
}

QStringList PictureSet::intervalKeys() {
    QStringList keys;
    for (const QString& prefix : DegreePrefixes) {
        for (int degree = 1; degree <= 14; ++degree)
            keys << prefix + QString::number(degree);
    }
    return keys;
}

const QImage& PictureSet::picture(const QString& key, qreal scale, bool onDark) const {
    static const QImage None;
    const QString cacheKey = key + QLatin1Char('@') + QString::number(scale, 'g', 4) +
                             (onDark ? QStringLiteral("d") : QString());
    auto it = m_cache.find(cacheKey);
    if (it != m_cache.end())
        return *it;
    auto glyph = glyphFor(key);
    if (!glyph)
        return None;
    if (onDark && glyph->halo == LightHalo) {
        // Black turns light grey (12:1 against the dark strip) and the red of an open root a
        // lighter red (5:1).
        glyph->fill = glyph->fill == Black ? LightInk : QColor(255, 120, 110);
        glyph->halo = DarkHalo;
    }
    // A few scales' worth: the window's scale changes with every step of a resize.
    if (m_cache.size() >= MaxPictures)
        m_cache.clear();
    return *m_cache.insert(cacheKey, render(*glyph, scale));
}

} // namespace chordalis
