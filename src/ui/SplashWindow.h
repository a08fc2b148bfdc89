#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace chordalis {

// frmSplash: the borderless start-up splash, which closes itself after 1.5 s and ignores clicks
// and keys, and later the About box, which stays until a click or a key. The tag tells the two
// apart ("startup" or empty). The window is created once and afterwards only hidden and shown;
// the closing timer is armed at the first showing only, so the About box never times out.
class SplashWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int CloseAfterMs = 1500;
    static inline const QString StartupTag = QStringLiteral("startup");

    explicit SplashWindow(QWidget* parent = nullptr);

    void setTag(const QString& tag) { m_tag = tag; }
    const QString& tag() const { return m_tag; }

    // Shows the window modally and returns once it has closed.
    void showModal();

    // The start-up use: tag "startup", shown modally until the timer closes it, tag cleared.
    void showStartup();

    const QTimer& closeTimer() const { return m_timer; }

Q_SIGNALS:
    // The closing timer has run out: the window is about to go.
    void timedOut();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void userClosing();
    void closeSplash();
    void paintTitle(QPainter& p, const QRectF& area) const;

    QString m_tag;
    QTimer m_timer;
    bool m_created = false;
    QWidget* m_image;
};

} // namespace chordalis
