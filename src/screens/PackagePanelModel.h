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
        KivoNameRole
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

    // The rows' buttons. Each answers whether the row changed; a change emits quantityChanged.
    bool increment(int row);
    bool decrement(int row);
    bool clear(int row);
    // Sets quantity 1 on the other rows of the same package (by internal name, ignoring case),
    // shows the regular rows and announces firstPackageEntered. The pressed row is unchanged.
    void buyFirstOne(int row, FirstItemKind kind = FirstItemKind::Print);
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
    void doShowPackageView(int which);
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
    };

    struct Values
    {
        qint16 qty, alt, extra, prePrint;
        bool operator==(const Values&) const = default;
    };
    Values valuesOf(int row) const;
    void setQuantity(int row, qint16 quantity);
    bool finishChange(int row, const Values& before);
    void rowChanged(int row);
    static void zeroRow(SinglePackageModel* model);

    QList<Row> m_rows;
    int m_maxFirstItems = 0;
    Container m_shown = Container::Regular;
};

} // namespace kivo
