#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include <functional>

// Names that running jobs hold, one name per owner, behind one lock so that
// checking a name and holding it is a single step. A name may be held alone
// (an output file) or shared (a subtitle copy); `lastGone` runs, still under
// the lock, when the last holder of a name lets it go.
class OwnerRegistry
{
public:
    explicit OwnerRegistry(Qt::CaseSensitivity names, std::function<void(const QString&)> lastGone = {});

    // Drops what `owner` held, then holds `name` for it when `admit`, told how
    // many other owners hold that name now, agrees.
    bool hold(const void* owner, const QString& name, const std::function<bool(int others)>& admit);
    void release(const void* owner);
    int size() const;

private:
    struct Held
    {
        QString key;
        QString name;
    };

    QString key(const QString& name) const;
    void releaseLocked(const void* owner);

    const Qt::CaseSensitivity m_names;
    const std::function<void(const QString&)> m_lastGone;
    mutable QMutex m_mutex;
    QHash<const void*, Held> m_held;
};
