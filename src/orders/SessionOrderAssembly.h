#pragma once

#include "orders/ImageOrder.h"
#include "orders/SessionOrderEntry.h"

#include <QList>
#include <QString>

namespace kivo {

class PackageCatalogue;
class Settings;

// What one photo of the grid hands to the assembly: its name (the file path), its order and,
// optionally, its thumbnail view (handed back with the result so the grid finds its thumbnail).
struct SessionPhoto
{
    QString name;
    const ImageOrder* order = nullptr;
    QObject* view = nullptr;
};

// One photo with at least one unit ordered, with the order that holds exactly its final lines.
struct TranslatedPhoto
{
    int gridIndex = -1; // index in the list handed to buildSessionOrder
    QString name;
    QObject* view = nullptr;
    ImageOrder translatedImageOrder;
};

// Turns the photos' orders into the session order: a flat list of every ordered line with the
// first-item price applied to the session's first print (or first drive) unit and the drives
// re-priced while prints stay below the reduced-USB minimum, sorted by photo and PLU; plus one
// translated order per ordered photo and the session's counters. The photos' own orders are
// only read.
class SessionOrderAssembly
{
public:
    SessionOrderAssembly(const PackageCatalogue& catalogue, const Settings& settings);

    // At most this many ordered photos make up an order (the summary shows, the files carry and
    // the invoice bills that many); ordered photos after them are left out of every result.
    static constexpr int kMaxOrderedPhotos = 40;

    // PHOTOS are the photos on show, in grid order. Returns the photos with units ordered, in
    // grid order, each with its translated order; the other results are read below.
    const QList<TranslatedPhoto>& buildSessionOrder(const QList<SessionPhoto>& photos);
    const QList<TranslatedPhoto>& buildSessionOrderNew(const QList<SessionPhoto>& photos);

    // The sort of the session order: by photo name, then PLU, ignoring case; <0, 0 or >0.
    static int sortByImageAndPlu(const SessionOrderEntry& a, const SessionOrderEntry& b);

    // Results of the last build.
    const QList<TranslatedPhoto>& sessionOrderList() const { return m_sessionOrderList; }
    const QList<SessionOrderEntry>& orderList() const { return m_orderList; } // sorted
    const QList<SessionOrderEntry>& unsortedOrderList() const { return m_unsorted; }
    // Counts as wide ints: a sum of 16-bit quantities does not fit a 16-bit count.
    int itemsWithUsbDrive() const { return m_itemsWithUsbDrive; }
    int itemsWithPrints() const { return m_itemsWithPrints; }
    int fTotalPrintSheets() const { return m_totalPrintSheets; }
    int itemsWithPromos() const { return m_itemsWithPromos; }

private:
    void collect(const QList<SessionPhoto>& photos);
    void classify(int* firstPrint, int* firstUsb);
    void translateFirstItem(int index, bool printCase);
    void applyReducedUsbPrice();
    void buildTranslatedOrders();

    const PackageCatalogue& m_catalogue;
    const Settings& m_settings;
    QList<TranslatedPhoto> m_sessionOrderList;
    QList<SessionOrderEntry> m_unsorted;
    QList<SessionOrderEntry> m_orderList;
    int m_itemsWithUsbDrive = 0;
    int m_itemsWithPrints = 0;
    int m_totalPrintSheets = 0;
    int m_itemsWithPromos = 0;
};

} // namespace kivo
