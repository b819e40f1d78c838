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
    explicit StaffNoticeIndicator(QWidget* parent = nullptr);

    // Shows the dot with TEXT as its description; an empty TEXT hides it.
    void setNotice(const QString& text);
    QString notice() const { return accessibleDescription(); }

    // Keeps the dot in the bottom left corner of its parent.
    void placeInCorner();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kivo
