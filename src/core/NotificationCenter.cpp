#include "core/NotificationCenter.h"

#include <algorithm>

namespace kivo {

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(QObject* owner, const QString& name, Handler handler,
                                     const QObject* sender)
{
    if (!owner || !handler)
        return;
    QMutexLocker lock(&m_mutex);
    const bool firstForOwner =
        std::none_of(m_entries.begin(), m_entries.end(),
                     [owner](const Entry& e) { return e.rawOwner == owner; });
    m_entries.push_back(Entry{owner, owner, name, sender, std::move(handler), m_nextSerial++});
    if (firstForOwner) {
        QObject::connect(owner, &QObject::destroyed, [this, owner] { removeObserver(owner); });
    }
}

void NotificationCenter::removeObserver(QObject* owner, const QString& name)
{
    QMutexLocker lock(&m_mutex);
    std::erase_if(m_entries, [&](const Entry& e) {
        return e.rawOwner == owner && (name.isEmpty() || e.name == name);
    });
}

void NotificationCenter::postNotification(const QString& name, QObject* object,
                                          const QVariantMap& userInfo)
{
    // Handlers run without the lock: they may post, add or remove observers themselves.
    std::vector<std::pair<quint64, Handler>> matching;
    {
        QMutexLocker lock(&m_mutex);
        for (const Entry& e : m_entries) {
            if (!e.owner)
                continue;
            if (!e.name.isEmpty() && e.name != name)
                continue;
            if (e.sender && e.sender != object)
                continue;
            matching.emplace_back(e.serial, e.handler);
        }
    }
    const Notification note{name, object, userInfo};
    for (auto& [serialNumber, handler] : matching) {
        const auto serial = serialNumber; // clang before 16 cannot capture a structured binding
        bool stillRegistered = false;
        {
            QMutexLocker lock(&m_mutex);
            stillRegistered = std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
                return e.serial == serial && e.owner;
            });
        }
        if (stillRegistered)
            handler(note);
    }
}

int NotificationCenter::observerCount(const QString& name) const
{
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return e.name == name && e.owner;
    }));
}

} // namespace kivo
