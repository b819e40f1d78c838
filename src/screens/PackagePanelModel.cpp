#include "screens/PackagePanelModel.h"

#include "core/ConsoleLog.h"
#include "core/Paths.h"
#include "orders/ImageOrder.h"
#include "orders/OrderConstants.h"
#include "orders/PackageCatalogue.h"
#include "orders/SinglePackageModel.h"
#include "screens/SellingTotals.h"

#include <QDir>

#include <algorithm>

namespace kivo {

namespace {

// An image of the resources by name: the icons folder first, then the folder itself.
QString imagePath(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString icon =
        paths::resourcePath(QStringLiteral("icons/") + name, QStringLiteral("png"));
    return icon.isEmpty() ? paths::resourcePath(name, QStringLiteral("png")) : icon;
}

} // namespace

PackagePanelModel::PackagePanelModel(QObject* parent) : QAbstractListModel(parent) {}

void PackagePanelModel::build(const PackageCatalogue& catalogue)
{
    build(catalogue.displayPackageList(), catalogue.numberOfFirstItems());
    for (Row& row : m_rows) {
        if (const auto first = catalogue.translatedFirstItemInfo(row.model->packagePLU()))
            row.firstItemPrice = first->unitPrice;
    }
}

void PackagePanelModel::build(const QVariantList& displayList, int numberOfFirstItems)
{
    beginResetModel();
    for (const Row& row : std::as_const(m_rows))
        delete row.model;
    m_rows.clear();
    m_maxFirstItems = std::max(0, numberOfFirstItems);
    for (int i = 0; i < displayList.size(); ++i) {
        Row row;
        row.model = new SinglePackageModel(this);
        row.special = i < m_maxFirstItems;
        const QVariantMap fields = displayList.at(i).toMap();
        const PackageRecord record = PackageRecord::fromMap(fields);
        if (fields.isEmpty()) {
            row.model->assignName(row.special ? tr("Special Pkg#%1").arg(i)
                                              : tr("Regular Pkg#%1").arg(i));
        } else {
            row.iconPath = imagePath(record.iconName);
            row.kivoPkgName = record.kivoName;
            row.model->assignName(record.displayName);
            row.model->assignPLU(record.plu);
            row.model->assignPkgType(record.kivoPkgName);
            row.model->assignUnitPrice(record.unitPrice);
            row.type = record.type;
        }
        if (i == 0)
            row.buyIconPath = imagePath(QStringLiteral("button_choose6x8"));
        else if (i == 1)
            row.buyIconPath = imagePath(QStringLiteral("button_USB_noPrints"));
        m_rows.append(row);
    }
    endResetModel();
    showPackageView(int(Container::Regular));
}

SinglePackageModel* PackagePanelModel::rowModel(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).model : nullptr;
}

bool PackagePanelModel::isSpecial(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).special;
}

QString PackagePanelModel::kivoPkgName(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).kivoPkgName : QString();
}

QString PackagePanelModel::iconPath(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).iconPath : QString();
}

float PackagePanelModel::unitPriceNow(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return 0.0f;
    const Row& r = m_rows.at(row);
    const float unit = r.model->unitPrice();
    if (r.firstItemPrice < 0.0f)
        return unit;
    const auto is = [&r](const char* type) {
        return r.type.compare(QLatin1String(type), Qt::CaseInsensitive) == 0;
    };
    // The same classes the session order assembly sorts its lines into.
    const bool drive =
        is(sPackageType_FlashUsb) ||
        r.model->packagePLU().compare(QLatin1String(sUsbDrivePLU), Qt::CaseInsensitive) == 0;
    if (drive) {
        if (m_pricing.printEntries == 0)
            return m_pricing.usbEntries == 0 ? r.firstItemPrice : unit;
        const bool reduced = m_pricing.reducedUsbMinimum <= 1 ||
                             m_pricing.printSheets >= m_pricing.reducedUsbMinimum;
        return reduced || !is(sPackageType_FlashUsb) ? unit : r.firstItemPrice;
    }
    if (is("promo"))
        return unit;
    return m_pricing.printEntries == 0 ? r.firstItemPrice : unit;
}

