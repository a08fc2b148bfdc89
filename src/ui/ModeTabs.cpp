#include "ui/ModeTabs.h"

#include "fretboard/Fretboard.h"
#include "modes/Finder.h"
#include "theory/Spelling.h"
#include "ui/ChordBoxGrid.h"
#include "ui/Legend.h"
#include "ui/PositionPicker.h"
#include "ui/Theme.h"
#include "ui/TreeFiller.h"
#include "ui/TreeIcons.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace chordalis {

namespace {

constexpr int PageMargin = 10;
constexpr int ColumnSpacing = 12;

// A mode's page. Only the page shown says how tall it must be at a width: the tab widget asks
// every page at each resize, and laying out the wrapped texts of the hidden ones cost a tenth of
// a resize's frame.
class ModePage : public QWidget {
public:
    bool hasHeightForWidth() const override { return !isHidden() && QWidget::hasHeightForWidth(); }
    int heightForWidth(int width) const override {
        return !isHidden() ? QWidget::heightForWidth(width) : -1;
    }
};

// A control with its caption above it. An empty caption keeps the control level with
// captioned neighbours.
QWidget* captioned(const QString& caption, QWidget* content) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* label = new QLabel(caption.isEmpty() ? QStringLiteral(" ") : caption, box);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setBuddy(content);
    layout->addWidget(label);
    layout->addWidget(content, 1);
    // A control of fixed height keeps its caption on it: the box takes no more height than the
    // two need, else the layout would share the spare height out between them.
    if (content->minimumHeight() == content->maximumHeight())
        box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

QVBoxLayout* detailsColumn() {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    return column;
}

QHBoxLayout* pageLayout(QWidget* page) {
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(PageMargin, PageMargin, PageMargin, PageMargin);
    layout->setSpacing(ColumnSpacing);
    return layout;
}

// The legends the pages show.
enum LegendKind { ChordLegend, ChordScaleLegend, FinderLegend };

// Lines of the longest ";"-separated list among the texts.
template <class Entries, class Field> int longestList(const Entries& entries, int count, Field f) {
    int lines = 1;
    for (int i = 0; i < count; ++i)
        lines = std::max(lines, int(f(entries[size_t(i)]).count(QLatin1Char(';'))) + 1);
    return lines;
}

// Wraps an item's text at blanks over as many lines as the width of its column needs,
// so that a long caption ("Open Position, Root 5th, no 5th (x-3-2-x-0-0)") reads in full in a
// narrow list instead of ending in "...". The rows are laid out again when the width changes.
class WrappingRows : public QStyledItemDelegate {
public:
    explicit WrappingRows(QTreeView* view)
        : QStyledItemDelegate(view), m_view(view), m_viewport(view->viewport()) {
        view->setUniformRowHeights(false);
        view->setWordWrap(true);
        view->setTextElideMode(Qt::ElideNone);
        view->setItemDelegate(this);
        m_viewport->installEventFilter(this);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        int depth = m_view->rootIsDecorated() ? 1 : 0;
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            ++depth;
        // The style wraps only within a valid rectangle: its height is not used.
        item.rect = QRect(
            0, 0, std::max(1, m_view->columnWidth(index.column()) - depth * m_view->indentation()),
            1);
        return m_view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), m_view);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::WrapText;
        // Lines break at blanks only: the frets "x-15-14-12-13-12" stay whole, their hyphens
        // drawn as non-breaking ones.
        option->text.replace(QLatin1Char('-'), QChar(0x2011));
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The viewport as it was when the list was made: asking the list for it here would call
        // into a list being destroyed, whose viewport still sends its last events.
        if (watched != m_viewport) // an editor's events, had the list any
            return QStyledItemDelegate::eventFilter(watched, event);
        if (event->type() == QEvent::Resize) {
            const auto* resize = static_cast<QResizeEvent*>(event);
            if (resize->size().width() != resize->oldSize().width())
                m_view->doItemsLayout();
        }
        return false;
    }

private:
    QTreeView* m_view;
    QWidget* m_viewport;
};

} // namespace

