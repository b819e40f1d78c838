#include "admin/CatalogueEditor.h"

#include "admin/Logging.h"
#include "core/AtomicFile.h"
#include "core/ConsoleLog.h"
#include "core/PropertyList.h"
#include "orders/PackageCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

const char* const kKeys[CatalogueEditor::ColumnCount] = {
    nullptr,       "pkgPLU",         "pkgDisplayName", "pkgUnitPrice",   "pkgType",
    "pkgKivoName", "pkgKivoPkgName", "pkgIconName",    "pkgFirstItemPLU"};

const char* const kHeaders[CatalogueEditor::ColumnCount] = {
    QT_TRANSLATE_NOOP("Preferences", "Offered"),
    QT_TRANSLATE_NOOP("Preferences", "PLU"),
    QT_TRANSLATE_NOOP("Preferences", "Name"),
    QT_TRANSLATE_NOOP("Preferences", "Price"),
    QT_TRANSLATE_NOOP("Preferences", "Type"),
    QT_TRANSLATE_NOOP("Preferences", "Print host name"),
    QT_TRANSLATE_NOOP("Preferences", "Print host package"),
    QT_TRANSLATE_NOOP("Preferences", "Icon"),
    QT_TRANSLATE_NOOP("Preferences", "First-item PLU")};

const QString kDisplayKey = QStringLiteral("UIDisplayPackageList");

QString priceText(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong)
        return QString::number(value.toDouble(), 'f', 2);
    return value.toString();
}

QVariantMap forEditing(QVariantMap record)
{
    const QString price = QStringLiteral("pkgUnitPrice");
    if (record.contains(price))
        record.insert(price, priceText(record.value(price)));
    return record;
}

} // namespace

CatalogueEditor::CatalogueEditor(QObject* parent) : QAbstractTableModel(parent) {}

bool CatalogueEditor::load(QString* error)
{
    beginResetModel();
    m_rows.clear();
    m_modified = false;
    QString readError;
    const QString displayPath = PackageCatalogue::displayListPath();
    const QVariantMap display = plist::readFile(displayPath, &readError).toMap();
    QVariantMap master;
    const QString masterPath = PackageCatalogue::masterItemListPath();
    if (!masterPath.isEmpty() && QFileInfo::exists(masterPath))
        master = plist::readFile(masterPath, &readError).toMap();
    m_firstItems = display.value(QStringLiteral("NumberOfFirstItems")).toInt();
    if (master.isEmpty()) {
        for (const QVariant& record : display.value(kDisplayKey).toList())
            m_rows.append(Row{true, forEditing(record.toMap())});
    } else {
        QSet<QString> offered;
        for (const QVariant& plu : display.value(kDisplayKey + QStringLiteral("New")).toList()) {
            const auto it = master.constFind(plu.toString());
            if (it == master.cend() || offered.contains(it.key()))
                continue;
            offered.insert(it.key());
            m_rows.append(Row{true, forEditing(it->toMap())});
        }
        for (auto it = master.cbegin(); it != master.cend(); ++it) {
            if (!offered.contains(it.key()))
                m_rows.append(Row{false, forEditing(it->toMap())});
        }
    }
    endResetModel();
    if (display.isEmpty()) {
        if (error)
            *error = tr("The catalogue [%1] cannot be read: %2").arg(displayPath, readError);
        return false;
    }
    return true;
}

int CatalogueEditor::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CatalogueEditor::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatalogueEditor::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows.at(index.row());
    if (index.column() == Offered)
        return role == Qt::CheckStateRole ? QVariant(row.offered ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return row.record.value(QLatin1String(kKeys[index.column()])).toString();
}

bool CatalogueEditor::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return false;
    Row& row = m_rows[index.row()];
    if (index.column() == Offered) {
        if (role != Qt::CheckStateRole)
            return false;
        row.offered = value.toInt() == Qt::Checked;
    } else {
        if (role != Qt::EditRole)
            return false;
        const QString text = value.toString().trimmed();
        const QString key = QLatin1String(kKeys[index.column()]);
        if (text.isEmpty())
            row.record.remove(key);
        else
            row.record.insert(key, text);
    }
    m_modified = true;
    emit dataChanged(index, index);
    return true;
}

QVariant CatalogueEditor::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QCoreApplication::translate("Preferences", kHeaders[section]);
}

Qt::ItemFlags CatalogueEditor::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == Offered ? base | Qt::ItemIsUserCheckable : base | Qt::ItemIsEditable;
}

void CatalogueEditor::addPackage(int row)
{
    if (row < 0 || row > m_rows.size())
        row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(row, Row{true, {{QStringLiteral("pkgType"), QStringLiteral("Print")}}});
    endInsertRows();
    m_modified = true;
}

void CatalogueEditor::removePackage(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    m_modified = true;
}

void CatalogueEditor::movePackage(int row, int step)
{
    const int to = row + step;
    if (row < 0 || row >= m_rows.size() || to < 0 || to >= m_rows.size() || step == 0)
        return;
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), step > 0 ? to + 1 : to);
    m_rows.move(row, to);
    endMoveRows();
    m_modified = true;
}

void CatalogueEditor::setNumberOfFirstItems(int count)
{
    m_firstItems = std::max(0, count);
    m_modified = true;
}

