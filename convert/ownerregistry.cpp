#include "convert/ownerregistry.h"

#include <QDir>
#include <QMutexLocker>

#include <algorithm>
#include <utility>

OwnerRegistry::OwnerRegistry(Qt::CaseSensitivity names, std::function<void(const QString&)> lastGone)
    : m_names(names),
      m_lastGone(std::move(lastGone))
{
}

QString OwnerRegistry::key(const QString& name) const
{
    const QString clean = QDir::cleanPath(name);
    return m_names == Qt::CaseInsensitive ? clean.toCaseFolded() : clean;
}

bool OwnerRegistry::hold(const void* owner, const QString& name, const std::function<bool(int others)>& admit)
{
    const QString k = key(name);
    QMutexLocker lock(&m_mutex);
    releaseLocked(owner);
    const int others = int(std::count_if(m_held.cbegin(), m_held.cend(), [&k](const Held& h) { return h.key == k; }));
    if (!admit(others))
        return false;
    m_held.insert(owner, {k, QDir::cleanPath(name)});
    return true;
}

void OwnerRegistry::release(const void* owner)
{
    QMutexLocker lock(&m_mutex);
    releaseLocked(owner);
}

int OwnerRegistry::size() const
{
    QMutexLocker lock(&m_mutex);
    return m_held.size();
}

void OwnerRegistry::releaseLocked(const void* owner)
{
    const auto it = m_held.find(owner);
    if (it == m_held.end())
        return;
    const Held gone = it.value();
    m_held.erase(it);
    const bool last
        = std::none_of(m_held.cbegin(), m_held.cend(), [&gone](const Held& h) { return h.key == gone.key; });
    if (last && m_lastGone)
        m_lastGone(gone.name);
}
