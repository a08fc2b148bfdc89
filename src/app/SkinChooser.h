#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace chordalis {

class MessageBoxes;
class Program;

inline constexpr const char* NoSkinFolderMessage =
    "I cannot find the 'Fretboards' folder within the 'Chordalis' directory.";

// Loads the skin named by fretboardFile into the neck. When it cannot be loaded (missing,
// unreadable, or a name that is not a plain file name in the skin folder) nothing is reported
// and the neck keeps the picture it has: at start-up the built-in neck. The name is kept as it
// is, so the store gets back what it held. Returns whether a picture was loaded.
bool applyFretboard(Program& program);

// What the skin dialog frmFBDesign holds and does, without its widgets: the file list File1,
// its selection and the picture imgPreview.
class SkinChooser {
public:
    // Opening through the menu: lists the skin folder's "*.gif" files and selects the one named
    // exactly (case counts) as fretboardFile, with its preview; when none is, nothing is
    // selected and no preview shows. When the folder cannot be opened the exclamation message is
    // shown, nothing changes and the result is false: the dialog must not open.
    bool open(Program& program, MessageBoxes& boxes);

    // A file of the list was clicked: it is selected and previewed (an empty preview when the
    // file cannot be read). Other indexes change nothing.
    void click(Program& program, int index);

    // OK: the selected file becomes fretboardFile, is loaded into the neck and the current mode
    // is redrawn for the root. With nothing selected the name stays as it was: an empty name
    // would load nothing now and lose the user's skin at the next start.
    void ok(Program& program);

    QString selectedFile() const { return selected >= 0 ? File1.value(selected) : QString(); }

    QStringList File1;
    int selected = -1;
    QImage imgPreview;
};

} // namespace chordalis
