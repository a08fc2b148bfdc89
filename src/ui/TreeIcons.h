#pragma once

#include <QIcon>
#include <QString>

namespace chordalis {

// The pictures of tree nodes, by the key the page models give: "voicingO" (an open chord),
// "voicing" and "voicingB" (the two kinds of movable shapes). A null icon for any other key.
QIcon treeIcon(const QString& key);

} // namespace chordalis
