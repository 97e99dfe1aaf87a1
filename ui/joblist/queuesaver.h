#pragma once

#include "convert/savedqueue.h"

#include <QObject>
#include <QString>

#include <functional>

class QTimer;

// Keeps the saved job list in step with the page: a change asks for a write
// a short while later, so that a burst of changes (a format switch touches
// every job) costs one write, and a write that would not change the file is
// skipped. Writes only once enabled: until the user has answered for the
// list left by the last session, that list must not be overwritten.
class QueueSaver : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(QueueSaver)

public:
    using Snapshot = std::function<SavedQueue()>;
    static constexpr int DelayMs = 250;

    QueueSaver(Snapshot snapshot, const QString& path, QObject* parent = nullptr);
    ~QueueSaver() override;

    QString path() const { return m_path; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_bEnabled; }
    bool isPending() const;

    // A write within DelayMs; further changes meanwhile join it.
    void schedule();
    // Writes at once when the list differs from the file; false when a write failed.
    bool saveNow();

signals:
    void saved();
    void saveFailed(const QString& error);

private:
    Snapshot m_snapshot;
    QString m_path;
    QTimer* m_pTimer = nullptr;
    bool m_bEnabled = false;
    bool m_bWritten = false;
    QByteArray m_lastWritten;
};