ModeTabs::ModeTabs(const MainPages& pages, const AppState& state, QWidget* parent)
    : QTabWidget(parent), m_pages(pages), m_state(state) {
    setObjectName(QStringLiteral("tabMode"));
    setDocumentMode(true);
    addTab(chordsPage(), QStringLiteral("Chords"));
    addTab(scalesPage(), QStringLiteral("Scales"));
    addTab(arpeggiosPage(), QStringLiteral("Arpeggios"));
    addTab(notesPage(), QStringLiteral("Notes"));
    addTab(triadsPage(), QStringLiteral("Triads "));
    addTab(chordScalePage(), QStringLiteral("Chord/Scale"));
    addTab(finderPage(), QStringLiteral("Chord Finder"));

    const std::pair<TreeId, bool> trees[] = {
        {TreeId::Chords, true},    {TreeId::Voicings, false}, {TreeId::Scales, true},
        {TreeId::Arpeggios, true}, {TreeId::Triads, true},    {TreeId::StringGroup, false},
        {TreeId::CSChords, true},  {TreeId::CSScales, true},
    };
    for (const auto& [id, expandingClicks] : trees)
        connectTree(id, expandingClicks);
    // The mode page left for the progressions page (a change with signals blocked, as a search's,
    // only ever shows a mode page).
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (const auto m = modeOfTab(index))
            m_lastMode = *m;
    });
    showPages();
}

std::optional<Mode> ModeTabs::modeOfTab(int index) {
    if (index < 0 || index >= ModeCount)
        return std::nullopt;
    return Mode(index);
}

void ModeTabs::addProgressionsPage(QWidget* page) {
    const int index = addTab(page, QStringLiteral("Progressions"));
    Q_ASSERT(index == ProgressionsTab);
    (void)index;
}

// --- pages ---------------------------------------------------------------------------------

QWidget* ModeTabs::chordsPage() {
    auto* page = new ModePage;
    const ChordsPage& m = m_pages.chords;
    auto* layout = pageLayout(page);
    // The voicings' captions are the longest texts here ("12th Position, Root 5th
    // (x-15-14-12-13-12)"): their list takes the widest share; the boxes need two columns.
    layout->addWidget(captioned(QString(), makeTree(TreeId::Chords, QStringLiteral("tvwChords"))),
                      2);
    layout->addWidget(captioned(QStringLiteral("Chord Voicings"),
                                makeTree(TreeId::Voicings, QStringLiteral("tvwVoicings"))),
                      4);
    layout->addWidget(
        captioned(QStringLiteral("Chord Boxes"),
                  makeBoxGrid(QStringLiteral("gridChordBoxes"), m.boxes, TreeId::Voicings,
                              [this] { return m_state.selectedVoicing; })),
        3);

    auto* details = detailsColumn();
    details->addWidget(makeLabel(QStringLiteral("lblChordName"), m.lblChordName, true));
    details->addWidget(makeLabel(QStringLiteral("lblChordNameVerbose"), m.lblChordNameVerbose));
    details->addWidget(makeLabel(QStringLiteral("lblChordFormula"), m.lblChordFormula));
    details->addWidget(makeLabel(QStringLiteral("lblChordNotes"), m.lblChordNotes));
    details->addWidget(
        captioned(QStringLiteral("Chord Symbols"),
                  makeTextBox(QStringLiteral("txtChordSymbols"), m.txtChordSymbols)));
    details->addWidget(makeLabel(QStringLiteral("lblVoicingMemo"), m.lblVoicingMemo));
    details->addStretch();
    details->addWidget(makeLegend(QStringLiteral("legendChords"), ChordLegend));
    details->addLayout(
        infoAndPlay(Mode::Chords, QStringLiteral("cmdChordInfo"), QStringLiteral("cmdChordPlay")));
    layout->addLayout(details, 4);
    return page;
}

QWidget* ModeTabs::scalesPage() {
    auto* page = new ModePage;
    const ScalesPage& m = m_pages.scales;
    auto* layout = pageLayout(page);
    layout->addWidget(makeTree(TreeId::Scales, QStringLiteral("tvwScales")), 3);

    auto* details = detailsColumn();
    details->addWidget(makeLabel(QStringLiteral("lblScaleName"), m.lblScaleName, true));
    details->addWidget(makeLabel(QStringLiteral("lblScaleFormula"), m.lblScaleFormula));
    details->addWidget(makeLabel(QStringLiteral("lblScaleNotes"), m.lblScaleNotes));
    details->addWidget(
        captioned(QStringLiteral("Alternative Scale Names"),
                  makeTextBox(QStringLiteral("txtAltScaleNames"), m.txtAltScaleNames)));
    details->addWidget(
        makePositions(Mode::Scales, QStringLiteral("ScalePositions"), m.cboScalePositions));
    details->addStretch();
    details->addLayout(
        infoAndPlay(Mode::Scales, QStringLiteral("cmdScaleInfo"), QStringLiteral("cmdPlayScale")));
    layout->addLayout(details, 4);
    return page;
}

