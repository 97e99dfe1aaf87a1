#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One window per user. The first start listens on a local socket in the
// user's runtime folder; a later start hands its files to it and ends. A
// socket left behind by an instance that crashed is replaced.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SingleInstance)

public:
    enum Claim {
        Primary,   // no other instance answers: this one runs the window
        HandedOff, // the running instance took the files
        Unanswered // an instance listens but did not take the files in time
    };

    explicit SingleInstance(const QString& serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Under $XDG_RUNTIME_DIR (Qt's per-user fallback when it is unset).
    static QString defaultServerName();

    // Hands the files (possibly none) to a running instance, or becomes the
    // one that listens.
    Claim claim(const QStringList& files, int timeoutMs = 5000);
    bool isListening() const;

signals:
    // Another start was given these files, or none: it wants the window in front.
    void filesReceived(const QStringList& files);

private:
    Claim handOff(QLocalSocket& socket, const QStringList& files, int timeoutMs);
    void listen();
    void readRequest(QLocalSocket* socket);

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};
