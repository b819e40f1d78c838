#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kivo {

// What the staff must know of and the customer must not read: a receipt printer that cannot
// print, a setting out of range, the factory codes still in use, a full disk. Each source keeps
// one line of its own and replaces or clears it; the customer's screens show only a small
// indicator while any line is set, and the preferences' status page shows them in full.
class StaffNotices : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Sets SOURCE's line to TEXT; an empty TEXT clears it. Emits changed() only when the lines
    // change.
    void set(const QString& source, const QString& text);
    void clear(const QString& source) { set(source, QString()); }

    // SOURCE's line, empty when it has none.
    QString line(const QString& source) const;
    // Every line set, in the order the sources first reported.
    QStringList lines() const;
    // The lines joined by newlines; empty when nothing is wrong.
    QString text() const { return lines().join(QLatin1Char('\n')); }
    bool isEmpty() const { return m_entries.isEmpty(); }

signals:
    void changed();

private:
    struct Entry
    {
        QString source;
        QString text;
    };
    QVector<Entry> m_entries;
};

} // namespace kivo