QWidget* ModeTabs::arpeggiosPage() {
    auto* page = new ModePage;
    const ArpeggiosPage& m = m_pages.arpeggios;
    auto* layout = pageLayout(page);
    layout->addWidget(makeTree(TreeId::Arpeggios, QStringLiteral("tvwArps")), 3);

    auto* details = detailsColumn();
    details->addWidget(makeLabel(QStringLiteral("lblArpName"), m.lblArpName, true));
    details->addWidget(makeLabel(QStringLiteral("lblArpFormula"), m.lblArpFormula));
    details->addWidget(makeLabel(QStringLiteral("lblArpNotes"), m.lblArpNotes));
    details->addWidget(
        makePositions(Mode::Arpeggios, QStringLiteral("ArpPositions"), m.cboArpPositions));
    details->addStretch();
    details->addLayout(
        infoAndPlay(Mode::Arpeggios, QStringLiteral("cmdArpInfo"), QStringLiteral("cmdArpPlay")));
    layout->addLayout(details, 4);
    return page;
}

QWidget* ModeTabs::notesPage() {
    // The page has no controls of its own: choosing it shows the root everywhere on the neck.
    auto* page = new ModePage;
    const NotesPage& m = m_pages.notes;
    auto* layout = pageLayout(page);
    auto* details = detailsColumn();
    details->addWidget(makeLabel(QStringLiteral("lblNoteName"), m.lblNoteName, true));
    details->addWidget(makeLabel(QStringLiteral("lblNotePlaces"), m.lblNotePlaces));
    details->addStretch();
    layout->addLayout(details, 3);
    auto* side = detailsColumn();
    side->addWidget(makeHint(QStringLiteral("hintNotes"),
                             QStringLiteral("Every place of the chosen root note is marked on the "
                                            "neck. Pick another root with the tabs above.")));
    side->addStretch();
    layout->addLayout(side, 2);
    return page;
}

QWidget* ModeTabs::triadsPage() {
    auto* page = new ModePage;
    const TriadsPage& m = m_pages.triads;
    auto* layout = pageLayout(page);
    layout->addWidget(captioned(QString(), makeTree(TreeId::Triads, QStringLiteral("tvwTriads"))),
                      3);
    layout->addWidget(captioned(QStringLiteral("String Group"),
                                makeTree(TreeId::StringGroup, QStringLiteral("tvwStringGroup"))),
                      3);
    layout->addWidget(
        captioned(QStringLiteral("Triad Boxes"),
                  makeBoxGrid(QStringLiteral("gridTriadBoxes"), m.boxes, TreeId::StringGroup,
                              [this] { return m_state.triadGroup; })),
        3);

    auto* details = detailsColumn();
    details->addWidget(makeLabel(QStringLiteral("lblTriadName"), m.lblTriadName, true));
    details->addWidget(makeLabel(QStringLiteral("lblTriadFormula"), m.lblTriadFormula));
    details->addWidget(makeLabel(QStringLiteral("lblTriadNotes"), m.lblTriadNotes));
    details->addStretch();
    details->addWidget(makeLegend(QStringLiteral("legendTriads"), ChordLegend));
    details->addLayout(
        infoAndPlay(Mode::Triads, QStringLiteral("cmdTriadInfo"), QStringLiteral("cmdTriadPlay")));
    layout->addLayout(details, 4);
    return page;
}

