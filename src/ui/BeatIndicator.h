#pragma once

#include <QWidget>

namespace chordalis {

// The metronome in the main window's status bar: its tempo and a dot per beat of the bar, the
// beat just clicked lit (the first beat of a bar in the accent colour). A click on it asks for
// the metronome window.
class BeatIndicator : public QWidget {
    Q_OBJECT

public:
    explicit BeatIndicator(QWidget* parent = nullptr);

    // The beat 1..beats last clicked (0 before the first), the beats per bar and the tempo.
    void setBeat(int beat, int beats, int tempo);
    int beat() const { return m_beat; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Bars longer than this show the beat's number instead of a dot per beat.
    static constexpr int MaxDots = 12;

    QString caption() const;
    int m_beat = 0;
    int m_beats = 4;
    int m_tempo = 120;
};

} // namespace chordalis
