#include "app/SkinChooser.h"

#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "fretboard/Skins.h"
#include "modes/Modes.h"

namespace chordalis {

bool applyFretboard(Program& program) {
    const QImage skin = loadSkin(program.programFolder(), program.state().fretboardFile);
    if (skin.isNull())
        return false;
    program.context().fretboard.setSkin(skin);
    return true;
}

bool SkinChooser::open(Program& program, MessageBoxes& boxes) {
    const auto files = listSkins(program.programFolder());
    if (!files) {
        boxes.inform(BoxIcon::Exclamation, QLatin1String(NoSkinFolderMessage));
        return false;
    }
    File1 = *files;
    selected = -1;
    imgPreview = QImage();
    const int index = File1.indexOf(program.state().fretboardFile); // exact, case counts
    if (index >= 0)
        click(program, index);
    return true;
}

void SkinChooser::click(Program& program, int index) {
    if (index < 0 || index >= File1.size())
        return;
    selected = index;
    imgPreview = loadSkin(program.programFolder(), File1[index]);
}

void SkinChooser::ok(Program& program) {
    if (selected >= 0)
        program.context().state.fretboardFile = File1[selected];
    applyFretboard(program);
    rootChange(program.context(), program.pages().rootTab);
}

} // namespace chordalis