QWidget* ModeTabs::chordScalePage() {
    auto* page = new ModePage;
    const ChordScalePage& m = m_pages.chordScale;
    auto* layout = pageLayout(page);
    layout->addWidget(captioned(QStringLiteral("Chords"),
                                makeTree(TreeId::CSChords, QStringLiteral("tvwCSChords"))),
                      3);
    layout->addWidget(captioned(QStringLiteral("Related Scales"),
                                makeTree(TreeId::CSScales, QStringLiteral("tvwCSScales"))),
                      3);

    auto* details = detailsColumn();
    details->addWidget(makeLabel(QStringLiteral("lblCSChordName"), m.lblCSChordName, true));
    details->addWidget(makeLabel(QStringLiteral("lblCSChordFormula"), m.lblCSChordFormula));
    details->addWidget(makeLabel(QStringLiteral("lblCSChordNotes"), m.lblCSChordNotes));
    details->addSpacing(8);
    details->addWidget(makeLabel(QStringLiteral("lblCSScaleName"), m.lblCSScaleName, true));
    details->addWidget(makeLabel(QStringLiteral("lblCSScaleFormula"), m.lblCSScaleFormula));
    details->addWidget(makeLabel(QStringLiteral("lblCSScaleNotes"), m.lblCSScaleNotes));
    details->addSpacing(8);

    details->addWidget(
        makePositions(Mode::ChordScale, QStringLiteral("CSPositions"), m.cboCSPositions));
    details->addStretch();

    // What the four colours of the neck mean, with the key that changes them beside it.
    auto* legendRow = new QHBoxLayout;
    legendRow->addWidget(makeLegend(QStringLiteral("legendChordScale"), ChordScaleLegend), 1);
    QPushButton* key = makeButton(QStringLiteral("CmdKey"), QStringLiteral("Key"));
    key->setToolTip(QStringLiteral("Change the marker colours"));
    connect(key, &QPushButton::clicked, this, [this] { Q_EMIT keyRequested(); });
    legendRow->addWidget(key, 0, Qt::AlignBottom);
    details->addLayout(legendRow);
    layout->addLayout(details, 4);
    return page;
}

QWidget* ModeTabs::finderPage() {
    auto* page = new ModePage;
    auto* layout = pageLayout(page);

    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    // A row for every string a neck may have; the rows of strings the neck lacks stay hidden.
    for (int s = MaxStrings; s >= 1; --s) {
        const int row = MaxStrings - s;
        auto* caption = new QLabel(QStringLiteral("Root %1 String:").arg(ordinal(s)), box);
        grid->addWidget(caption, row, 0);
        auto* description = new QLabel(box);
        description->setObjectName(QStringLiteral("lblDescription%1").arg(s));
        description->setTextFormat(Qt::PlainText);
        QFont bold = description->font();
        bold.setBold(true);
        description->setFont(bold);
        grid->addWidget(description, row, 1, Qt::AlignLeft);
        m_descriptions[size_t(s - 1)] = {caption, description};
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(MaxStrings, 1);
    layout->addWidget(captioned(QStringLiteral("Possible Chord Descriptions"), box), 3);

    auto* side = detailsColumn();
    side->addWidget(makeHint(QStringLiteral("hintFinder"),
                             QStringLiteral("Click one fret per string on the neck above; click "
                                            "beside the nut for an open string.")));
    side->addStretch();
    side->addWidget(makeLegend(QStringLiteral("legendFinder"), FinderLegend));
    auto* play = makeButton(QStringLiteral("cmdChordFinderPlay"), QStringLiteral("Play"));
    play->setToolTip(QStringLiteral("Play the selected notes (Space)"));
    connect(play, &QPushButton::clicked, this, [this] { Q_EMIT playRequested(Mode::ChordFinder); });
    side->addLayout(buttonRow({play}));
    layout->addLayout(side, 2);
    return page;
}

// --- building blocks -----------------------------------------------------------------------

QTreeWidget* ModeTabs::makeTree(TreeId id, const QString& name) {
    auto* tree = new QTreeWidget;
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setUniformRowHeights(true);
    tree->setMinimumWidth(150);
    tree->header()->setStretchLastSection(true);
    // The grips' captions and the chords' folder names are the longest texts of the pages: they
    // wrap rather than end in "...".
    if (id == TreeId::Voicings || id == TreeId::StringGroup || id == TreeId::Chords)
        new WrappingRows(tree);
    m_trees[size_t(id)] = tree;
    return tree;
}

ChordBoxGrid* ModeTabs::makeBoxGrid(const QString& name, const std::vector<ChordBox>& boxes,
                                    TreeId tree, std::function<int()> chosen) {
    auto* grid = new ChordBoxGrid(name, boxes, m_state, std::move(chosen));
    connect(grid, &ChordBoxGrid::boxClicked, this,
            [this, tree](int item) { Q_EMIT itemChosen(tree, item); });
    m_boxGrids.push_back(grid);
    return grid;
}

QLabel* ModeTabs::makeLabel(const QString& name, const QString& model, bool heading) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (heading) {
        QFont font = label->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.3);
        label->setFont(font);
    }
    m_labels.emplace_back(label, &model);
    return label;
}

