#pragma once

#include "orders/ImageOrder.h"
#include "orders/SessionPhotoOrders.h"

#include <QAbstractListModel>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <QVariantList>

namespace kivo {

class PackageCatalogue;
class SinglePackageModel;

// The photos of one visit and their orders, as the selling screen's grid holds them: always 40
// entries, each owning one photo's order; the first entries hold the visit's photos (at most 40),
// the others are hidden placeholders. The rows of the model are the photos on show.
//
// A photo whose file is missing, empty, cut short or does not decode keeps its entry and its
// path: it is reported as not showable, and the view shows a "photo cannot be shown" picture
// for it. Only a showable photo can be ordered: a photo that cannot be shown cannot be printed
// either, so its order takes no quantities, and an order it had is withdrawn when it is found
// out. A photo that decodes after all (one still arriving when the visit began) is showable
// and can be ordered again.
// Qt Core only.
class PhotoGridModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int kMaxPhotos = 40;

    enum Role
    {
        PathRole = Qt::UserRole + 1, // full path of the photo
        ShowableRole,                // false when the file is missing or does not decode
        SelectedRole,                // the photo whose order the package panel shows
        SheetsRole,                  // units ordered on the photo
        ThumbnailRole                // index of the layout's thumbnail showing it, or -1
    };

    // How the layout's thumbnails are ordered: left to right, or top to bottom.
    enum class Direction
    {
        Horizontal = 0,
        Vertical = 1
    };

    // The orders are set up from CATALOGUE's display list, which must outlive the model.
    explicit PhotoGridModel(const PackageCatalogue& catalogue, QObject* parent = nullptr);

    // Lays the entries out over the layout's thumbnails, given by their frame origins (in the
    // grid's coordinates, y growing downwards) and the grid's size: the thumbnails sorted in
    // reading order, then placeholders up to 40 entries. Photos already loaded are dropped.
    void buildGrid(const QList<QPointF>& thumbnailOrigins, const QSizeF& gridSize);
    static Direction directionFor(const QSizeF& gridSize);
    Direction direction() const { return m_direction; }

    // The 40 entries, whatever is on show.
    int entryCount() const { return static_cast<int>(m_entries.size()); }
    QString customText(int entry) const;
    int thumbnailIndex(int entry) const;

    // Loads the visit's photos into the first entries (photos beyond the 40th are left out),
    // gives every entry a fresh order and selects nothing. An empty list empties the grid.
    void loadImagesIntoView(const QStringList& paths);
    int countOfVisibleViews() const { return m_photoCount; }
    QStringList photoList() const;
    QString pathAt(int entry) const;
    bool isShowable(int entry) const;
    // Whether photo ENTRY can be ordered: it is on show and its file has not been found missing
    // or broken.
    bool isOrderable(int entry) const { return isShowable(entry); }
    // The thumbnail loader reports a file that does not decode (or decodes after all). A photo
    // that cannot be shown loses its order (orderWithdrawn when it had quantities).
    void setShowable(int entry, bool showable);

    // Every entry's order back to the catalogue's packages without quantities ("Back", start).
    void initOrderInfo();
    void initOrderInfo(const QVariantList& displayList);

    // Selects photo 0; false (and nothing selected) when no photo is on show.
    bool selectFirstItem();
    // Selects photo ENTRY and announces it, also when it is already selected. An entry that
    // holds no photo is refused with selectionRefused (the view beeps).
    bool selectItem(int entry);
    int selectedIndex() const { return m_selected; }
    // The selected photo's order, or null when no photo is selected.
    ImageOrder* thisImageOrder();
    const ImageOrder& orderAt(int entry) const { return m_entries.at(entry).order; }

    // Writes package-panel row ROW's quantities into the selected photo's order: into the line
    // of the same index when it is that package, else into the lines named like the row. False
    // when no photo is selected, the selected one cannot be ordered, or MODEL is null.
    bool routeQuantity(int row, const SinglePackageModel* model);

    // Totals over every entry's order.
    float computeAllSubTotals();
    qint16 computeAllTotalSheets() const;
    void computeTotalSheetsNew();
    qint16 printSheetCount() const { return m_printSheetCount; }
    qint16 flashItemCount() const { return m_flashItemCount; }

    // The photos on show with copies of their orders: what the summary prices and the release
    // writes.
    PhotoOrdersSnapshot snapshot() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    // The selected photo changed (or was selected again): ENTRY, its path (empty for none) and
    // whether its file can be shown.
    void photoSelected(int entry, const QString& path, bool showable);
    // A selection of an entry without a photo was refused.
    void selectionRefused(int entry);
    // Photo ENTRY cannot be ordered any more and its quantities were taken off.
    void orderWithdrawn(int entry, const QString& path);

private:
    struct Entry
    {
        QString path;
        QString customText;
        int thumbnail = -1;
        bool showable = false;
        ImageOrder order;
    };

    void resetOrder(Entry& entry, const QVariantList& displayList) const;
    void emitRowChanged(int entry, const QList<int>& roles);

    const PackageCatalogue& m_catalogue;
    QList<Entry> m_entries;
    Direction m_direction = Direction::Horizontal;
    int m_photoCount = 0;
    int m_selected = -1;
    qint16 m_printSheetCount = 0;
    qint16 m_flashItemCount = 0;
};

} // namespace kivo