bool CatalogueEditor::build(QVariantMap* display, QVariantMap* master, QString* reason) const
{
    auto refuse = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    QSet<QString> plus;
    for (const Row& row : m_rows)
        plus.insert(row.record.value(QStringLiteral("pkgPLU")).toString().trimmed().toLower());

    QVariantMap records;
    QVariantList offeredRecords;
    QVariantList offeredPLUs;
    QSet<QString> seen;
    for (int i = 0; i < m_rows.size(); ++i) {
        QVariantMap record = m_rows.at(i).record;
        const QString plu = record.value(QStringLiteral("pkgPLU")).toString().trimmed();
        const QString name = record.value(QStringLiteral("pkgDisplayName")).toString();
        const QString& who = plu;
        if (plu.isEmpty())
            return refuse(tr("The package in row %1 (%2) has no PLU.").arg(i + 1).arg(name));
        if (seen.contains(plu.toLower()))
            return refuse(tr("The PLU %1 is listed twice.").arg(plu));
        seen.insert(plu.toLower());
        const QString priceText = record.value(QStringLiteral("pkgUnitPrice")).toString();
        bool ok = false;
        const double price = QLocale::c().toDouble(priceText.trimmed(), &ok);
        if (!ok || !std::isfinite(price) || price < 0)
            return refuse(tr("The price of %1 is not a number: [%2].").arg(who, priceText));
        record.insert(QStringLiteral("pkgUnitPrice"), price);
        const QString type = record.value(QStringLiteral("pkgType")).toString();
        if (type.compare(QLatin1String("Print"), Qt::CaseInsensitive) != 0 &&
            type.compare(QLatin1String("Flash"), Qt::CaseInsensitive) != 0 &&
            type.compare(QLatin1String("promo"), Qt::CaseInsensitive) != 0)
            return refuse(
                tr("The type of %1 is [%2]; it must be Print, Flash or promo.").arg(who, type));
        const QString first = record.value(QStringLiteral("pkgFirstItemPLU")).toString();
        if (!first.isEmpty() && !plus.contains(first.toLower()))
            return refuse(tr("The first-item PLU [%1] of %2 names no package.").arg(first, who));
        record.insert(QStringLiteral("pkgPLU"), plu);
        records.insert(plu, record);
        if (m_rows.at(i).offered) {
            offeredRecords.append(record);
            offeredPLUs.append(plu);
        }
    }
    if (offeredPLUs.isEmpty())
        return refuse(tr("No package is offered: the panel would be empty."));
    QVariantMap list;
    list.insert(kDisplayKey, offeredRecords);
    list.insert(kDisplayKey + QStringLiteral("New"), offeredPLUs);
    list.insert(QStringLiteral("NumberOfFirstItems"), qint64(m_firstItems));

    // The last word is the station's own loader: what it would refuse is refused here.
    QTemporaryDir trial;
    const QString trialDisplay = trial.filePath(QStringLiteral("UIDisplayPackageList.plist"));
    const QString trialMaster = trial.filePath(QStringLiteral("MasterItemList.plist"));
    QString error;
    if (!trial.isValid() || !plist::writeFile(trialDisplay, list, &error) ||
        !plist::writeFile(trialMaster, records, &error))
        return refuse(tr("The catalogue cannot be checked: %1").arg(error));
    PackageCatalogue check;
    if (!check.loadFromFiles(trialDisplay, trialMaster))
        return refuse(check.loadError());
    if (display)
        *display = list;
    if (master)
        *master = records;
    return true;
}

bool CatalogueEditor::save(QString* reason)
{
    QVariantMap display;
    QVariantMap master;
    QString why;
    if (!build(&display, &master, &why)) {
        consoleLog(lcAdmin(), "CatalogueEditor", "save", QStringLiteral("refused: %1").arg(why));
        if (reason)
            *reason = why;
        return false;
    }
    const QDir folder(PackageCatalogue::siteCatalogueFolder());
    QDir().mkpath(folder.path());
    const QString displayPath = folder.filePath(QStringLiteral("UIDisplayPackageList.plist"));
    const QString masterPath = folder.filePath(QStringLiteral("MasterItemList.plist"));
    QString error;
    // The catalogue in force so far (the site's, or the shipped one) is kept as the backup.
    const QList<QPair<QString, QString>> backups = {
        {PackageCatalogue::masterItemListPath(),
         folder.filePath(QStringLiteral("MasterItemList.previous.plist"))},
        {PackageCatalogue::displayListPath(),
         folder.filePath(QStringLiteral("UIDisplayPackageList.previous.plist"))}};
    for (const auto& [from, to] : backups) {
        QFile current(from);
        if (from.isEmpty() || !current.exists())
            continue;
        if (!current.open(QIODevice::ReadOnly) ||
            !writeFileAtomically(to, current.readAll(), &error)) {
            if (reason)
                *reason = tr("The previous catalogue cannot be kept: %1").arg(error);
            return false;
        }
    }
    // The master list first: a stop between the two writes leaves the previous panel over the
    // new records, never a panel naming packages that were not written.
    if (!plist::writeFile(masterPath, master, &error) ||
        !plist::writeFile(displayPath, display, &error)) {
        if (reason)
            *reason = tr("The catalogue cannot be saved: %1").arg(error);
        return false;
    }
    m_modified = false;
    consoleLog(lcAdmin(), "CatalogueEditor", "save",
               QStringLiteral("saved to [%1]").arg(folder.path()));
    emit saved();
    return true;
}

} // namespace kivo