QPlainTextEdit* ModeTabs::makeTextBox(const QString& name, const QString& model) {
    auto* box = new QPlainTextEdit;
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    const int lines = 3;
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 2 * box->frameWidth() + 8);
    m_textBoxes.emplace_back(box, &model);
    return box;
}

PositionPicker* ModeTabs::makePositions(Mode mode, const QString& name, const PositionList& model) {
    auto* picker = new PositionPicker(name, model);
    connect(picker, &PositionPicker::entryChosen, this,
            [this, mode](int index) { Q_EMIT positionChosen(mode, index); });
    connect(picker, &PositionPicker::optionClicked, this,
            [this, mode](int option) { Q_EMIT positionOptionClicked(mode, option); });
    m_positions.emplace_back(mode, picker);
    return picker;
}

QPushButton* ModeTabs::makeButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setMinimumWidth(80);
    button->setAutoDefault(false);
    return button;
}

QLayout* ModeTabs::infoAndPlay(Mode mode, const QString& infoName, const QString& playName) {
    auto* info = makeButton(infoName, QStringLiteral("Info"));
    auto* play = makeButton(playName, QStringLiteral("Play"));
    play->setToolTip(QStringLiteral("Play what the neck shows (Space)"));
    connect(info, &QPushButton::clicked, this, [this, mode] { Q_EMIT infoRequested(mode); });
    connect(play, &QPushButton::clicked, this, [this, mode] { Q_EMIT playRequested(mode); });
    return buttonRow({info, play});
}

ColourLegend* ModeTabs::makeLegend(const QString& name, int kind) {
    using Sample = ColourLegend::Sample;
    std::vector<ColourLegend::Entry> entries;
    Qt::Orientation orientation = Qt::Horizontal;
    switch (kind) {
    case ChordLegend:
        entries = {{Sample::Disc, &m_state.colourRoot, QStringLiteral("Root note")},
                   {Sample::Disc, &m_state.colourChord, QStringLiteral("Chord note")}};
        break;
    case ChordScaleLegend:
        orientation = Qt::Vertical;
        entries = {
            {Sample::Square, &m_state.colourRoot, QStringLiteral("Root note")},
            {Sample::Square, &m_state.colourChord, QStringLiteral("Note is present in chord only")},
            {Sample::Square, &m_state.colourBoth,
             QStringLiteral("Note is present in chord and scale")},
            {Sample::Square, &m_state.colourScale,
             QStringLiteral("Note is present in scale only")}};
        break;
    default:
        orientation = Qt::Vertical;
        entries = {
            {Sample::Text, &RootPositionColour, QStringLiteral("Root position")},
            {Sample::Text, &ThirdOrFifthBassColour, QStringLiteral("3rd or 5th in the bass")},
            {Sample::Text, &OtherBassColour, QStringLiteral("Another note in the bass")}};
        break;
    }
    auto* legend = new ColourLegend(name, std::move(entries), orientation);
    m_legends.push_back(legend);
    return legend;
}

QLabel* ModeTabs::makeHint(const QString& name, const QString& text) {
    auto* hint = new QLabel(text);
    hint->setObjectName(name);
    hint->setWordWrap(true);
    // The page's own text colour in italics: set apart from the labels, and as easy to read.
    QFont italic = hint->font();
    italic.setItalic(true);
    hint->setFont(italic);
    return hint;
}

void ModeTabs::fitTextBoxes() {
    const std::pair counts{m_state.chords.count, m_state.scales.count};
    if (counts == m_fittedLibrary)
        return;
    m_fittedLibrary = counts;
    const int symbols = longestList(m_state.chords.entries, m_state.chords.count,
                                    [](const ChordEntry& c) { return c.chordsymbols; });
    const int altNames = longestList(m_state.scales.entries, m_state.scales.count,
                                     [](const ScaleEntry& s) { return s.altname; });
    for (const auto& [box, text] : m_textBoxes) {
        const int lines =
            box->objectName() == QLatin1String("txtChordSymbols") ? symbols : altNames;
        box->setFixedHeight(box->fontMetrics().lineSpacing() * std::max(lines, 2) +
                            2 * box->frameWidth() + int(2 * box->document()->documentMargin()));
    }
}

QLayout* ModeTabs::buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