void PackagePanelModel::setSessionPricing(const SessionPricing& pricing)
{
    if (pricing == m_pricing)
        return;
    m_pricing = pricing;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1), {PriceRole});
}

PackagePanelModel::Values PackagePanelModel::valuesOf(int row) const
{
    const SinglePackageModel* m = m_rows.at(row).model;
    return {m->packageQtyValue(), m->altPackageQtyValue(), m->hasExtraCount(),
            m->prePrintedQtyValue()};
}

void PackagePanelModel::setQuantity(int row, qint16 quantity)
{
    SinglePackageModel* m = m_rows.at(row).model;
    m->assignValue(quantity);
    // The alternate quantity always follows: the quantity plus the free extra items.
    m->assignAltValue(static_cast<qint16>(quantity + m->hasExtraCount()));
}

bool PackagePanelModel::finishChange(int row, const Values& before)
{
    if (valuesOf(row) == before)
        return false;
    rowChanged(row);
    emit quantityChanged(row);
    return true;
}

bool PackagePanelModel::increment(int row)
{
    if (!rowModel(row))
        return false;
    const Values before = valuesOf(row);
    setQuantity(row, std::min<qint16>(static_cast<qint16>(before.qty + 1), kMaxQuantity));
    return finishChange(row, before);
}

bool PackagePanelModel::decrement(int row)
{
    if (!rowModel(row))
        return false;
    const Values before = valuesOf(row);
    setQuantity(row, std::max<qint16>(static_cast<qint16>(before.qty - 1), 0));
    return finishChange(row, before);
}

bool PackagePanelModel::clear(int row)
{
    if (!rowModel(row))
        return false;
    const Values before = valuesOf(row);
    setQuantity(row, 0);
    return finishChange(row, before);
}

void PackagePanelModel::buyFirstOne(int row, FirstItemKind kind)
{
    if (!rowModel(row))
        return;
    bool shared = false;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (i == row || !samePackage(i, row))
            continue;
        shared = true;
        const Values before = valuesOf(i);
        setQuantity(i, 1);
        finishChange(i, before);
    }
    if (!shared)
        increment(row);
    showPackageView(int(Container::Regular));
    emit firstPackageEntered(row, kind);
}

bool PackagePanelModel::samePackage(int a, int b) const
{
    const QString& first = m_rows.at(a).kivoPkgName;
    const QString& second = m_rows.at(b).kivoPkgName;
    return !first.isEmpty() && !second.isEmpty() && first.compare(second, Qt::CaseInsensitive) == 0;
}

bool PackagePanelModel::hasRegularRow(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return false;
    if (!m_rows.at(row).special)
        return true;
    for (int i = m_maxFirstItems; i < m_rows.size(); ++i) {
        if (samePackage(i, row))
            return true;
    }
    return false;
}

int PackagePanelModel::addSamplePrint(const QString& plu)
{
    if (plu.isEmpty())
        return 0;
    int taken = 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        SinglePackageModel* m = m_rows.at(i).model;
        if (m->packagePLU().compare(plu, Qt::CaseInsensitive) != 0)
            continue;
        const Values before = valuesOf(i);
        m->assignPrePrintedQtyValue(
            std::min<qint16>(static_cast<qint16>(before.prePrint + 1), kMaxQuantity));
        setQuantity(i, std::min<qint16>(static_cast<qint16>(before.qty + 1), kMaxQuantity));
        finishChange(i, before);
        ++taken;
    }
    return taken;
}

void PackagePanelModel::zeroRow(SinglePackageModel* model)
{
    model->assignValue(0);
    model->assignAltValue(0);
    model->assignHasExtraCountValue(0);
    model->assignPrePrintedQtyValue(0);
    model->calculateSubTotal();
}

