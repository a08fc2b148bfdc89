#include "HeadlessProgram.h"
#include "app/ColourKey.h"
#include "app/SkinChooser.h"
#include "fretboard/BuiltInNeck.h"
#include "fretboard/Skins.h"
#include "modes/Modes.h"
#include "modes/TreeClicks.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

QByteArray shippedSkin(const char* name) {
    QFile f(skinFolder(QStringLiteral(CHORDALIS_SHIPPED_DATA)) + u'/' + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class AppearanceTest : public ::testing::Test {
protected:
    void addSkin(const QString& name, const QByteArray& bytes) {
        p.writeDataFile(QLatin1String(SkinFolderName) + u'/' + name, bytes);
    }

    test::HeadlessProgram p{test::HeadlessProgram::Fixture{QStringLiteral("small")}};
    test::RecordingMessageBoxes& boxes = p.boxes();
};

TEST_F(AppearanceTest, FirstRunShowsDefaultGifWhenItIsThereAndNothingElseOtherwise) {
    p.restart();
    EXPECT_TRUE(p->context().fretboard.hasBuiltInSkin());
    addSkin(QStringLiteral("default.gif"), shippedSkin("maple.gif"));
    p.restart();
    EXPECT_FALSE(p->context().fretboard.hasBuiltInSkin());
    EXPECT_TRUE(boxes.shown.empty());
}

// Nothing is loaded, the neck keeps its picture, and the name stays for the store.
TEST_F(AppearanceTest, NamesOutsideTheFolderAndBrokenFilesLoadNothing) {
    addSkin(QStringLiteral("default.gif"), shippedSkin("maple.gif"));
    addSkin(QStringLiteral("sub/ebony.gif"), shippedSkin("ebony.gif"));
    addSkin(QStringLiteral("broken.gif"), QByteArray("GIF89a\x01\x00garbage", 15));
    addSkin(QStringLiteral("empty.gif"), {});
    const QByteArray gif = shippedSkin("default.gif");
    addSkin(QStringLiteral("cut.gif"), gif.left(gif.size() * 2 / 3));
    // A GIF header declaring 65535 x 65535 pixels, then a few bytes of nothing.
    addSkin(QStringLiteral("huge.gif"),
            QByteArray("GIF89a\xff\xff\xff\xff\x00\x00\x00", 13) + QByteArray(64, '\0') + ";");
    addSkin(QStringLiteral("noise.gif"), QByteArray(4096, '\x5a'));
    QDir(skinFolder(p.folderPath())).mkdir(QStringLiteral("folder.gif"));
    p.writeDataFile(QStringLiteral("outside.gif"), shippedSkin("ebony.gif"));
    p.restart();
    p->context().fretboard.clearFretboard();
    const QImage before = p->context().fretboard.image();

    const QString absolute = p.filePath(QStringLiteral("outside.gif"));
    for (const QString& name :
         {QStringLiteral("../outside.gif"), absolute, QStringLiteral("sub/ebony.gif"),
          QStringLiteral("..\\outside.gif"), QStringLiteral(".."), QString(),
          QStringLiteral("broken.gif"), QStringLiteral("empty.gif"), QStringLiteral("folder.gif"),
          QStringLiteral("missing.gif"), QStringLiteral("cut.gif"), QStringLiteral("huge.gif"),
          QStringLiteral("noise.gif")}) {
        SCOPED_TRACE(qPrintable(name));
        p->context().state.fretboardFile = name;
        EXPECT_FALSE(applyFretboard(*p));
        EXPECT_EQ(p->context().state.fretboardFile, name);
        p->context().fretboard.clearFretboard();
        EXPECT_TRUE(p->context().fretboard.image() == before);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AppearanceTest, SkinDialogListsTheFolderAndSelectsTheExactName) {
    p.restart();
    SkinChooser chooser;
    EXPECT_FALSE(chooser.open(*p, boxes));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);

    addSkin(QStringLiteral("default.gif"), shippedSkin("default.gif"));
    addSkin(QStringLiteral("maple.gif"), shippedSkin("maple.gif"));
    addSkin(QStringLiteral("notes.txt"), "not a picture");
    QDir(skinFolder(p.folderPath())).mkdir(QStringLiteral("folder.gif"));
    p->context().state.fretboardFile = QStringLiteral("Default.GIF");
    ASSERT_TRUE(chooser.open(*p, boxes));
    EXPECT_EQ(chooser.File1, QStringList({"default.gif", "maple.gif"}));
    EXPECT_EQ(chooser.selected, -1);
    EXPECT_TRUE(chooser.imgPreview.isNull());

    p->context().state.fretboardFile = QStringLiteral("maple.gif");
    ASSERT_TRUE(chooser.open(*p, boxes));
    EXPECT_EQ(chooser.selected, 1);
    EXPECT_EQ(chooser.imgPreview.size(), QSize(SurfaceWidth, SurfaceHeight));
}

TEST_F(AppearanceTest, OkPutsTheDisplayOnTheChosenPictureForBothHands) {
    addSkin(QStringLiteral("ebony.gif"), shippedSkin("ebony.gif"));
    addSkin(QStringLiteral("maple.gif"), shippedSkin("maple.gif"));
    p.restart();
    p.show(Mode::Scales, "C", TreeId::Scales, 0);
    const auto marksBefore = p->context().fretboard.marks().size();
    SkinChooser chooser;
    ASSERT_TRUE(chooser.open(*p, boxes));

    // OK with nothing selected keeps the name: an empty one would lose the skin next time.
    chooser.ok(*p);
    EXPECT_EQ(p->context().state.fretboardFile, QStringLiteral("default.gif"));

    chooser.click(*p, int(chooser.File1.indexOf(QStringLiteral("maple.gif"))));
    chooser.ok(*p);
    EXPECT_EQ(p->context().state.fretboardFile, QStringLiteral("maple.gif"));
    EXPECT_EQ(p->context().fretboard.marks().size(), marksBefore);
    // Maple in the cell of fret 1, in the gap between the marker rows of strings 1 and 2.
    const NeckGeometry neck;
    const int y = 43;
    EXPECT_GT(p->context().fretboard.image().pixelColor(neck.fretX(1, false) + 10, y).lightness(),
              150);

    p->context().state.leftHanded = true;
    redrawCurrentMode(p->context());
    const QImage left = p->context().fretboard.image();
    const QImage skin = loadSkin(p.folderPath(), QStringLiteral("maple.gif"));
    // The nut's bone and the first wire, mirrored.
    const int wire = int(std::round(neck.fretWireX(1)));
    EXPECT_EQ(left.pixelColor(SurfaceWidth - 1 - wire, y), skin.pixelColor(wire, y));
    EXPECT_EQ(p->context().fretboard.marks().size(), marksBefore);
}

// Each fret wire and string where the marker cells expect them.
TEST(ShippedSkins, LoadAtSurfaceSizeWithFretsAndStringsInPlace) {
    const QString shipped = QStringLiteral(CHORDALIS_SHIPPED_DATA);
    const auto files = listSkins(shipped);
    ASSERT_TRUE(files);
    EXPECT_GE(files->size(), 4);
    EXPECT_TRUE(files->contains(QLatin1String(DefaultSkinFile)));
    const NeckGeometry neck;
    const auto distance = [](QColor a, QColor b) {
        return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
    };
    for (const QString& file : *files) {
        SCOPED_TRACE(qPrintable(file));
        const QImage skin = loadSkin(shipped, file);
        ASSERT_EQ(skin.size(), QSize(SurfaceWidth, SurfaceHeight));
        EXPECT_GT(skin.pixelColor(neck.fretX(OpenNameColumn, false) + 10, 100).lightness(), 200);
        EXPECT_GT(skin.pixelColor(neck.fretX(NoteNameColumn, false) + 10, 100).lightness(), 200);

        const int gap = 44; // between strings 1 and 2: no inlay reaches it
        for (int fret = 1; fret <= 15; ++fret) {
            SCOPED_TRACE(fret);
            const int x = int(std::round(neck.fretWireX(fret)));
            int wire = 0;
            for (int dx = -1; dx <= 1; ++dx)
                wire = std::max(wire, skin.pixelColor(x + dx, gap).lightness());
            // Inside the marker cell there is wood only.
            int cell = 0;
            for (int cx = neck.fretX(fret, false) + 2; cx <= neck.fretX(fret, false) + 18; ++cx)
                cell = std::max(cell, skin.pixelColor(cx, gap).lightness());
            EXPECT_GT(wire, cell + 25);
        }
        const int x = neck.fretX(4, false) + 10; // a cell without an inlay
        for (int string = 1; string <= 6; ++string) {
            SCOPED_TRACE(string);
            const int y = neck.stringY(string) + 10;
            EXPECT_GT(distance(skin.pixelColor(x, y), skin.pixelColor(x, y - 6)), 40);
        }
    }
}

TEST_F(AppearanceTest, ColourKeyOkRecoloursAndResetAsks) {
    p.restart();
    p.show(Mode::Scales, "C", TreeId::Scales, 0);
    const AppState defaults;
    ColourKey key(*p);
    key.colourChosen(2, 0x123456);
    key.ok(*p);
    EXPECT_EQ(p->context().state.colourScale, 0x123456);
    for (const Mark& m : p->context().fretboard.marks()) {
        EXPECT_TRUE(m.kind != MarkKind::Square || m.colour == 0x123456 ||
                    m.colour == defaults.colourRoot);
    }
    // Only the menu's opening refreshes the boxes.
    key.colourChosen(0, 0x00FF00);
    key.showme(*p);
    EXPECT_EQ(key.piccol[0], defaults.colourRoot);

    boxes.answer = false;
    EXPECT_FALSE(key.reset(*p, boxes));
    EXPECT_EQ(p->context().state.colourScale, 0x123456);
    boxes.answer = true;
    EXPECT_TRUE(key.reset(*p, boxes));
    EXPECT_EQ(p->context().state.colourScale, defaults.colourScale);
    EXPECT_EQ(key.piccol[2], defaults.colourScale);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(boxes.shown[1].question);
}

} // namespace
} // namespace chordalis
