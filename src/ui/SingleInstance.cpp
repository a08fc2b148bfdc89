#include "ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace chordalis {

namespace {

constexpr char Request[] = "show\n";
constexpr char Answer[] = "shown\n";

} // namespace

QString SingleInstance::socketFor(const QString& storeFile) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(QDir::cleanPath(storeFile)),
                                                     QCryptographicHash::Sha1);
    return QDir(folder).filePath(
        QStringLiteral("chordalis-%1.socket").arg(QString::fromLatin1(hash.toHex().left(16))));
}

SingleInstance::SingleInstance(QString socket, QObject* parent)
    : QObject(parent), m_socket(std::move(socket)) {}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close(); // removes the socket file
}

bool SingleInstance::askRunning(int waitMs) {
    QLocalSocket socket;
    socket.connectToServer(m_socket);
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(Request);
    if (!socket.waitForBytesWritten(waitMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(waitMs))
            return false;
    }
    return socket.readLine() == Answer;
}

bool SingleInstance::listen(std::function<void()> show) {
    m_show = std::move(show);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socket)) {
        // A socket left by an instance that crashed: askRunning found nobody behind it.
        QLocalServer::removeServer(m_socket);
        if (!m_server->listen(m_socket))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, client, [this, client] {
                if (!client->canReadLine())
                    return;
                if (client->readLine() == Request) {
                    if (m_show)
                        m_show();
                    client->write(Answer);
                    client->flush();
                }
                client->disconnectFromServer();
            });
        }
    });
    return true;
}

} // namespace chordalis
