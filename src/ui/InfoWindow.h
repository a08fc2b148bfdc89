#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace chordalis {

class InfoSession;

// frmInfo: the information of an item on the chosen root as rich text, with the neck picture in
// it, and its examples, with the play buttons. It shows
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
    QTextBrowser* m_text;
    QLabel* m_sound;
    QComboBox* m_examples;
    QPushButton* m_play;
    QPushButton* m_pause;
    QPushButton* m_reset;
    QPushButton* m_close;
    QLineEdit* m_stem;
};

} // namespace chordalis
