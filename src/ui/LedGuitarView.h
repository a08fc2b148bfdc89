#pragma once

#include "ledguitar/LedPattern.h"

#include <QWidget>

class QLabel;

namespace chordalis {

class LedGuitar;

// The guitar's 24 x 6 LEDs as one pattern lights them: a column per fret 0..23, a row per bit
// (0x20 at the top, which string 1 lights on a right-handed guitar), the blocks of eight frets
// marked.
class LedPatternWidget : public QWidget {
    Q_OBJECT

public:
    explicit LedPatternWidget(QWidget* parent = nullptr);
    void setPattern(const LedPattern& pattern);
    const LedPattern& pattern() const { return m_pattern; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LedPattern m_pattern;
};

// Options > "LED Guitar View": the pattern of the last LED frame the displays handed to the
// guitar output, packed as the guitar receives it (mirrored for a left-handed neck), with the
// three reports' bytes and whether a guitar shows it. Follows every frame while open.
class LedGuitarView : public QWidget {
    Q_OBJECT

public:
    explicit LedGuitarView(LedGuitar& guitar, QWidget* parent = nullptr);

    LedPatternWidget& patternWidget() const { return *m_pattern; }
    QString statusText() const;
    QString reportsText() const;

private:
    void refresh();

    LedGuitar& m_guitar;
    LedPatternWidget* m_pattern;
    QLabel* m_status;
    QLabel* m_reports;
};

} // namespace chordalis
