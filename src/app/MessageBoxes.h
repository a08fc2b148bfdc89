#pragma once

#include <QString>

namespace chordalis {

enum class BoxIcon { Exclamation, Stop, Question };

// The message boxes of the program, all captioned "Chordalis". The program shows Qt boxes; tests
// record what would have been shown and give scripted answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box with an OK button.
    virtual void inform(BoxIcon icon, const QString& text) = 0;
    // A box with Yes and No buttons; true for Yes.
    virtual bool ask(BoxIcon icon, const QString& text) = 0;
};

} // namespace chordalis
