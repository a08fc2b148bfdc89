#include "ui/SearchField.h"

#include "app/Program.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>
#include <algorithm>

namespace chordalis {

namespace {

// The role that holds the text an entry puts into the field; the list shows the display role.
constexpr int FieldTextRole = Qt::UserRole + 1;

} // namespace

SearchField::SearchField(const Program& program, QWidget* parent)
    : QLineEdit(parent), m_program(program), m_model(new QStandardItemModel(this)),
      m_completer(new QCompleter(m_model, this)) {
    setObjectName(QStringLiteral("txtSearch"));
    setPlaceholderText(QStringLiteral("Find (Ctrl+F): F#m7b5, A dorian"));
    setToolTip(QStringLiteral("Find a chord, scale, arpeggio, triad or note by its name "
                              "(Ctrl+F); Enter goes there"));
    setClearButtonEnabled(true);
    // The list shows what the search ranks for the whole text, unfiltered.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCompletionRole(FieldTextRole);
    m_completer->setMaxVisibleItems(Listed);
    setCompleter(m_completer);
    connect(this, &QLineEdit::textEdited, this, &SearchField::refill);
    connect(this, &QLineEdit::returnPressed, this, &SearchField::request);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &SearchField::request);
}

QSize SearchField::sizeHint() const {
    return {std::max(minimumWidth(), fontMetrics().averageCharWidth() * 32),
            QLineEdit::sizeHint().height()};
}

void SearchField::begin() {
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void SearchField::watch(QWidget* widget) {
    widget->installEventFilter(this);
}

bool SearchField::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        const bool plain =
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && typed.size() == 1 && typed[0].isPrint() && !typed[0].isSpace()) {
            setFocus(Qt::OtherFocusReason);
            setText(typed);
            refill(typed);
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

void SearchField::refill(const QString& text) {
    m_model->clear();
    for (const Found& f : m_program.search().complete(text, Listed)) {
        auto* item = new QStandardItem;
        const QString kind = QLatin1String(foundModeWord(f.mode));
        item->setText(f.name == f.text
                          ? QStringLiteral("%1  (%2)").arg(f.text, kind)
                          : QStringLiteral("%1  \u2014 %2 (%3)").arg(f.text, f.name, kind));
        item->setData(f.text, FieldTextRole);
        m_model->appendRow(item);
    }
    QAbstractItemView* popup = m_completer->popup();
    if (m_model->rowCount() == 0 || !hasFocus()) {
        popup->hide();
        return;
    }
    // As wide as the longest entry (the line edit shows the list again at its own width after
    // each key, so the width is a minimum). Qt keeps only the field's width on the screen: the
    // field stands at the window's right edge, so the wider list is moved left once the line
    // edit has shown it again.
    popup->setMinimumWidth(popup->sizeHintForColumn(0) + 2 * popup->frameWidth() +
                           popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete();
    QTimer::singleShot(0, this, &SearchField::keepListOnScreen);
}

void SearchField::keepListOnScreen() {
    QAbstractItemView* popup = m_completer->popup();
    const QScreen* shown = popup->screen();
    if (!popup->isVisible() || !shown)
        return;
    const QRect area = shown->availableGeometry();
    QRect frame = popup->geometry();
    if (frame.right() <= area.right())
        return;
    frame.moveRight(area.right());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    popup->setGeometry(frame);
}

void SearchField::request() {
    if (m_requested)
        return;
    m_requested = true;
    QTimer::singleShot(0, this, [this] {
        m_requested = false;
        m_completer->popup()->hide();
        if (!text().trimmed().isEmpty())
            Q_EMIT searched(text());
    });
}

} // namespace chordalis
