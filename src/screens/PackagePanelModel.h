#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QVariantList>

namespace kivo {

class ImageOrder;
class PackageCatalogue;
class SinglePackageModel;

// The package panel's rows: one per package of the catalogue's display list, the first
// "NumberOfFirstItems" of them special (a buy-first-one button, shown in container one) and the
// rest regular (add, remove and clear, shown in container two). Each row holds its
// SinglePackageModel. The panel shows the selected photo's order; the customer's changes are
// announced with quantityChanged so that they reach that photo's order. Qt Core only.
class PackagePanelModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The most a row's buttons (and sample prints) take a quantity to.
    static constexpr qint16 kMaxQuantity = 20;

    enum Role
    {
        QuantityRole = Qt::UserRole + 1,
        AltQuantityRole, // quantity plus the free extra count
        PrePrintRole,    // sample prints already made
        UnitPriceRole,   // text, two decimals
        SubTotalRole,    // text, two decimals
        PLURole,
        SpecialRole,     // shown in container one with a buy-first-one button
        IconPathRole,    // the package's icon file, empty when the resources lack it
        BuyIconPathRole, // the buy-first-one button's picture (rows 0 and 1), or empty
        KivoNameRole,
        PriceRole // text, two decimals: what one more unit costs (see unitPriceNow)
    };

    enum class Container
    {
        Special = 1,
        Regular = 2
    };

    // What a buy-first-one press was for ("printItem" or "usbDriveItem").
    enum class FirstItemKind
    {
        Print,
        UsbDrive
    };

    // What the visit has ordered so far, as its priced order counts it: which units are sold
    // at a package's first-item price depends on it.
    struct SessionPricing
    {
        int printEntries = 0;
        int printSheets = 0;
        int usbEntries = 0;
        // "prefMinPrintsForReducedUsbPrice" as the pricing reads it (1 when unset).
        int reducedUsbMinimum = 1;
        bool operator==(const SessionPricing&) const = default;
    };

    explicit PackagePanelModel(QObject* parent = nullptr);

    // One row per display-list record; rows below NUMBEROFFIRSTITEMS are special.
    void build(const PackageCatalogue& catalogue);
    void build(const QVariantList& displayList, int numberOfFirstItems);

    int maxVisiblePackageItems() const { return static_cast<int>(m_rows.size()); }
    int maxFirstItems() const { return m_maxFirstItems; }
    SinglePackageModel* rowModel(int row) const;
    bool isSpecial(int row) const;
    QString kivoPkgName(int row) const;
    QString iconPath(int row) const;
    // What one more unit of ROW's package costs the customer now: the first-item price while
    // it applies (the visit's first print; a drive while the prints stay below the minimum for
    // the reduced price, or the first drive of a visit without prints), else the unit price.
    float unitPriceNow(int row) const;
    void setSessionPricing(const SessionPricing& pricing);
    const SessionPricing& sessionPricing() const { return m_pricing; }

    // The rows' buttons. Each answers whether the row changed; a change emits quantityChanged.
    bool increment(int row);
    bool decrement(int row);
    bool clear(int row);
    // Sets quantity 1 on the other rows of the same package (by internal name, ignoring case),
    // shows the regular rows and announces firstPackageEntered. The pressed row is unchanged,
    // unless no other row carries its package: then the press adds one unit to it, so that the
    // button never does nothing.
    void buyFirstOne(int row, FirstItemKind kind = FirstItemKind::Print);
    // Whether a regular row carries ROW's package (ROW itself when it is regular). A special row
    // without one is the only way to buy its package, so the panel shows it with the regular
    // rows.
    bool hasRegularRow(int row) const;
    // A sample print of PLU: every row of that PLU counts one more sample print and one more
    // unit (both capped). Answers how many rows took it.
    int addSamplePrint(const QString& plu);

    // Between photos: every row without quantities and subtotal, silently; with
    // FIRSTPACKAGEENTERED rows 0 and 1 are kept.
    void zeroSubtotalsAndQtys(bool firstPackageEntered);
    // Shows ORDER in the rows: row i takes line "Line<i>" (a row without a line shows nothing
    // ordered). Silent: loading a photo is not a change the customer made.
    void copyImageOrderToModelData(const ImageOrder& order);
    // Writes every row into the line of the same index.
    void copyModelDataToImageOrder(ImageOrder& order) const;

    // The photo's subtotal and units as the rows show them.
    float computeAllSubTotals();
    qint16 computeAllTotalSheets() const;

    // 1 shows the special rows, anything else the regular rows.
    void showPackageView(int which);
    Container shownContainer() const { return m_shown; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    // The customer changed ROW's quantities (not emitted when a photo's order is loaded).
    void quantityChanged(int row);
    void firstPackageEntered(int row, kivo::PackagePanelModel::FirstItemKind kind);
    void shownContainerChanged(kivo::PackagePanelModel::Container container);

private:
    struct Row
    {
        SinglePackageModel* model = nullptr;
        bool special = false;
        QString kivoPkgName;
        QString iconPath;
        QString buyIconPath;
        QString type;                 // the record's "pkgType"
        float firstItemPrice = -1.0f; // the first-item record's price; negative: none
    };

    struct Values
    {
        qint16 qty, alt, extra, prePrint;
        bool operator==(const Values&) const = default;
    };
    Values valuesOf(int row) const;
    bool samePackage(int a, int b) const;
    void setQuantity(int row, qint16 quantity);
    bool finishChange(int row, const Values& before);
    void rowChanged(int row);
    static void zeroRow(SinglePackageModel* model);

    QList<Row> m_rows;
    int m_maxFirstItems = 0;
    SessionPricing m_pricing;
    Container m_shown = Container::Regular;
};

} // namespace kivo
