#pragma once

#include "orders/ImageOrder.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace kivo {

class Settings;

// The photos' orders as a released order takes them: copies without thumbnail views, handed to
// the order output's worker whole.
struct PhotoOrdersSnapshot
{
    QStringList photos;       // file paths, in grid order
    QList<ImageOrder> orders; // one per photo, same order
};

// One order per photo found, in grid order: what the selling screens change as the customer
// touches the package panel, and what the release assembles and prices. Qt Core only.
class SessionPhotoOrders
{
public:
    // Gives every photo a fresh order from the package catalogue as it is now (the package panel
    // offers the same records). The orders start without quantities; with a catalogue that
    // cannot be read they keep their placeholder lines, as the station runs with an empty panel.
    void startWithPhotos(const QStringList& photos, Settings& settings);
    // Every quantity back to 0, the photos kept ("Back" on the selling screen).
    void clearQuantities();
    // No photos, no orders (start-over).
    void clear();

    int count() const { return static_cast<int>(m_orders.size()); }
    const QStringList& photos() const { return m_photos; }
    const QList<ImageOrder>& orders() const { return m_orders; }
    ImageOrder& orderAt(int index) { return m_orders[index]; }
    const ImageOrder& orderAt(int index) const { return m_orders.at(index); }
    // The index of PATH in the grid, or -1.
    int indexOfPhoto(const QString& path) const { return static_cast<int>(m_photos.indexOf(path)); }

    PhotoOrdersSnapshot snapshot() const;

private:
    QStringList m_photos;
    QList<ImageOrder> m_orders;
};

} // namespace kivo

Q_DECLARE_METATYPE(kivo::PhotoOrdersSnapshot)
