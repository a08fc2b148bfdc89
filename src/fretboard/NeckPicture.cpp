#include "fretboard/NeckPicture.h"

#include <algorithm>

namespace chordalis {

QString markKindName(MarkKind kind) {
    switch (kind) {
    case MarkKind::Circle:
        return QStringLiteral("circle");
    case MarkKind::Square:
        return QStringLiteral("square");
    case MarkKind::Sign:
        return QStringLiteral("sign");
    }
    return {};
}

QString colourRoleName(ColourRole role) {
    switch (role) {
    case ColourRole::Root:
        return QStringLiteral("root");
    case ColourRole::Chord:
        return QStringLiteral("chord");
    case ColourRole::Scale:
        return QStringLiteral("scale");
    case ColourRole::Both:
        return QStringLiteral("both");
    }
    return {};
}

int signColumn(SignKind kind) {
    switch (kind) {
    case SignKind::OpenName:
        return OpenNameColumn;
    case SignKind::Mute:
    case SignKind::Open:
    case SignKind::OpenRoot:
        return IndicatorColumn;
    case SignKind::NoteName:
        return NoteNameColumn;
    }
    return NoteNameColumn;
}

std::vector<Mark> NeckPicture::markers() const {
    std::vector<Mark> out;
    std::copy_if(marks.begin(), marks.end(), std::back_inserter(out),
                 [](const Mark& m) { return m.isMarker(); });
    return out;
}

std::vector<Mark> NeckPicture::signs() const {
    std::vector<Mark> out;
    std::copy_if(marks.begin(), marks.end(), std::back_inserter(out),
                 [](const Mark& m) { return !m.isMarker(); });
    return out;
}

const Mark* NeckPicture::sign(SignKind kind, int string) const {
    for (const Mark& m : marks) {
        if (!m.isMarker() && m.sign == kind && m.string == string)
            return &m;
    }
    return nullptr;
}

} // namespace chordalis
