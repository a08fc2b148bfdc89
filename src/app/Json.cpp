#include "app/Json.h"

#include "app/Settings.h"
#include "fretboard/Fretboard.h"

namespace chordalis {

QJsonArray toJson(const NoteList& notes) {
    QJsonArray out;
    for (const NoteEntry& note : notes) {
        if (note.isUsed())
            out.append(QJsonObject{
                {"token", note.token}, {"name", note.name}, {"pitchClass", note.pitchClass}});
    }
    return out;
}

QJsonArray toJson(const TreeModel& tree) {
    QJsonArray out;
    for (const TreeNode& node : tree.nodes()) {
        QJsonObject o{{"key", node.key}, {"text", node.text}, {"parent", node.parentKey}};
        if (!node.icon.isEmpty())
            o.insert("icon", node.icon);
        if (node.key == tree.selectedKey)
            o.insert("selected", true);
        out.append(o);
    }
    return out;
}

namespace {

QJsonArray groupsToJson(const std::vector<QString>& groups) {
    QJsonArray out;
    for (const QString& g : groups)
        out.append(g);
    return out;
}

} // namespace

QJsonObject librariesToJson(const AppState& state) {
    QJsonArray chords;
    for (int i = 0; i < state.chords.count; ++i) {
        const ChordEntry& c = state.chords.entries[size_t(i)];
        chords.append(QJsonObject{{"number", i},
                                  {"name", c.name},
                                  {"nameverbose", c.nameverbose},
                                  {"chordsymbols", c.chordsymbols},
                                  {"formula", c.formula},
                                  {"group", c.group},
                                  {"relatedscaleid", c.relatedscaleid}});
    }
    QJsonArray scales;
    for (int i = 0; i < state.scales.count; ++i) {
        const ScaleEntry& s = state.scales.entries[size_t(i)];
        scales.append(QJsonObject{{"number", i},
                                  {"name", s.name},
                                  {"altname", s.altname},
                                  {"formula", s.formula},
                                  {"group", s.group}});
    }
    QJsonArray triads;
    for (size_t i = 0; i < state.triads.entries.size(); ++i) {
        const TriadEntry& t = state.triads.entries[i];
        triads.append(QJsonObject{{"number", int(i)}, {"name", t.name}, {"formula", t.formula}});
    }
    return QJsonObject{{"chords", chords},
                       {"chordGroups", groupsToJson(state.chords.groups)},
                       {"scales", scales},
                       {"scaleGroups", groupsToJson(state.scales.groups)},
                       {"triads", triads}};
}

namespace {

QJsonObject positionsToJson(const PositionList& list) {
    return QJsonObject{{"entries", QJsonArray::fromStringList(list.entries)},
                       {"index", list.index},
                       {"text", list.entries.value(list.index)},
                       {"option", list.option}};
}

} // namespace

QJsonObject pageToJson(const MainPages& pages, Mode mode) {
    switch (mode) {
    case Mode::Chords: {
        const ChordsPage& p = pages.chords;
        return QJsonObject{
            {"lblChordName", p.lblChordName},       {"lblChordNameVerbose", p.lblChordNameVerbose},
            {"lblChordFormula", p.lblChordFormula}, {"lblChordNotes", p.lblChordNotes},
            {"txtChordSymbols", p.txtChordSymbols}, {"lblVoicingMemo", p.lblVoicingMemo},
            {"tvwChords", toJson(p.tvwChords)},     {"tvwVoicings", toJson(p.tvwVoicings)}};
    }
    case Mode::Scales: {
        const ScalesPage& p = pages.scales;
        return QJsonObject{{"lblScaleName", p.lblScaleName},
                           {"lblScaleFormula", p.lblScaleFormula},
                           {"lblScaleNotes", p.lblScaleNotes},
                           {"txtAltScaleNames", p.txtAltScaleNames},
                           {"cboScalePositions", positionsToJson(p.cboScalePositions)},
                           {"tvwScales", toJson(p.tvwScales)}};
    }
    case Mode::Arpeggios: {
        const ArpeggiosPage& p = pages.arpeggios;
        return QJsonObject{{"lblArpName", p.lblArpName},
                           {"lblArpFormula", p.lblArpFormula},
                           {"lblArpNotes", p.lblArpNotes},
                           {"cboArpPositions", positionsToJson(p.cboArpPositions)},
                           {"tvwArps", toJson(p.tvwArps)}};
    }
    case Mode::Triads: {
        const TriadsPage& p = pages.triads;
        return QJsonObject{{"lblTriadName", p.lblTriadName},
                           {"lblTriadFormula", p.lblTriadFormula},
                           {"lblTriadNotes", p.lblTriadNotes},
                           {"tvwTriads", toJson(p.tvwTriads)},
                           {"tvwStringGroup", toJson(p.tvwStringGroup)}};
    }
    case Mode::ChordScale: {
        const ChordScalePage& p = pages.chordScale;
        return QJsonObject{{"lblCSChordName", p.lblCSChordName},
                           {"lblCSChordFormula", p.lblCSChordFormula},
                           {"lblCSChordNotes", p.lblCSChordNotes},
                           {"lblCSScaleName", p.lblCSScaleName},
                           {"lblCSScaleFormula", p.lblCSScaleFormula},
                           {"lblCSScaleNotes", p.lblCSScaleNotes},
                           {"cboCSPositions", positionsToJson(p.cboCSPositions)},
                           {"tvwCSScales", toJson(p.tvwCSScales)}};
    }
    case Mode::ChordFinder: {
        QJsonArray descriptions; // from the lowest string to string 1, as the page lists them
        for (int string = int(pages.finder.lblDescription.size()); string >= 1; --string) {
            const FinderDescription& d = pages.finder.description(string);
            descriptions.append(QJsonObject{{"string", string},
                                            {"text", d.text},
                                            {"colour", toQColor(d.colour).name()},
                                            {"notes", d.notes},
                                            {"symbol", d.symbol}});
        }
        return QJsonObject{{"lblDescription", descriptions}};
    }
    case Mode::Notes:
        return QJsonObject{{"lblNoteName", pages.notes.lblNoteName},
                           {"lblNotePlaces", pages.notes.lblNotePlaces}};
    default:
        return {};
    }
}

namespace {

QString signKindName(SignKind kind) {
    switch (kind) {
    case SignKind::OpenName:
        return QStringLiteral("openName");
    case SignKind::Mute:
        return QStringLiteral("mute");
    case SignKind::Open:
        return QStringLiteral("open");
    case SignKind::OpenRoot:
        return QStringLiteral("openRoot");
    case SignKind::NoteName:
        return QStringLiteral("noteName");
    }
    return {};
}

} // namespace

QJsonObject neckToJson(const NeckPicture& picture, const MainPages& pages, MarkerLabels labels) {
    QJsonArray marks;
    QJsonArray signs;
    for (const Mark& m : picture.marks) {
        QJsonObject o{
            {"label", m.label}, {"fret", m.fret}, {"string", m.string}, {"x", m.x}, {"y", m.y}};
        if (!m.isMarker()) {
            o.insert("sign", signKindName(m.sign));
            if (!m.note.isEmpty())
                o.insert("note", m.note);
            signs.append(o);
            continue;
        }
        o.insert("kind", markKindName(m.kind));
        o.insert("colour", toQColor(m.colour).name());
        o.insert("role", colourRoleName(m.role));
        o.insert("shown", shownLabel(m, labels));
        if (m.pitch >= 0)
            o.insert("pitch", m.pitch);
        if (!m.note.isEmpty())
            o.insert("note", m.note);
        if (!m.interval.isEmpty())
            o.insert("interval", m.interval);
        if (m.finger > 0)
            o.insert("finger", m.finger);
        marks.append(o);
    }
    QJsonArray ledFrame;
    for (const NeckPlace& place : picture.led)
        ledFrame.append(ledPlaceText(place));
    const NeckGeometry& g = picture.geometry;
    QJsonObject neck{{"marks", marks},
                     {"signs", signs},
                     {"ledFrame", ledFrame},
                     {"leftHanded", picture.leftHanded},
                     {"lblNonStandard", pages.lblNonStandardVisible},
                     {"labels", labelsName(labels).toLower()},
                     {"strings", g.strings()},
                     {"frets", g.frets()},
                     {"width", g.width()},
                     {"height", g.height()}};
    if (const auto& window = picture.positionWindow)
        neck.insert("positionWindow", QJsonObject{{"low", window->low}, {"high", window->high}});
    if (picture.capo.fret > 0)
        neck.insert("capo", QJsonObject{{"fret", picture.capo.fret},
                                        {"highString", picture.capo.highString},
                                        {"lowString", picture.capo.lowString}});
    return neck;
}

} // namespace chordalis
