#pragma once

#include <QStringList>
#include <QTime>
#include <QWidget>

class QLabel;

namespace kivo {

// What the station shows instead of the keypad while it cannot sell: a plain word for the
// customer, and for the staff what is wrong and when the station looks again. It has no
// controls; the station returns to service by itself once the fault is gone.
class OutOfServiceScreen : public QWidget
{
    Q_OBJECT

public:
    explicit OutOfServiceScreen(QWidget* parent = nullptr);

    // The failures, one "NAME: REASON" a line.
    void setReasons(const QStringList& reasons);
    QStringList reasons() const { return m_reasons; }
    // When the next check runs; an invalid time hides the line.
    void setNextCheck(const QTime& at);

    QLabel* reasonsLabel() const { return m_reasonsLabel; }
    QLabel* nextCheckLabel() const { return m_nextCheck; }

private:
    QStringList m_reasons;
    QLabel* m_reasonsLabel = nullptr;
    QLabel* m_nextCheck = nullptr;
};

} // namespace kivo
