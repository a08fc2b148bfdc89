#include "ui/ProgressionsView.h"

#include "app/MessageBoxes.h"
#include "fretboard/ChordBoxPainter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <cmath>

namespace chordalis {

namespace {

constexpr int CellWidth = 124;  // pixels; the box's height follows its shape
constexpr int LabelHeight = 38; // the symbol and the numeral over a box
constexpr int BarGap = 10;      // room for a bar line before a bar's first box
constexpr int Margin = 4;

// The voicer's styles in the order the list shows them.
constexpr VoicingStyle Styles[] = {VoicingStyle::Any,   VoicingStyle::OpenAndBarre,
                                   VoicingStyle::Shell, VoicingStyle::Drop2,
                                   VoicingStyle::Drop3, VoicingStyle::Triads};
const char* const StyleNames[] = {"Any grip", "Open and barre", "Shell",
                                  "Drop 2",   "Drop 3",         "Triads"};
// The regions offered: four frets up from each of these (0: the open position).
constexpr int RegionStarts[] = {0, 3, 5, 7, 9, 12};

QComboBox* comboBox(const QString& name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    return box;
}

QCheckBox* checkBox(const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

QLabel* bold(const QString& caption) {
    auto* label = new QLabel(caption);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

// --- the row of boxes ----------------------------------------------------------------------

ProgressionRow::ProgressionRow(const ProgressionsPage& page, const AppState& state, QWidget* parent)
    : QWidget(parent), m_page(page), m_state(state) {
    setObjectName(QStringLiteral("rowProgression"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

double ProgressionRow::cellHeight() const {
    return CellWidth / chordBoxWidthFor(1, m_state.tuning().strings(), false) + LabelHeight;
}

std::vector<ProgressionRow::Cell> ProgressionRow::layout(int width) const {
    std::vector<Cell> cells;
    double x = Margin, y = Margin;
    const double h = cellHeight();
    for (size_t i = 0; i < m_page.boxes.size(); ++i) {
        const bool barStart = i == 0 || m_page.bars[i] != m_page.bars[i - 1];
        // A bar that fits on the row goes on it whole; else the row breaks before the box.
        int barChords = 1;
        if (barStart) {
            while (i + size_t(barChords) < m_page.bars.size() &&
                   m_page.bars[i + size_t(barChords)] == m_page.bars[i])
                ++barChords;
        }
        const double need = (barStart ? BarGap : 0) + CellWidth * (barStart ? barChords : 1);
        if (x > Margin && x + std::min(need, double(BarGap + CellWidth)) > width - Margin) {
            if (!cells.empty())
                cells.back().rowEnd = true;
            x = Margin;
            y += h + 8;
        } else if (barStart && x > Margin && x + need > width - Margin && need < width) {
            cells.back().rowEnd = true;
            x = Margin;
            y += h + 8;
        }
        if (barStart)
            x += BarGap;
        cells.push_back({QRectF(x, y, CellWidth, h), barStart, false});
        x += CellWidth;
    }
    if (!cells.empty())
        cells.back().rowEnd = true;
    return cells;
}

int ProgressionRow::heightForWidth(int width) const {
    const auto cells = layout(width);
    return cells.empty() ? 60 : int(std::ceil(cells.back().box.bottom())) + Margin;
}

QSize ProgressionRow::sizeHint() const {
    return {8 * (CellWidth + BarGap), heightForWidth(8 * (CellWidth + BarGap))};
}

int ProgressionRow::chordAt(QPoint point) const {
    const auto cells = layout(width());
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].box.contains(point))
            return int(i);
    }
    return -1;
}

void ProgressionRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QColor ink = palette().color(QPalette::Text);
    if (m_page.boxes.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("Choose a progression or type one above."));
        return;
    }
    QPainterBoxCanvas canvas(painter);
    ChordBoxStyle style;
    style.ink = ink;
    style.paper = palette().color(QPalette::Base);
    style.dot = ink;
    style.root = toQColor(m_state.colourRoot);
    style.rootText = Qt::white;
    style.labels = m_state.view.labels;
    style.captionRoom = false; // named above
    const auto cells = layout(width());
    QFont symbolFont = font();
    symbolFont.setBold(true);
    symbolFont.setPixelSize(15);
    QFont numeralFont = font();
    numeralFont.setPixelSize(12);
    for (size_t i = 0; i < cells.size(); ++i) {
        const QRectF cell = cells[i].box;
        const double boxTop = cell.top() + LabelHeight;
        // The bar line before the bar's first box, and after the last box of a row.
        painter.setPen(QPen(ink, 1.5));
        if (cells[i].barLine)
            painter.drawLine(QPointF(cell.left() - BarGap / 2.0, boxTop + 6),
                             QPointF(cell.left() - BarGap / 2.0, cell.bottom() - 8));
        if (cells[i].rowEnd)
            painter.drawLine(QPointF(cell.right() + 3, boxTop + 6),
                             QPointF(cell.right() + 3, cell.bottom() - 8));
        painter.setFont(symbolFont);
        painter.drawText(QRectF(cell.left(), cell.top(), cell.width(), 20), Qt::AlignCenter,
                         m_page.symbols.value(qsizetype(i)));
        painter.setFont(numeralFont);
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(QRectF(cell.left(), cell.top() + 19, cell.width(), 16), Qt::AlignCenter,
                         m_page.numerals.value(qsizetype(i)));
        const ChordBox& box = m_page.boxes[i];
        style.frame = int(i) == m_page.current ? palette().color(QPalette::Highlight)
                                               : QColor(Qt::transparent);
        paintChordBox(canvas, box,
                      QRectF(cell.left(), boxTop, cell.width(), cell.bottom() - boxTop)
                          .adjusted(2, 0, -2, -2),
                      style);
    }
}

void ProgressionRow::mousePressEvent(QMouseEvent* event) {
    const int chord = chordAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && chord >= 0)
        Q_EMIT chordClicked(chord);
}

namespace {

// A save dialog for the format, offering the progression's title as the name.
QString askFile(QWidget* parent, ChartFormat format, const QString& folder,
                const ProgressionSession& session) {
    struct Kind {
        const char* filter;
        const char* suffix;
    };
    const Kind kind =
        format == ChartFormat::ChordPro   ? Kind{"ChordPro songs (*.cho *.chordpro)", "cho"}
        : format == ChartFormat::MusicXml ? Kind{"MusicXML scores (*.musicxml)", "musicxml"}
        : format == ChartFormat::Pdf      ? Kind{"PDF files (*.pdf)", "pdf"}
                                          : Kind{"MIDI files (*.mid)", "mid"};
    QFileDialog dialog(parent, QStringLiteral("Save the progression"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QLatin1String(kind.filter));
    dialog.setDefaultSuffix(QLatin1String(kind.suffix));
    dialog.setDirectory(folder.isEmpty() || !QFileInfo(folder).isDir()
                            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                            : folder);
    QString name = session.chart().title;
    name.remove(QRegularExpression(QStringLiteral("[/:\\\\*?\"<>|]")));
    dialog.selectFile(name.simplified() + u'.' + QLatin1String(kind.suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

// --- the page ------------------------------------------------------------------------------

ProgressionsView::ProgressionsView(ProgressionSession& session, const AppState& state,
                                   MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), m_session(session), m_state(state), m_key(new QLabel),
      m_mode(comboBox(QStringLiteral("cboKeyMode"))),
      m_sevenths(checkBox(QStringLiteral("chkSevenths"), QStringLiteral("Sevenths"))),
      m_secondary(checkBox(QStringLiteral("chkSecondary"), QStringLiteral("Secondary V7"))),
      m_borrowed(checkBox(QStringLiteral("chkBorrowed"), QStringLiteral("Borrowed"))),
      m_keyButtons(new QGridLayout), m_keyPlay(new QPushButton(QStringLiteral("Play"))),
      m_progressions(comboBox(QStringLiteral("cboProgressions"))), m_text(new QLineEdit),
      m_error(new QLabel), m_row(new ProgressionRow(session.page(), state)),
      m_rowArea(new QScrollArea), m_style(comboBox(QStringLiteral("cboVoicingStyle"))),
      m_region(comboBox(QStringLiteral("cboRegion"))),
      m_pattern(comboBox(QStringLiteral("cboStrumPattern"))),
      m_bass(comboBox(QStringLiteral("cboBass"))),
      m_drums(checkBox(QStringLiteral("chkDrums"), QStringLiteral("Drums"))),
      m_countIn(checkBox(QStringLiteral("chkCountIn"), QStringLiteral("Count-in"))),
      m_play(new QPushButton(QStringLiteral("Play"))), m_voicing(new QLabel), m_tempo(new QLabel),
      m_export(new QPushButton), m_boxes(boxes) {
    setObjectName(QStringLiteral("tabProgressions"));
    m_key->setObjectName(QStringLiteral("lblKey"));
    m_text->setObjectName(QStringLiteral("txtProgression"));
    m_error->setObjectName(QStringLiteral("lblProgressionError"));
    m_keyPlay->setObjectName(QStringLiteral("cmdKeyChordPlay"));
    m_play->setObjectName(QStringLiteral("cmdProgressionPlay"));
    m_voicing->setObjectName(QStringLiteral("lblVoicing"));
    m_tempo->setObjectName(QStringLiteral("lblLoopTempo"));
    for (QPushButton* b : {m_keyPlay, m_play}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(80);
    }
    m_keyPlay->setToolTip(QStringLiteral("Play the chord last clicked"));
    m_play->setToolTip(QStringLiteral("Loop the progression at the metronome's tempo (Space)"));
    m_text->setPlaceholderText(QStringLiteral("Chord symbols or numerals: | Dm7 | G7 | Cmaj7 | % "
                                              "|  or  ii7 V7 Imaj7"));
    m_text->setClearButtonEnabled(true);
    m_error->setWordWrap(true);
    m_error->setTextFormat(Qt::PlainText);
    m_voicing->setWordWrap(true);
    m_key->setTextFormat(Qt::PlainText);
    QFont keyFont = m_key->font();
    keyFont.setBold(true);
    keyFont.setPointSizeF(keyFont.pointSizeF() * 1.2);
    m_key->setFont(keyFont);

    for (int m = 0; m < KeyModeCount; ++m)
        m_mode->addItem(keyModeName(KeyMode(m)));
    for (const char* name : StyleNames)
        m_style->addItem(QLatin1String(name));
    for (int p = 0; p < StrumPatternCount; ++p)
        m_pattern->addItem(strumPatternName(StrumPattern(p)));
    for (int b = 0; b < BassPatternCount; ++b)
        m_bass->addItem(bassPatternName(BassPattern(b)));
    m_region->addItem(QStringLiteral("Whole neck"), -1);
    for (int low : RegionStarts)
        m_region->addItem(low == 0 ? QStringLiteral("Open position (frets 0-4)")
                                   : QStringLiteral("Frets %1-%2").arg(low).arg(low + 4),
                          low);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 10, 10, 10);
    page->setSpacing(6);

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(bold(QStringLiteral("Key")));
    keyRow->addWidget(m_mode);
    keyRow->addWidget(m_key, 1);
    keyRow->addWidget(m_sevenths);
    keyRow->addWidget(m_secondary);
    keyRow->addWidget(m_borrowed);
    page->addLayout(keyRow);

    // The key's chords, a row for each kind (diatonic, secondary dominants, borrowed).
    auto* chordRow = new QHBoxLayout;
    m_keyButtons->setSpacing(4);
    chordRow->addLayout(m_keyButtons);
    chordRow->addStretch();
    chordRow->addWidget(m_keyPlay, 0, Qt::AlignTop);
    page->addLayout(chordRow);

    auto* entry = new QGridLayout;
    entry->addWidget(bold(QStringLiteral("Progression")), 0, 0);
    m_progressions->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_progressions->setMinimumContentsLength(24);
    entry->addWidget(m_progressions, 0, 1);
    entry->addWidget(m_text, 0, 2);
    entry->setColumnStretch(2, 1);
    entry->addWidget(m_error, 1, 1, 1, 2);
    page->addLayout(entry);

    m_rowArea->setObjectName(QStringLiteral("areaProgression"));
    m_rowArea->setWidget(m_row);
    m_rowArea->setWidgetResizable(true);
    m_rowArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rowArea->setMinimumHeight(110);
    page->addWidget(m_rowArea, 1);

    auto* grips = new QHBoxLayout;
    grips->addWidget(new QLabel(QStringLiteral("Grips:")));
    grips->addWidget(m_style);
    grips->addWidget(m_region);
    grips->addWidget(m_voicing, 1);
    page->addLayout(grips);

    auto* loop = new QHBoxLayout;
    loop->addWidget(new QLabel(QStringLiteral("Loop:")));
    loop->addWidget(m_pattern);
    loop->addWidget(m_bass);
    loop->addWidget(m_drums);
    loop->addWidget(m_countIn);
    loop->addWidget(m_tempo);
    loop->addStretch();
    loop->addWidget(m_export);
    loop->addWidget(m_play);
    page->addLayout(loop);

    m_export->setObjectName(QStringLiteral("cmdProgressionExport"));
    m_export->setText(QStringLiteral("Export"));
    m_export->setToolTip(QStringLiteral("Save the progression as a ChordPro song, a MusicXML "
                                        "score, a PDF chart or a MIDI file of the loop"));
    auto* exports = new QMenu(m_export);
    for (const auto& [format, caption] :
         {std::pair{ChartFormat::ChordPro, "ChordPro song..."},
          std::pair{ChartFormat::MusicXml, "MusicXML score..."},
          std::pair{ChartFormat::Pdf, "PDF chord chart..."},
          std::pair{ChartFormat::Midi, "MIDI file of the loop..."}}) {
        QAction* action = exports->addAction(QLatin1String(caption));
        action->setObjectName(QStringLiteral("mnuExport_") +
                              QLatin1String(chartFormatWord(format)));
        connect(action, &QAction::triggered, this, [this, format] { exportAs(format); });
    }
    m_export->setMenu(exports);
    chooseFile = [this](ChartFormat format) {
        return askFile(this, format, m_folder, m_session);
    };

    connect(m_mode, &QComboBox::activated, this, [this](int m) {
        m_session.setMode(KeyMode(m));
        done();
    });
    connect(m_sevenths, &QCheckBox::toggled, this, [this](bool on) {
        m_session.setSevenths(on);
        showPage();
    });
    connect(m_secondary, &QCheckBox::toggled, this, [this](bool on) {
        m_session.setSecondaryDominants(on);
        showPage();
    });
    connect(m_borrowed, &QCheckBox::toggled, this, [this](bool on) {
        m_session.setBorrowed(on);
        showPage();
    });
    connect(m_keyPlay, &QPushButton::clicked, this, [this] {
        if (m_keyChosen >= 0)
            m_session.playKeyChord(m_keyChosen);
    });
    connect(m_progressions, &QComboBox::activated, this, [this](int index) {
        m_session.chooseProgression(index);
        done();
    });
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        m_session.enterText(m_text->text());
        done();
    });
    connect(m_row, &ProgressionRow::chordClicked, this, [this](int chord) {
        m_session.showChord(chord);
        done();
    });
    connect(m_style, &QComboBox::activated, this, [this](int index) {
        m_session.setStyle(Styles[index]);
        done();
    });
    connect(m_region, &QComboBox::activated, this, [this](int index) {
        const int low = m_region->itemData(index).toInt();
        m_session.setRegion(low < 0 ? std::nullopt : std::optional(std::pair(low, low + 4)));
        done();
    });
    connect(m_pattern, &QComboBox::activated, this,
            [this](int index) { m_session.setPattern(StrumPattern(index)); });
    connect(m_bass, &QComboBox::activated, this,
            [this](int index) { m_session.setBass(BassPattern(index)); });
    connect(m_drums, &QCheckBox::toggled, this, [this](bool on) { m_session.setDrums(on); });
    connect(m_countIn, &QCheckBox::toggled, this, [this](bool on) { m_session.setCountIn(on); });
    connect(m_play, &QPushButton::clicked, this, [this] {
        if (m_session.page().playing)
            m_session.stop();
        else
            m_session.play();
        done();
    });
    showPage();
}

void ProgressionsView::exportAs(ChartFormat format) {
    if (!m_session.progression() || m_session.progression()->chords.empty()) {
        m_boxes.inform(BoxIcon::Exclamation,
                       QStringLiteral("There is no progression to save: choose one or type its "
                                      "chords."));
        return;
    }
    const QString path = chooseFile ? chooseFile(format) : QString();
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    if (const QString problem = m_session.exportTo(format, path); !problem.isEmpty())
        m_boxes.inform(BoxIcon::Stop,
                       QStringLiteral("The file could not be written:\n%1\n%2").arg(path, problem));
}

void ProgressionsView::done() {
    showPage();
    Q_EMIT neckChanged();
}

void ProgressionsView::keyChordsChanged() {
    while (QLayoutItem* item = m_keyButtons->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const auto& chords = m_session.page().keyChords;
    int row = 0, column = 0;
    for (int i = 0; i < int(chords.size()); ++i) {
        const KeyChordButton& c = chords[size_t(i)];
        if (i > 0 && c.kind != chords[size_t(i - 1)].kind) {
            ++row;
            column = 0;
        }
        auto* button = new QPushButton(c.numeral + u'\n' + c.symbol);
        button->setObjectName(QStringLiteral("cmdKeyChord%1").arg(i));
        button->setAutoDefault(false);
        button->setToolTip(c.function.isEmpty() ? c.notes
                                                : c.function + QStringLiteral(": ") + c.notes);
        button->setMinimumHeight(button->fontMetrics().lineSpacing() * 2 + 12);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_keyChosen = i;
            m_session.showKeyChord(i);
            done();
        });
        m_keyButtons->addWidget(button, row, column++);
    }
}

void ProgressionsView::showPage() {
    const ProgressionsPage& p = m_session.page();
    {
        const QSignalBlocker b1(m_mode), b2(m_sevenths), b3(m_secondary), b4(m_borrowed),
            b5(m_drums), b6(m_countIn);
        m_mode->setCurrentIndex(int(m_session.mode()));
        m_sevenths->setChecked(m_session.sevenths());
        m_secondary->setChecked(m_session.secondaryDominants());
        m_borrowed->setChecked(m_session.borrowed());
        m_drums->setChecked(m_session.loopOptions().drums);
        m_countIn->setChecked(m_session.countIn());
        m_pattern->setCurrentIndex(int(m_session.loopOptions().pattern));
        m_bass->setCurrentIndex(int(m_session.loopOptions().bass));
        for (int i = 0; i < int(std::size(Styles)); ++i)
            if (Styles[i] == m_session.style())
                m_style->setCurrentIndex(i);
        const auto region = m_session.region();
        m_region->setCurrentIndex(std::max(0, region && region->second == region->first + 4
                                                  ? m_region->findData(region->first)
                                                  : 0));
        if (m_progressions->count() != p.cboProgressions.size()) {
            m_progressions->clear();
            m_progressions->addItems(p.cboProgressions);
        }
        m_progressions->setCurrentIndex(p.chosenProgression);
    }
    // The buttons are made again only when the key's chords change.
    QString stamp;
    for (const KeyChordButton& c : p.keyChords)
        stamp += c.numeral + u' ' + c.symbol + u';';
    if (stamp != m_keyButtonsKey) {
        m_keyButtonsKey = stamp;
        m_keyChosen = -1;
        keyChordsChanged();
    }
    m_keyPlay->setEnabled(m_keyChosen >= 0);
    m_key->setText(p.lblKey);
    if (!m_text->hasFocus() || m_text->text().isEmpty())
        m_text->setText(p.txtProgression);
    m_error->setText(p.lblProgressionError);
    m_error->setVisible(!p.lblProgressionError.isEmpty());
    m_voicing->setText(p.lblCapo.isEmpty() ? p.lblVoicing
                                           : p.lblVoicing + QLatin1Char(' ') + p.lblCapo);
    m_tempo->setText(QStringLiteral("%1 bpm").arg(m_state.metronome.tempo));
    m_play->setText(p.playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
    m_row->updateGeometry();
    m_row->update();
}

} // namespace chordalis
