#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QTimer;

namespace kivo {

// The system's printers as one answer: their names, or why none could be listed.
struct PrinterNames
{
    QStringList names;
    QString problem;
};

// Asks the printing service for its printers. Blocks while the service answers: called on a
// worker thread.
using PrinterSource = std::function<PrinterNames()>;

// The printers from CUPS (libcups): an empty list with a problem when the scheduler does not
// answer.
PrinterNames cupsPrinterNames();

// Keeps the printer list fresh while the preferences are open: the source is asked on a worker
// every few seconds (CUPS tells no desktop-independent listener when printers come and go), and
// a changed answer is reported on the list's own thread.
class PrinterList : public QObject
{
    Q_OBJECT

public:
    explicit PrinterList(PrinterSource source = cupsPrinterNames, QObject* parent = nullptr);
    ~PrinterList() override;

    void start(int intervalMs = 3000);
    void stop();
    // Asks once now; the answer comes with printersChanged when it differs from the last.
    void refresh();

    const PrinterNames& current() const { return m_current; }

signals:
    void printersChanged(const QStringList& names, const QString& problem);

private:
    PrinterSource m_source;
    PrinterNames m_current;
    QTimer* m_timer;
    bool m_asking = false;
    bool m_answered = false;
};

} // namespace kivo
