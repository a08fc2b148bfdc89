#pragma once

#include "fretboard/ChordBox.h"
#include "modes/AppState.h"

#include <QScrollArea>
#include <functional>
#include <vector>

namespace chordalis {

// The chord boxes of a page (its grips in list order) in a grid that fills its width and
// scrolls, the chosen one framed in the highlight colour. A click on a box reports its number;
// the page decides what it chooses. Colours come from the palette, the root's from the user's
// root colour, so the boxes read in light and dark themes alike.
class ChordBoxGrid : public QScrollArea {
    Q_OBJECT

public:
    // `boxes` is the page model's list; `chosen` says which box number is chosen now.
    ChordBoxGrid(const QString& name, const std::vector<ChordBox>& boxes, const AppState& state,
                 std::function<int()> chosen, QWidget* parent = nullptr);

    // Takes what the page model holds now.
    void refresh();
    // The box number under a point of the grid's inner widget, or -1.
    int boxAt(QPoint point) const;

Q_SIGNALS:
    void boxClicked(int number);

private:
    class Canvas;
    Canvas* m_canvas;
};

} // namespace chordalis
