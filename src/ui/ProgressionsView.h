#pragma once

#include "app/ProgressionSession.h"
#include "modes/AppState.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace chordalis {

class MessageBoxes;

// The progression as a row of chord boxes, bar lines between the bars, each box under its
// symbol and numeral; the chord the neck shows framed. A click on a box reports its chord.
class ProgressionRow : public QWidget {
    Q_OBJECT

public:
    ProgressionRow(const ProgressionsPage& page, const AppState& state, QWidget* parent = nullptr);
    // The chord under a point, or -1.
    int chordAt(QPoint point) const;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

Q_SIGNALS:
    void chordClicked(int chord);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Cell {
        QRectF box;
        bool barLine = false; // a bar begins here
        bool rowEnd = false;
    };
    std::vector<Cell> layout(int width) const;
    double cellHeight() const;

    const ProgressionsPage& m_page;
    const AppState& m_state;
};

// tabProgressions: the key of the root tab and its chords, the progression chooser and field,
// the row of chord boxes, the voicer's style and region, and the loop's Play with its pattern,
// bass, drums and count-in. It shows the session's page and calls the session; nothing else.
class ProgressionsView : public QWidget {
    Q_OBJECT

public:
    ProgressionsView(ProgressionSession& session, const AppState& state, MessageBoxes& boxes,
                     QWidget* parent = nullptr);
    // Copies the page into the controls.
    void showPage();
    // cmdProgressionExport's entries: the file chosen (chooseFile) written in the format, a
    // refusal or a failure said in a box.
    void exportAs(ChartFormat format);
    // The file to write, asked in a save dialog starting in the folder last written to; empty
    // when cancelled. Tests put their own answer here.
    std::function<QString(ChartFormat)> chooseFile;

Q_SIGNALS:
    // The session drew on the neck: the window repaints it.
    void neckChanged();

private:
    void keyChordsChanged();
    void done(); // after a command: the page shown, the neck repainted

    ProgressionSession& m_session;
    const AppState& m_state;
    QLabel* m_key;
    QComboBox* m_mode;
    QCheckBox* m_sevenths;
    QCheckBox* m_secondary;
    QCheckBox* m_borrowed;
    QGridLayout* m_keyButtons;
    QPushButton* m_keyPlay;
    int m_keyChosen = -1;
    QString m_keyButtonsKey;
    QComboBox* m_progressions;
    QLineEdit* m_text;
    QLabel* m_error;
    ProgressionRow* m_row;
    QScrollArea* m_rowArea;
    QComboBox* m_style;
    QComboBox* m_region;
    QComboBox* m_pattern;
    QComboBox* m_bass;
    QCheckBox* m_drums;
    QCheckBox* m_countIn;
    QPushButton* m_play;
    QLabel* m_voicing;
    QLabel* m_tempo;
    QPushButton* m_export; // its menu opens on a click, its arrow beside the caption
    MessageBoxes& m_boxes;
    QString m_folder; // where the last export went
};

} // namespace chordalis
