#pragma once

#include "fretboard/Fretboard.h"
#include "practice/Progress.h"

#include <QWidget>
#include <vector>

namespace chordalis {

// The colour of a place answered with that accuracy (0..1): red for none right through amber to
// green for all right, opaque enough to read over the neck picture.
QColor heatColour(double accuracy);

// picHeatMap: the bare neck (the program's instrument, capo and hand) with each place the neck
// quizzes asked about filled in the colour of its accuracy; places never asked stay bare. It has
// a neck of its own, so that the practice neck and the guitar's lights are left as they are.
class HeatMapView : public QWidget {
    Q_OBJECT

public:
    HeatMapView(NeckSettings settings, QWidget* parent = nullptr);
    void setScores(std::vector<PlaceScore> scores);
    const std::vector<PlaceScore>& scores() const { return m_scores; }
    // The cell of a place in widget pixels, as last laid out.
    QRectF cellRect(NeckPlace place) const;

    QSize sizeHint() const override { return {560, 150}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scale() const;
    QPointF origin() const;

    SilentLedSender m_led;
    Fretboard m_board;
    std::vector<PlaceScore> m_scores;
};

} // namespace chordalis
