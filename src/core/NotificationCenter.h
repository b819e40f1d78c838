#pragma once

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <vector>

namespace kivo {

// One posted notification: its name, the object that posted it, and its user info.
struct Notification
{
    QString name;
    QObject* object = nullptr;
    QVariantMap userInfo;
};

// The station's in-process notification centre. Observers register for a name (and optionally
// one sender); a post calls every matching observer synchronously on the posting thread, in the
// order they registered. An observer is removed when its owner object is destroyed.
class NotificationCenter
{
public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    // Calls HANDLER for every notification NAME (any name when NAME is empty) from SENDER (any
    // sender when null) until OWNER is destroyed or removeObserver(OWNER) is called.
    void addObserver(QObject* owner, const QString& name, Handler handler,
                     const QObject* sender = nullptr);
    void removeObserver(QObject* owner, const QString& name = QString());

    void postNotification(const QString& name, QObject* object = nullptr,
                          const QVariantMap& userInfo = {});

    int observerCount(const QString& name) const;

private:
    struct Entry
    {
        QPointer<QObject> owner;
        QObject* rawOwner = nullptr;
        QString name;
        const QObject* sender = nullptr;
        Handler handler;
        quint64 serial = 0;
    };

    mutable QMutex m_mutex;
    std::vector<Entry> m_entries;
    quint64 m_nextSerial = 1;
};

} // namespace kivo
