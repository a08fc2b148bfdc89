#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace chordalis {

class InfoSession;

// frmInfo: the information text of an item and its examples, with the play buttons. It shows
// the session's page and hands every click to the session. However the window is left (Close,
// the close box, Escape, its destruction) the session is closed once.
class InfoWindow : public QDialog {
    Q_OBJECT

public:
    // The session must have been opened (InfoSession::showInfo returned true).
    explicit InfoWindow(InfoSession& session, QWidget* parent = nullptr);
    ~InfoWindow() override;

    // Copies the page into the controls.
    void showPage();

public Q_SLOTS:
    void reject() override;

private:
    void closeSession();

    InfoSession& m_session;
    QPlainTextEdit* m_text;
    QComboBox* m_examples;
    QPushButton* m_play;
    QPushButton* m_pause;
    QPushButton* m_reset;
    QPushButton* m_close;
    QLineEdit* m_stem;
};

} // namespace chordalis
