#pragma once

#include <QLineEdit>

class QCompleter;
class QStandardItemModel;

namespace chordalis {

class Program;

// The main window's search field: chord symbols, scale, chord and triad names, notes. As the
// user types, its completion list shows what the program's search ranks first for the text;
// Enter, or an entry chosen from the list, asks to go there (`searched`). Typing a letter while
// a watched widget (the neck, a tree) has the focus starts a search with it.
class SearchField : public QLineEdit {
    Q_OBJECT

public:
    // Entries in the completion list at most.
    static constexpr int Listed = 12;

    explicit SearchField(const Program& program, QWidget* parent = nullptr);

    // Takes the focus with the text selected, as Ctrl+F does.
    void begin();
    // Keys typed on this widget that make text (no Space, Ctrl or Alt) start a search instead.
    void watch(QWidget* widget);

    QCompleter* completions() const { return m_completer; }

    // Wide enough for a scale name with its root: the menu bar lays its corner out by this.
    QSize sizeHint() const override;

Q_SIGNALS:
    void searched(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refill(const QString& text);
    // Moves the list left where it would run off the screen's right edge.
    void keepListOnScreen();
    // Enter and a chosen entry may both arrive for one key: one request goes out.
    void request();

    const Program& m_program;
    QStandardItemModel* m_model;
    QCompleter* m_completer;
    bool m_requested = false;
};

} // namespace chordalis
