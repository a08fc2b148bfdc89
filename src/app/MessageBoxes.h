#pragma once

#include <QString>
#include <vector>

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

class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        BoxIcon icon;
        QString text;
        bool question;
    };

    void inform(BoxIcon icon, const QString& text) override {
        shown.push_back({icon, text, false});
    }
    bool ask(BoxIcon icon, const QString& text) override {
        shown.push_back({icon, text, true});
        return answer;
    }

    std::vector<Shown> shown;
    bool answer = true; // what ask() answers
};

} // namespace chordalis
