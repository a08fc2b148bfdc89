#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace chordalis {

// One running program per settings store, as desktop programs keep it: a start that finds one
// already running asks it, through a local socket of the user's own, to bring its window to the
// front, and ends. `chordalis --new-instance` starts another all the same (each instance writes
// only the settings it changed, so neither loses the other's).
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The flag that asks for another instance.
    static constexpr const char* NewInstanceFlag = "--new-instance";

    // The socket for the store's file: in the user's runtime folder (XDG_RUNTIME_DIR, or Qt's
    // own folder for it), named after the store, so that a run on another store (a test's, a
    // copy's) is another program.
    static QString socketFor(const QString& storeFile);

    explicit SingleInstance(QString socket, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Asks the running instance to show its window. True when it answered: this start ends. A
    // socket with nobody behind it (left by a crash), or an instance that does not answer
    // within `waitMs`, is no running instance.
    bool askRunning(int waitMs = 2000);
    // Takes the requests of later starts; `show` brings the window to the front. False when the
    // socket cannot be taken (another start took it at the same moment).
    bool listen(std::function<void()> show);

private:
    QString m_socket;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_show;
};

} // namespace chordalis
