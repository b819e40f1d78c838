#pragma once

#include <QString>
#include <QWidget>

namespace kivo {

// The customer's screens carry no staff text: while something needs the staff this small, calm
// dot sits in a corner, named "Staff notice" with the problem as its accessible description. A
// customer sees nothing to read or press (it takes no touches); the staff read the details on
// the preferences' status page.
class StaffNoticeIndicator : public QWidget
{
    Q_OBJECT

public:
    // CORNER is the corner of the parent it keeps to, clear of the screen's controls.
    explicit StaffNoticeIndicator(QWidget* parent = nullptr,
                                  Qt::Corner corner = Qt::BottomLeftCorner);

    // Shows the dot with TEXT as its description; an empty TEXT hides it.
    void setNotice(const QString& text);
    QString notice() const { return accessibleDescription(); }

    // The room the dot takes from its corner, along either edge: what a screen leaves free there.
    static int cornerReach();

    // Keeps the dot in its corner of the parent.
    void placeInCorner();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Corner m_corner;
};

} // namespace kivo