void PackagePanelModel::zeroSubtotalsAndQtys(bool firstPackageEntered)
{
    for (int i = firstPackageEntered ? 2 : 0; i < m_rows.size(); ++i)
        zeroRow(m_rows.at(i).model);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1));
}

void PackagePanelModel::copyImageOrderToModelData(const ImageOrder& order)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        SinglePackageModel* m = m_rows.at(i).model;
        if (i >= order.lineCount()) {
            zeroRow(m);
            continue;
        }
        const LineItem& line = order.line(i);
        m->assignPrePrintedQtyValue(static_cast<qint16>(line.pkgPrePrintQty()));
        m->assignUnitPrice(line.pkgUnitPrice());
        m->assignHasExtraCountValue(static_cast<qint16>(line.pkgHasExtraCount()));
        setQuantity(i, static_cast<qint16>(line.pkgQty()));
    }
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1));
}

void PackagePanelModel::copyModelDataToImageOrder(ImageOrder& order) const
{
    const int n = std::min(static_cast<int>(m_rows.size()), order.lineCount());
    for (int i = 0; i < n; ++i) {
        const SinglePackageModel* m = m_rows.at(i).model;
        LineItem& line = order.line(i);
        line.setPkgQty(m->packageQtyValue());
        line.setPkgAltQty(m->altPackageQtyValue());
        line.setPkgHasExtraCount(m->hasExtraCount());
        line.setPkgPrePrintQty(m->prePrintedQtyValue());
    }
}

float PackagePanelModel::computeAllSubTotals()
{
    float sum = 0.0f;
    for (const Row& row : std::as_const(m_rows)) {
        row.model->calculateSubTotal();
        sum += row.model->subTotal();
    }
    return sum;
}

qint16 PackagePanelModel::computeAllTotalSheets() const
{
    qint16 sum = 0;
    for (const Row& row : m_rows)
        sum = static_cast<qint16>(sum + row.model->packageQtyValue());
    return sum;
}

void PackagePanelModel::showPackageView(int which)
{
    const Container shown = which == 1 ? Container::Special : Container::Regular;
    if (shown == m_shown)
        return;
    m_shown = shown;
    emit shownContainerChanged(shown);
}

void PackagePanelModel::rowChanged(int row)
{
    emit dataChanged(index(row), index(row));
}

int PackagePanelModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant PackagePanelModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows.at(index.row());
    const SinglePackageModel* m = row.model;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m->packageName();
    case QuantityRole:
        return int(m->packageQtyValue());
    case AltQuantityRole:
        return int(m->altPackageQtyValue());
    case PrePrintRole:
        return int(m->prePrintedQtyValue());
    case UnitPriceRole:
        return moneyText(m->unitPrice());
    case SubTotalRole:
        return moneyText(static_cast<float>(m->packageQtyValue()) * m->unitPrice());
    case PLURole:
        return m->packagePLU();
    case SpecialRole:
        return row.special;
    case IconPathRole:
        return row.iconPath;
    case BuyIconPathRole:
        return row.buyIconPath;
    case KivoNameRole:
        return row.kivoPkgName;
    case PriceRole:
        return moneyText(unitPriceNow(index.row()));
    default:
        return {};
    }
}

QHash<int, QByteArray> PackagePanelModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(QuantityRole, "quantity");
    names.insert(AltQuantityRole, "altQuantity");
    names.insert(PrePrintRole, "prePrint");
    names.insert(UnitPriceRole, "unitPrice");
    names.insert(SubTotalRole, "subTotal");
    names.insert(PLURole, "plu");
    names.insert(SpecialRole, "special");
    names.insert(IconPathRole, "iconPath");
    names.insert(BuyIconPathRole, "buyIconPath");
    names.insert(KivoNameRole, "kivoName");
    names.insert(PriceRole, "price");
    return names;
}

} // namespace kivo
