// Paints the neck pictures shipped in data/fretboards, each as a 753 x 183 PNG named after the
// GIF it becomes; make-skins.sh turns them into GIF files. The pictures come from the same
// painter as the built-in neck, so frets and strings lie where the geometry tables put them.

#include "fretboard/BuiltInNeck.h"
#include "fretboard/Geometry.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using chordalis::NeckLook;

NeckLook maple() {
    NeckLook look;
    look.wood = {QColor(0xc4, 0x9c, 0x5e), QColor(0xdc, 0xbc, 0x84), QColor(0xe8, 0xcc, 0x98),
                 QColor(0xda, 0xb8, 0x80), QColor(0xbe, 0x96, 0x5a)};
    look.darkGrain = QColor(0x9a, 0x6e, 0x36, 22);
    look.darkGrainSpread = 40;
    look.lightGrain = QColor(0xfa, 0xec, 0xcc, 30);
    look.streaks = 110;
    look.seed = 2718;
    look.inlay = {QColor(0x3a, 0x36, 0x32), QColor(0x20, 0x1d, 0x1a), QColor(0x0c, 0x0a, 0x08)};
    look.binding = Qt::transparent;
    // Nickel strings: bronze ones would vanish in the pale wood.
    look.plainString = QColor(0xc8, 0xc8, 0xc6);
    look.woundString = QColor(0x86, 0x86, 0x82);
    return look;
}

NeckLook ebony() {
    NeckLook look;
    look.wood = {QColor(0x0a, 0x09, 0x08), QColor(0x17, 0x14, 0x12), QColor(0x1f, 0x1b, 0x18),
                 QColor(0x15, 0x12, 0x10), QColor(0x09, 0x08, 0x07)};
    look.darkGrain = QColor(0x00, 0x00, 0x00, 50);
    look.lightGrain = QColor(0x4a, 0x42, 0x3c, 14);
    look.lightGrainSpread = 20;
    look.seed = 1618;
    look.inlays = NeckLook::Inlays::Blocks;
    // Pearl blocks, dimmed so that markers on them stay the brightest things on the neck.
    look.inlay = {QColor(0xb4, 0xb0, 0xa6), QColor(0x9a, 0x96, 0x8c), QColor(0x7c, 0x78, 0x70)};
    look.binding = QColor(0xf2, 0xee, 0xe2);
    return look;
}

NeckLook roastedMaple() {
    NeckLook look = maple();
    look.wood = {QColor(0x80, 0x4c, 0x1c), QColor(0x9e, 0x64, 0x2a), QColor(0xac, 0x70, 0x32),
                 QColor(0x9a, 0x5f, 0x28), QColor(0x7a, 0x46, 0x18)};
    look.darkGrain = QColor(0x5a, 0x30, 0x0e, 30);
    look.lightGrain = QColor(0xd0, 0x98, 0x5a, 26);
    look.seed = 1732;
    return look;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("Usage: chordalis-skins OUTDIR\n"
                   "Paints the shipped neck pictures as 753 x 183 PNG files into OUTDIR.\n",
                   stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "chordalis-skins: cannot create %s\n", argv[1]);
        return 1;
    }
    const std::vector<std::pair<const char*, NeckLook>> skins = {
        {"default", chordalis::rosewoodLook()},
        {"maple", maple()},
        {"ebony", ebony()},
        {"roasted-maple", roastedMaple()},
    };
    for (const auto& [name, look] : skins) {
        QImage image(chordalis::SurfaceWidth, chordalis::SurfaceHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        chordalis::paintNeck(painter, look);
        painter.end();
        const QString path = out.filePath(QLatin1String(name) + QLatin1String(".png"));
        if (!image.save(path, "png")) {
            std::fprintf(stderr, "chordalis-skins: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
