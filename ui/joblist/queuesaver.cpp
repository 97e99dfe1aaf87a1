#include "ui/joblist/queuesaver.h"

#include <QTimer>
#include <QtDebug>

#include <utility>

QueueSaver::QueueSaver(Snapshot snapshot, const QString& path, QObject* parent)
    : QObject(parent),
      m_snapshot(std::move(snapshot)),
      m_path(path),
      m_pTimer(new QTimer(this))
{
    m_pTimer->setSingleShot(true);
    m_pTimer->setInterval(DelayMs);
    connect(m_pTimer, &QTimer::timeout, this, [this] { saveNow(); });
}

QueueSaver::~QueueSaver() = default;

void QueueSaver::setEnabled(bool enabled)
{
    m_bEnabled = enabled;
    if (!enabled)
        m_pTimer->stop();
}

bool QueueSaver::isPending() const
{
    return m_pTimer->isActive();
}

void QueueSaver::schedule()
{
    // Not restarted: a steady stream of changes still writes every DelayMs.
    if (m_bEnabled && !m_pTimer->isActive())
        m_pTimer->start();
}

bool QueueSaver::saveNow()
{
    m_pTimer->stop();
    if (!m_bEnabled)
        return true;
    const QByteArray bytes = m_snapshot().toJson();
    if (m_bWritten && bytes == m_lastWritten)
        return true;
    QString error;
    if (!SavedQueue::write(m_path, bytes, &error)) {
        qWarning().noquote() << QStringLiteral("Could not save the job list to %1: %2").arg(m_path, error);
        emit saveFailed(error);
        return false;
    }
    m_bWritten = true;
    m_lastWritten = bytes;
    emit saved();
    return true;
}
