#include "app/singleinstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QtDebug>

namespace {

constexpr quint32 Magic = 0x4d525931; // "MRY1"
constexpr char Accepted = 'A';
// A request is a short list of paths; a peer sending more is not one of us.
constexpr qint64 LargestRequest = 4 * 1024 * 1024;
constexpr quint32 MostFiles = 100000;
constexpr int RequestTimeoutMs = 10000;

} // namespace

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent),
      m_serverName(serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
        + QLatin1String("/Quillfen-Morvayne.socket");
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

SingleInstance::Claim SingleInstance::claim(const QStringList& files, int timeoutMs)
{
    // Two starts at once must not both find nobody and both listen.
    QLockFile lock(m_serverName + QLatin1String(".lock"));
    if (!lock.tryLock(timeoutMs))
        qWarning().noquote() << "Another start holds" << lock.error() << "; going on without it";

    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(qMin(timeoutMs, 2000)))
        return handOff(socket, files, timeoutMs);
    // Nobody answers: whatever lies at the name is left from a crash.
    listen();
    return Primary;
}

SingleInstance::Claim SingleInstance::handOff(QLocalSocket& socket, const QStringList& files, int timeoutMs)
{
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out << Magic << quint32(files.size());
    for (const QString& file : files)
        out << file;
    socket.write(request);

    const QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesAvailable() < 1 && !deadline.hasExpired()) {
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())));
        else if (!socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
    }
    const bool accepted = socket.bytesAvailable() > 0 && socket.read(1).at(0) == Accepted;
    socket.disconnectFromServer();
    return accepted ? HandedOff : Unanswered;
}

void SingleInstance::listen()
{
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        qWarning().noquote() << "Later starts cannot reach this window:" << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // A peer that never finishes its request is dropped.
            QTimer::singleShot(RequestTimeoutMs, socket, [socket] { socket->abort(); });
            if (socket->bytesAvailable() > 0)
                readRequest(socket);
        }
    });
}

void SingleInstance::readRequest(QLocalSocket* socket)
{
    if (socket->bytesAvailable() > LargestRequest) {
        socket->abort();
        return;
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_5_15);
    in.startTransaction();
    quint32 magic = 0;
    quint32 count = 0;
    in >> magic >> count;
    // Not one of our starts: no need to wait for the rest. The count is
    // checked, never trusted for an allocation.
    if (in.status() == QDataStream::Ok && (magic != Magic || count > MostFiles)) {
        socket->abort();
        return;
    }
    QStringList files;
    for (quint32 i = 0; in.status() == QDataStream::Ok && i < count; ++i) {
        QString file;
        in >> file;
        files << file;
    }
    if (!in.commitTransaction()) {
        if (in.status() != QDataStream::ReadPastEnd) // malformed, not merely partial
            socket->abort();
        return;
    }
    // One request per connection.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    emit filesReceived(files);
    socket->write(&Accepted, 1);
    socket->flush();
    socket->disconnectFromServer();
}
