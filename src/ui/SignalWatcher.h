#pragma once

#include <QObject>

class QSocketNotifier;

namespace chordalis {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop. The handler only writes
// the signal number into a socket pair; everything else runs on the user-interface thread.
// One instance per process.
class SignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    bool isWatching() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace chordalis
