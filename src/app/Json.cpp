#include "app/Json.h"

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

} // namespace chordalis
