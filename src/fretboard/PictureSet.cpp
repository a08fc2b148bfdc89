#include "fretboard/PictureSet.h"

#include <QFont>
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

QImage render(const Glyph& glyph, qreal scale) {
    const int pixels = int(std::ceil(PictureSet::Size * scale));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    font.setStyleStrategy(QFont::PreferAntialias);
    QPainterPath path;
    path.addText(0, 0, font, glyph.text);

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

const QImage& PictureSet::picture(const QString& key, qreal scale) const {
    static const QImage None;
    const QString cacheKey = key + QLatin1Char('@') + QString::number(scale, 'g', 4);
    auto it = m_cache.find(cacheKey);
    if (it != m_cache.end())
        return *it;
    const auto glyph = glyphFor(key);
    if (!glyph)
        return None;
    return *m_cache.insert(cacheKey, render(*glyph, scale));
}

} // namespace chordalis
