#pragma once

#include "modes/Pages.h"
#include "modes/TreeClicks.h"

#include <QTabWidget>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace chordalis {

class ChordBoxGrid;
class ColourLegend;
class PositionPicker;

// tabMode: the seven mode pages with their trees, labels, text boxes, position lists and
// buttons, each named after its control. The pages show the page models and report what the
// user does; they never change the shared state themselves.
class ModeTabs : public QTabWidget {
    Q_OBJECT

public:
    ModeTabs(const MainPages& pages, const AppState& state, QWidget* parent = nullptr);

    // Copies the page models into the controls.
    void showPages();

    // The tab after the seven mode pages: the progressions page, which is no mode of its own.
    static constexpr int ProgressionsTab = ModeCount;
    // The mode page a tab shows (tab i shows the mode numbered i), nothing for another tab.
    static std::optional<Mode> modeOfTab(int index);
    static int tabOf(Mode mode) { return int(mode); }
    bool onProgressions() const { return currentIndex() == ProgressionsTab; }
    // The mode page shown; while the progressions page is up, the mode page shown last.
    Mode mode() const { return modeOfTab(currentIndex()).value_or(m_lastMode); }
    // Adds the progressions page as the tab after the mode pages.
    void addProgressionsPage(QWidget* page);

    QTreeWidget* tree(TreeId id) const { return m_trees[size_t(id)]; }
    PositionPicker* positions(Mode mode) const;

Q_SIGNALS:
    // A node was clicked, or expanded or collapsed in a tree where that acts as a click (the
    // node has then been made the current one).
    void nodeClicked(chordalis::TreeId tree, const QString& key);
    // A node was expanded or collapsed by the user (before the click it then acts as).
    void nodeExpanded(chordalis::TreeId tree, const QString& key, bool expanded);
    // An entry of the page's position list was chosen, or an option of its pair clicked.
    void positionChosen(chordalis::Mode mode, int index);
    void positionOptionClicked(chordalis::Mode mode, int option);
    // A chord box was clicked: choose the item of the tree it stands for, as a click there would.
    void itemChosen(chordalis::TreeId tree, int item);
    void infoRequested(chordalis::Mode mode);
    void playRequested(chordalis::Mode mode);
    void keyRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* chordsPage();
    QWidget* scalesPage();
    QWidget* arpeggiosPage();
    QWidget* notesPage();
    QWidget* triadsPage();
    QWidget* chordScalePage();
    QWidget* finderPage();

    QTreeWidget* makeTree(TreeId id, const QString& name);
    QLabel* makeLabel(const QString& name, const QString& model, bool heading = false);
    QPlainTextEdit* makeTextBox(const QString& name, const QString& model);
    PositionPicker* makePositions(Mode mode, const QString& name, const PositionList& model);
    QPushButton* makeButton(const QString& name, const QString& caption);
    QLayout* buttonRow(std::initializer_list<QPushButton*> buttons);
    // The Info and Play buttons of a page, reporting their clicks for its mode.
    QLayout* infoAndPlay(Mode mode, const QString& infoName, const QString& playName);
    // A legend of the page's marker colours, refreshed with the pages.
    ColourLegend* makeLegend(const QString& name, int kind);
    // A hint in the page's own text colour, readable at a glance.
    QLabel* makeHint(const QString& name, const QString& text);
    // Makes each text box tall enough for the longest list the library gives it.
    void fitTextBoxes();
    void connectTree(TreeId id, bool expandingClicks);
    // The page's chord boxes, a click choosing the item of the tree.
    ChordBoxGrid* makeBoxGrid(const QString& name, const std::vector<ChordBox>& boxes, TreeId tree,
                              std::function<int()> chosen);

    const MainPages& m_pages;
    const AppState& m_state;
    std::array<QTreeWidget*, TreeCount> m_trees{};
    // The revision of the model each tree shows, and the palette its icons were drawn for.
    std::array<std::optional<quint64>, TreeCount> m_shownRevisions{};
    qint64 m_shownPalette = 0;
    std::array<QString, TreeCount> m_currentAtPress; // key of each tree's current node at a press
    std::vector<std::pair<QLabel*, const QString*>> m_labels;
    std::vector<std::pair<QPlainTextEdit*, const QString*>> m_textBoxes;
    // Per string, string 1 first: the caption "Root 6th String:" and lblDescription6.
    std::array<std::pair<QLabel*, QLabel*>, MaxStrings> m_descriptions{};
    std::vector<std::pair<Mode, PositionPicker*>> m_positions;
    std::vector<ColourLegend*> m_legends;
    std::vector<ChordBoxGrid*> m_boxGrids;
    Mode m_lastMode = Mode::Chords;
    std::pair<int, int> m_fittedLibrary{-1, -1}; // chord and scale counts the boxes were fitted to
};

} // namespace chordalis