void ModeTabs::connectTree(TreeId id, bool expandingClicks) {
    QTreeWidget* t = tree(id);
    // A press on a node other than the current one makes it current, which is reported as the
    // click; the click signal then only counts for the node that was current already. Moves
    // with the keyboard make the node reached current and so click it as well.
    t->viewport()->installEventFilter(this);
    connect(t, &QTreeWidget::currentItemChanged, this, [this, id](QTreeWidgetItem* item) {
        if (item)
            Q_EMIT nodeClicked(id, TreeFiller::keyOf(item));
    });
    connect(t, &QTreeWidget::itemClicked, this, [this, id](QTreeWidgetItem* item) {
        const QString key = TreeFiller::keyOf(item);
        if (key == m_currentAtPress[size_t(id)])
            Q_EMIT nodeClicked(id, key);
    });
    if (!expandingClicks)
        return;
    auto expandedOrCollapsed = [this, id, t](QTreeWidgetItem* item, bool expanded) {
        const QString key = TreeFiller::keyOf(item);
        Q_EMIT nodeExpanded(id, key, expanded);
        {
            const QSignalBlocker blocker(t);
            t->setCurrentItem(item);
        }
        Q_EMIT nodeClicked(id, key);
    };
    connect(t, &QTreeWidget::itemExpanded, this,
            [expandedOrCollapsed](QTreeWidgetItem* item) { expandedOrCollapsed(item, true); });
    connect(t, &QTreeWidget::itemCollapsed, this,
            [expandedOrCollapsed](QTreeWidgetItem* item) { expandedOrCollapsed(item, false); });
}

bool ModeTabs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (size_t i = 0; i < m_trees.size(); ++i) {
            if (m_trees[i]->viewport() == watched)
                m_currentAtPress[i] = TreeFiller::keyOf(m_trees[i]->currentItem());
        }
    }
    return QTabWidget::eventFilter(watched, event);
}

// --- showing the models --------------------------------------------------------------------

PositionPicker* ModeTabs::positions(Mode mode) const {
    for (const auto& [m, picker] : m_positions) {
        if (m == mode)
            return picker;
    }
    return nullptr;
}

void ModeTabs::showPages() {
    // A tree whose model is as it was shown is left alone, but the icons are drawn for the
    // palette: under a new one every tree is brought in line.
    if (const qint64 palette = QApplication::palette().cacheKey(); palette != m_shownPalette) {
        m_shownRevisions.fill(std::nullopt);
        m_shownPalette = palette;
    }
    for (size_t i = 0; i < size_t(TreeCount); ++i) {
        const TreeModel& model = treeModel(m_pages, TreeId(i));
        if (m_shownRevisions[i] == model.revision()) {
            TreeFiller::select(*m_trees[i], model.selectedKey);
            continue;
        }
        TreeFiller::sync(*m_trees[i], model, treeIcon);
        m_shownRevisions[i] = model.revision();
    }
    for (const auto& [label, text] : m_labels) {
        if (label->text() != *text)
            label->setText(*text);
    }
    for (const auto& [box, text] : m_textBoxes) {
        if (box->toPlainText() != *text)
            box->setPlainText(*text);
    }
    for (const auto& [mode, picker] : m_positions)
        picker->showModel();

    const int strings = m_state.instrument.strings();
    for (int s = 1; s <= MaxStrings; ++s) {
        const FinderDescription& d = m_pages.finder.description(s);
        const auto [caption, label] = m_descriptions[size_t(s - 1)];
        caption->setVisible(s <= strings);
        label->setVisible(s <= strings);
        // The short symbol first, the full name after it: "E7#9 — E Dominant 7th Sharp 9th".
        const QString text = d.symbol.isEmpty() || d.text.isEmpty()
                                 ? d.text
                                 : d.symbol + QStringLiteral(" \u2014 ") + d.text;
        if (label->text() != text)
            label->setText(text);
        // In the page's own text colour, on a light tint of the result's colour. A style sheet
        // set again, even the same one, polishes the label anew: only a change is set.
        const QString style =
            finderChipStyle(toQColor(d.colour), QApplication::palette(), d.text.isEmpty());
        if (label->styleSheet() != style)
            label->setStyleSheet(style);
        label->setToolTip(d.notes.isEmpty() ? QString() : QStringLiteral("Notes: ") + d.notes);
    }
    for (ColourLegend* legend : m_legends)
        legend->refresh();
    for (ChordBoxGrid* grid : m_boxGrids)
        grid->refresh();
    fitTextBoxes();
}

} // namespace chordalis
