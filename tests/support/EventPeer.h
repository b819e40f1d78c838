#pragma once

// A kivo-event process (the print host, or a sender) whose output lines are collected as they
// come.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

namespace kivo::test {

class EventPeer
{
public:
    explicit EventPeer(const QStringList& args)
    {
        process.start(QStringLiteral(KIVO_EVENT_BINARY), args);
    }
    ~EventPeer()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            process.waitForFinished(3000);
        }
    }

    // Waits until the process has printed at least COUNT lines; the lines so far.
    QStringList waitForLines(int count, int ms = 5000)
    {
        QDeadlineTimer deadline(ms);
        while (lines().size() < count && !deadline.hasExpired()) {
            process.waitForReadyRead(50);
            QCoreApplication::processEvents();
        }
        return lines();
    }
    // Every whole line printed so far.
    QStringList lines()
    {
        m_pending += process.readAllStandardOutput();
        const qsizetype end = m_pending.lastIndexOf('\n');
        if (end >= 0) {
            m_lines += QString::fromUtf8(m_pending.left(end)).split('\n', Qt::SkipEmptyParts);
            m_pending.remove(0, end + 1);
        }
        return m_lines;
    }
    // The whole lines printed since the last call.
    QStringList takeLines()
    {
        const QStringList all = lines();
        const QStringList fresh = all.mid(m_taken);
        m_taken = all.size();
        return fresh;
    }

    QProcess process;

private:
    QByteArray m_pending;
    QStringList m_lines;
    qsizetype m_taken = 0;
};

} // namespace kivo::test
