#include "output/DayReport.h"

#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "output/OrderFields.h"
#include "output/PendingInvoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTextStream>

#include <optional>
#include <utility>

namespace kivo {

namespace {

const QLatin1String kFullOrderSuffix("_orderOrig.plist");
const QLatin1String kPrintJobSuffix("_order.plist");
const QLatin1String kInvoiceSuffix(".txt");
// A pending invoice is a few hundred bytes a photo; anything far larger is not one.
constexpr qint64 kMaxInvoiceBytes = qint64(4) * 1024 * 1024;

// The texts' translation context, named here so that lupdate files them under the context
// they are looked up in at run time.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DayReport)
};

// The amounts in the files are floats; they are printed with two decimals, and so are counted.
QString fileMoney(const QVariant& value)
{
    return QString::asprintf("%.2f", double(float(Settings::toDouble(value))));
}

Cents centsOf(const QString& twoDecimals)
{
    return wholeCents(twoDecimals.toDouble());
}

Cents fileCents(const QVariant& value)
{
    return centsOf(fileMoney(value));
}

struct InvoiceRecord
{
    QString plu;
    QString photo;
    qint64 qty = 0;
    QString unitPrice;
    QString extPrice;
    QString displayName;
};

struct Invoice
{
    bool readable = false;
    QString error;
    QDateTime writtenAt; // invalid when the data line's date and time cannot be read
    QList<InvoiceRecord> records;
};

// "MM/dd/yy" and "HH:mm AM" as the invoice's data line carries them, in local time.
QDateTime invoiceDateTime(const QString& date, const QString& time)
{
    const QStringList parts = date.split(QLatin1Char('/'));
    if (parts.size() != 3 || parts.at(2).size() != 2)
        return {};
    bool okMonth = false, okDay = false, okYear = false;
    const QDate day(2000 + parts.at(2).toInt(&okYear), parts.at(0).toInt(&okMonth),
                    parts.at(1).toInt(&okDay));
    const QTime clock = QTime::fromString(time.left(5), QStringLiteral("HH:mm"));
    if (!okMonth || !okDay || !okYear || !day.isValid() || !clock.isValid())
        return {};
    return QDateTime(day, clock);
}

Invoice readInvoice(const QString& path)
{
    Invoice invoice;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        invoice.error = Texts::tr("cannot read %1: %2").arg(path, file.errorString());
        return invoice;
    }
    const QByteArray bytes = file.read(kMaxInvoiceBytes + 1);
    const QString text = QString::fromUtf8(bytes);
    const qsizetype headerEnd = text.indexOf(QLatin1Char('\r'));
    const QStringList fields = text.mid(headerEnd + 1).split(QLatin1Char('\t'));
    if (bytes.size() > kMaxInvoiceBytes || headerEnd < 0 ||
        !text.startsWith(QLatin1String("versNum\t")) || fields.size() != 4 ||
        fields.at(0) != QLatin1String("V1002")) {
        invoice.error = Texts::tr("%1 is not a pending invoice").arg(path);
        return invoice;
    }
    invoice.writtenAt = invoiceDateTime(fields.at(1), fields.at(2));
    const QStringList records = fields.at(3).split(QLatin1Char('~'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QStringList f = records.at(i).split(QLatin1Char(','));
        bool qtyOk = false;
        const qint64 qty = f.size() == 6 ? f.at(3).toLongLong(&qtyOk) : 0;
        if (!qtyOk) {
            invoice.error =
                Texts::tr("record %1 of %2 is not PLU, name, photo, quantity, unit price "
                          "and amount")
                    .arg(i + 1)
                    .arg(path);
            return invoice;
        }
        invoice.records.append({f.at(0), f.at(2), qty, f.at(4), f.at(5), f.at(1)});
    }
    invoice.readable = true;
    return invoice;
}

// The free sheets are billed in whole cents, which an amount that does not divide evenly
// splits into records of one cent apart: the records from FIRST on that bill free sheets are
// taken together as the one record they stand for.
void joinFreeSheetRecords(Invoice& invoice, qsizetype first)
{
    const QLatin1String freeSheet("freeSheet");
    if (first >= invoice.records.size() || invoice.records.at(first).photo != freeSheet)
        return;
    InvoiceRecord& joined = invoice.records[first];
    Cents amount = centsOf(joined.extPrice);
    while (first + 1 < invoice.records.size() && invoice.records.at(first + 1).photo == freeSheet &&
           invoice.records.at(first + 1).plu == joined.plu) {
        const InvoiceRecord next = invoice.records.takeAt(first + 1);
        joined.qty += next.qty;
        amount += centsOf(next.extPrice);
        if (next.unitPrice != joined.unitPrice)
            joined.unitPrice.clear();
    }
    joined.extPrice = QString::asprintf("%.2f", double(amount) / 100.0);
}

// What the invoice must bill for one record of the order file; a field left empty is not
// compared (the free sheets' PLU and price are the site's, not the order file's).
struct ExpectedRecord
{
    QString label;
    QString plu;
    qint64 qty = 0;
    QString unitPrice;
    QString extPrice;
};

QList<ExpectedRecord> expectedRecords(const QVariantMap& order)
{
    QList<ExpectedRecord> expected;
    for (const QVariant& item : order.value(QStringLiteral("listOfPackages")).toList()) {
        const QVariantMap entry = item.toMap();
        const QString plu = invoiceFieldText(entry.value(QStringLiteral("pkgPLU")).toString());
        expected.append({plu, plu, Settings::toInteger(entry.value(QStringLiteral("pkgQty"))),
                         fileMoney(entry.value(QStringLiteral("pkgUnitPrice"))),
                         fileMoney(entry.value(QStringLiteral("pkgTotal")))});
    }
    const qint64 freeSheets = Settings::toInteger(order.value(QStringLiteral("freeSheets")));
    if (freeSheets != 0)
        expected.append({Texts::tr("free sheets"), QString(), freeSheets, QString(), QString()});
    if (order.contains(QStringLiteral("discountAmt"))) {
        const float amount = -float(Settings::toDouble(order.value(QStringLiteral("discountAmt"))));
        if (amount != 0.0f) {
            const QString text = QString::asprintf("%.2f", double(amount));
            expected.append({Texts::tr("discount"), QString(), 1, text, text});
        }
    }
    return expected;
}

void crossCheck(const QString& id, const QVariantMap& order, const Invoice& invoice,
                QList<CrossCheckFinding>& findings)
{
    auto differs = [&](const QString& detail) {
        findings.append({CrossCheckFinding::Kind::DifferentRecord, id, detail});
    };
    const QList<ExpectedRecord> expected = expectedRecords(order);
    const qsizetype count = std::max(expected.size(), invoice.records.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (i >= invoice.records.size()) {
            differs(Texts::tr("record %1 (%2) is in the order file but not in the invoice")
                        .arg(i + 1)
                        .arg(expected.at(i).label));
            continue;
        }
        const InvoiceRecord& got = invoice.records.at(i);
        if (i >= expected.size()) {
            differs(Texts::tr("record %1 (%2) of the invoice is not in the order file")
                        .arg(i + 1)
                        .arg(got.plu));
            continue;
        }
        const ExpectedRecord& want = expected.at(i);
        auto field = [&](const char* name, const QString& inOrder, const QString& inInvoice) {
            if (!inOrder.isEmpty() && inOrder != inInvoice)
                differs(Texts::tr("record %1 (%2): %3 %4 in the order file, %5 in the invoice")
                            .arg(i + 1)
                            .arg(want.label, Texts::tr(name), inOrder, inInvoice));
        };
        field(QT_TRANSLATE_NOOP("DayReport", "PLU"), want.plu, got.plu);
        field(QT_TRANSLATE_NOOP("DayReport", "quantity"), QString::number(want.qty),
              QString::number(got.qty));
        field(QT_TRANSLATE_NOOP("DayReport", "unit price"), want.unitPrice, got.unitPrice);
        field(QT_TRANSLATE_NOOP("DayReport", "amount"), want.extPrice, got.extPrice);
    }
}

struct Candidate
{
    QString fullOrder;
    QString invoice;     // the newest: written with the order file
    QStringList earlier; // a returning customer's earlier invoices, not billed yet
};

// A returning customer's next invoice goes beside one the point-of-sale system has not yet
// billed, as "ID-2.txt", "ID-3.txt", ...: NAME (without ".txt") is such a further invoice of the
// customer it returns, or names a customer of its own (an empty string). A name that has a
// full-order file of its own is a customer of its own.
QString furtherInvoiceOf(const QString& name, const QDir& orders)
{
    const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
    if (dash <= 0)
        return {};
    const QString number = name.mid(dash + 1);
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok || n < 2 || number.startsWith(QLatin1Char('0')))
        return {};
    if (QFileInfo::exists(orders.filePath(name + kFullOrderSuffix)))
        return {};
    return name.left(dash);
}

bool readableFolder(const QString& folder, Setting setting, QString* error)
{
    const QFileInfo info(folder);
    if (!folder.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable())
        return true;
    if (error) {
        *error = folder.isEmpty()
                     ? Texts::tr("the folder setting %1 is not set").arg(settingKeyString(setting))
                     : Texts::tr("cannot read the folder %1 (%2)")
                           .arg(folder, settingKeyString(setting));
    }
    return false;
}

QString padded(const QString& text, int width, bool right = false)
{
    return right ? text.rightJustified(width) : text.leftJustified(width);
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

SalesFigures& SalesFigures::operator+=(const SalesFigures& other)
{
    orders += other.orders;
    subTotal += other.subTotal;
    discounts += other.discounts;
    tax += other.tax;
    total += other.total;
    return *this;
}

DayReport::Folders DayReport::foldersFromSettings(const Settings& settings)
{
    Folders folders;
    folders.orders = settings.localServerPath();
    if (folders.orders.isEmpty())
        folders.orders = paths::sharedOrderFolder();
    folders.invoices = settings.tilboxPendingInvoiceFolder();
    return folders;
}

bool DayReport::load(const Folders& folders, const QDate& day, QString* error)
{
    *this = DayReport();
    m_day = day;
    if (!readableFolder(folders.orders, Setting::localServerPath, error) ||
        !readableFolder(folders.invoices, Setting::tilboxPendingInvoiceFolder, error))
        return false;
    loadFiles(QDir(folders.orders), invoiceFiles(QDir(folders.invoices)), day);
    return true;
}

void DayReport::loadFiles(const QDir& orders, const QStringList& invoiceFiles, const QDate& day)
{
    *this = DayReport();
    m_day = day;
    QMap<QString, Candidate> byId;
    for (const QString& name :
         orders.entryList({QLatin1String("*") + kFullOrderSuffix}, QDir::Files, QDir::Name)) {
        const QString id = name.chopped(kFullOrderSuffix.size());
        if (isValidCustomerId(id))
            byId[id].fullOrder = orders.filePath(name);
    }
    for (const QString& path : invoiceFiles) {
        const QString id = QFileInfo(path).fileName().chopped(kInvoiceSuffix.size());
        const QString returning = furtherInvoiceOf(id, orders);
        Candidate& files = byId[returning.isEmpty() ? id : returning];
        // The newest invoice is the one written with the order file: a returning customer's
        // next order replaced the order file of the earlier ones.
        if (!files.invoice.isEmpty() &&
            QFileInfo(files.invoice).lastModified() > QFileInfo(path).lastModified())
            files.earlier.append(path);
        else if (!files.invoice.isEmpty())
            files.earlier.append(std::exchange(files.invoice, path));
        else
            files.invoice = path;
    }

    QMap<int, HourSales> hours;
    QMap<std::pair<QString, QString>, PackageSales> packages;
    // A returning customer's earlier invoice of the day: its order file was replaced by the next
    // order's, so the invoice alone says what it sold, and without its print job its tax is not
    // known. Without any order file it is an orphan like any other.
    auto earlierInvoice = [&](const QString& id, const Candidate& files, const QString& path) {
        const Invoice invoice = readInvoice(path);
        const QDateTime when =
            invoice.writtenAt.isValid() ? invoice.writtenAt : QFileInfo(path).lastModified();
        if (when.date() != day)
            return;
        if (!invoice.readable) {
            m_findings.append({CrossCheckFinding::Kind::Unreadable, id, invoice.error});
            return;
        }
        if (files.fullOrder.isEmpty()) {
            m_findings.append({CrossCheckFinding::Kind::OrphanInvoice, id,
                               Texts::tr("pending invoice %1 without an order file")
                                   .arg(QFileInfo(path).fileName())});
            return;
        }
        ++m_orderCount;
        SalesFigures figures;
        figures.orders = 1;
        for (const InvoiceRecord& record : invoice.records) {
            const Cents amount = centsOf(record.extPrice);
            // Packages bill a price; the free sheets and the discount take one off.
            if (amount < 0) {
                figures.discounts -= amount;
                continue;
            }
            PackageSales& sales = packages[{record.plu, record.displayName}];
            sales.plu = record.plu;
            sales.displayName = record.displayName;
            sales.quantity += record.qty;
            sales.amount += amount;
            figures.subTotal += amount;
        }
        HourSales& hour = hours[when.time().hour()];
        hour.hour = when.time().hour();
        hour.taxNotKnown += figures;
        m_taxNotKnownIds.append(id);
    };
    for (auto it = byId.constBegin(); it != byId.constEnd(); ++it) {
        const QString& id = it.key();
        const Candidate& files = it.value();
        for (const QString& path : files.earlier)
            earlierInvoice(id, files, path);
        const std::optional<Invoice> invoice =
            files.invoice.isEmpty() ? std::nullopt : std::optional(readInvoice(files.invoice));
        // An order is dated by its invoice (a few hundred bytes); the order files of other days
        // are never parsed.
        QDateTime when = invoice ? invoice->writtenAt : QDateTime();
        if (!when.isValid())
            when = QFileInfo(files.fullOrder.isEmpty() ? files.invoice : files.fullOrder)
                       .lastModified();
        if (when.date() != day)
            continue;

        if (invoice && !invoice->readable)
            m_findings.append({CrossCheckFinding::Kind::Unreadable, id, invoice->error});
        if (files.fullOrder.isEmpty()) {
            m_findings.append({CrossCheckFinding::Kind::OrphanInvoice, id,
                               Texts::tr("pending invoice without an order file")});
            continue;
        }
        QString readError;
        const QVariant read = plist::readFile(files.fullOrder, &readError);
        if (read.typeId() != QMetaType::QVariantMap) {
            m_findings.append({CrossCheckFinding::Kind::Unreadable, id,
                               readError.isEmpty()
                                   ? Texts::tr("%1 is not an order").arg(files.fullOrder)
                                   : readError});
            continue;
        }
        const QVariantMap order = read.toMap();
        ++m_orderCount;
        const qsizetype entries = order.value(QStringLiteral("listOfPackages")).toList().size();
        const bool hasFreeSheets =
            Settings::toInteger(order.value(QStringLiteral("freeSheets"))) != 0;
        std::optional<Invoice> joined = invoice;
        if (joined && joined->readable && hasFreeSheets)
            joinFreeSheetRecords(*joined, entries);
        if (!invoice)
            m_findings.append(
                {CrossCheckFinding::Kind::MissingInvoice, id, Texts::tr("no pending invoice")});
        else if (invoice->readable)
            crossCheck(id, order, *joined, m_findings);

        SalesFigures figures;
        figures.orders = 1;
        for (const QVariant& item : order.value(QStringLiteral("listOfPackages")).toList()) {
            const QVariantMap entry = item.toMap();
            const QString plu = entry.value(QStringLiteral("pkgPLU")).toString();
            const QString name = entry.value(QStringLiteral("pkgDisplayName")).toString();
            PackageSales& sales = packages[{plu, name}];
            sales.plu = plu;
            sales.displayName = name;
            sales.quantity += Settings::toInteger(entry.value(QStringLiteral("pkgQty")));
            const Cents amount = fileCents(entry.value(QStringLiteral("pkgTotal")));
            sales.amount += amount;
            figures.subTotal += amount;
        }
        figures.discounts = fileCents(order.value(QStringLiteral("discountAmt")));

        // The free sheets' value is billed by the invoice's records after the packages.
        std::optional<Cents> freeSheetValue;
        if (!hasFreeSheets)
            freeSheetValue = 0;
        else if (joined && joined->readable && joined->records.size() > entries)
            freeSheetValue = -centsOf(joined->records.at(entries).extPrice);

        // Tax and total only as the summary computed them: the print job's totals record.
        QVariantMap totals;
        // A returning customer's print job goes beside one the host has not taken yet: the
        // newest is the order file's.
        const QString printJob = newestOrderFilePath(orders.path(), id, kPrintJobSuffix);
        if (!printJob.isEmpty()) {
            totals = plist::readFile(printJob)
                         .toMap()
                         .value(QStringLiteral("curOrderTotalsInfo"))
                         .toMap();
        }
        bool taxKnown = totals.contains(QStringLiteral("tax")) &&
                        totals.contains(QStringLiteral("total")) &&
                        totals.contains(QStringLiteral("subTotal"));
        // A print job left from an earlier order of the same ID (the next one had nothing to
        // print) must not lend it its tax: the subtotals agree to the rounding of each line.
        const Cents totalsSubTotal = fileCents(totals.value(QStringLiteral("subTotal")));
        if (taxKnown && qAbs(totalsSubTotal - figures.subTotal) > entries) {
            m_findings.append(
                {CrossCheckFinding::Kind::DifferentRecord, id,
                 Texts::tr("the print job's totals are for a subtotal of %1, the order "
                           "file's is %2: its tax is not used")
                     .arg(money(totalsSubTotal), money(figures.subTotal))});
            taxKnown = false;
        }
        HourSales& hour = hours[when.time().hour()];
        hour.hour = when.time().hour();
        if (taxKnown) {
            figures.subTotal = totalsSubTotal;
            figures.tax = fileCents(totals.value(QStringLiteral("tax")));
            figures.total = fileCents(totals.value(QStringLiteral("total")));
            const Cents discount = fileCents(totals.value(QStringLiteral("discount")));
            // Without the invoice's record, what the total took off beyond the discount.
            figures.discounts = discount + freeSheetValue.value_or(figures.subTotal + figures.tax -
                                                                   discount - figures.total);
            hour.figures += figures;
        } else {
            figures.discounts += freeSheetValue.value_or(0);
            hour.taxNotKnown += figures;
            m_taxNotKnownIds.append(id);
        }
    }
    m_hours = hours.values();
    m_packages = packages.values();
}

void DayReport::add(const DayReport& other)
{
    m_orderCount += other.m_orderCount;
    const QList<HourSales> ownHours = m_hours;
    QMap<int, HourSales> hours;
    for (const QList<HourSales>* list : {&ownHours, &other.m_hours}) {
        for (const HourSales& h : *list) {
            HourSales& sum = hours[h.hour];
            sum.hour = h.hour;
            sum.figures += h.figures;
            sum.taxNotKnown += h.taxNotKnown;
        }
    }
    m_hours = hours.values();
    const QList<PackageSales> ownPackages = m_packages;
    QMap<std::pair<QString, QString>, PackageSales> packages;
    for (const QList<PackageSales>* list : {&ownPackages, &other.m_packages}) {
        for (const PackageSales& p : *list) {
            PackageSales& sum = packages[{p.plu, p.displayName}];
            sum.plu = p.plu;
            sum.displayName = p.displayName;
            sum.quantity += p.quantity;
            sum.amount += p.amount;
        }
    }
    m_packages = packages.values();
    m_taxNotKnownIds += other.m_taxNotKnownIds;
    m_findings += other.m_findings;
}

QStringList DayReport::invoiceFiles(const QDir& invoices)
{
    QStringList files;
    for (const QString& name :
         invoices.entryList({QLatin1String("*") + kInvoiceSuffix}, QDir::Files, QDir::Name)) {
        if (isValidCustomerId(name.chopped(kInvoiceSuffix.size())))
            files.append(invoices.filePath(name));
    }
    return files;
}

bool SiteReport::load(const QStringList& orderFolders, const QString& invoiceFolder,
                      const QDate& day, QString* error)
{
    *this = SiteReport();
    m_site.m_day = day;
    for (const QString& folder : orderFolders) {
        if (!readableFolder(folder, Setting::localServerPath, error))
            return false;
    }
    if (!readableFolder(invoiceFolder, Setting::tilboxPendingInvoiceFolder, error))
        return false;

    // Each invoice of the shared folder is the station's whose order folder holds its order
    // file (its own, or its customer's for a returning customer's further invoice). Where a
    // customer bought at several stations, it is the one whose order file was written with it
    // or after it (a later order of that customer there replaced the order file): the earliest
    // such, else the newest.
    QList<QStringList> assigned(orderFolders.size());
    QStringList nobodys;
    for (const QString& path : DayReport::invoiceFiles(QDir(invoiceFolder))) {
        const QString id = QFileInfo(path).fileName().chopped(kInvoiceSuffix.size());
        const QDateTime written = QFileInfo(path).lastModified();
        qsizetype chosen = -1;
        QDateTime chosenTime;
        bool chosenAfter = false;
        for (qsizetype i = 0; i < orderFolders.size(); ++i) {
            const QDir orders(orderFolders.at(i));
            const QString returning = furtherInvoiceOf(id, orders);
            const QFileInfo order(
                orders.filePath((returning.isEmpty() ? id : returning) + kFullOrderSuffix));
            if (!order.isFile())
                continue;
            // The files of one release are renamed into place within moments of each other.
            const QDateTime time = order.lastModified();
            const bool after = time.addSecs(2) >= written;
            const bool better = chosen < 0 || (after && !chosenAfter) ||
                                (after && chosenAfter && time < chosenTime) ||
                                (!after && !chosenAfter && time > chosenTime);
            if (better) {
                chosen = i;
                chosenTime = time;
                chosenAfter = after;
            }
        }
        if (chosen < 0)
            nobodys.append(path);
        else
            assigned[chosen].append(path);
    }

    for (qsizetype i = 0; i < orderFolders.size(); ++i) {
        Station station{orderFolders.at(i), DayReport()};
        station.report.loadFiles(QDir(orderFolders.at(i)), assigned.at(i), day);
        m_site.add(station.report);
        m_stations.append(station);
    }
    // Invoices of no station: on the day, an orphan of the site.
    for (const QString& path : std::as_const(nobodys)) {
        const Invoice invoice = readInvoice(path);
        const QDateTime when =
            invoice.writtenAt.isValid() ? invoice.writtenAt : QFileInfo(path).lastModified();
        if (when.date() != day)
            continue;
        const QString name = QFileInfo(path).fileName();
        m_site.m_findings.append(
            {CrossCheckFinding::Kind::OrphanInvoice, name.chopped(kInvoiceSuffix.size()),
             Texts::tr("pending invoice %1 without an order file at any station").arg(name)});
    }
    return true;
}

QString SiteReport::toText() const
{
    QString text = Texts::tr("Site report for %1: %2 stations")
                       .arg(m_site.day().toString(Qt::ISODate))
                       .arg(m_stations.size()) +
                   QStringLiteral("\n\n");
    for (qsizetype i = 0; i < m_stations.size(); ++i) {
        text += Texts::tr("Station %1: %2").arg(i + 1).arg(m_stations.at(i).orders) +
                QStringLiteral("\n") + m_stations.at(i).report.toText() + QStringLiteral("\n");
    }
    text += Texts::tr("The site: every station together") + QStringLiteral("\n") + m_site.toText();
    return text;
}

QByteArray SiteReport::toCsv() const
{
    // The per-hour tables of each station and of the site, a blank line and their per-package
    // tables, each under one header with a first column saying whose the line is.
    const QByteArray lead = "station,";
    QByteArray hours, packages;
    auto append = [&](const QString& label, const QByteArray& tables) {
        const QByteArray whose = csvField(label).toUtf8() + ',';
        const qsizetype split = tables.indexOf("\n\n");
        const QList<std::pair<QByteArray*, QByteArray>> parts{{&hours, tables.left(split)},
                                                              {&packages, tables.mid(split + 2)}};
        for (const auto& [out, part] : parts) {
            const QList<QByteArray> lines = part.split('\n');
            if (out->isEmpty())
                *out += lead + lines.value(0) + '\n';
            for (const QByteArray& line : lines.mid(1)) {
                if (!line.isEmpty())
                    *out += whose + line + '\n';
            }
        }
    };
    for (const Station& station : m_stations)
        append(station.orders, station.report.toCsv());
    append(QStringLiteral("site"), m_site.toCsv());
    return hours + '\n' + packages;
}

SalesFigures DayReport::dayTotals() const
{
    SalesFigures sum;
    for (const HourSales& hour : m_hours)
        sum += hour.figures;
    return sum;
}

SalesFigures DayReport::taxNotKnown() const
{
    SalesFigures sum;
    for (const HourSales& hour : m_hours)
        sum += hour.taxNotKnown;
    return sum;
}

QString DayReport::money(Cents cents)
{
    const Cents whole = cents / 100;
    const Cents part = qAbs(cents % 100);
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 && whole == 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(part, 2, 10, QLatin1Char('0'));
}

QString DayReport::toText() const
{
    QString text;
    QTextStream out(&text);
    out << Texts::tr("End-of-day report for %1").arg(m_day.toString(Qt::ISODate)) << "\n";
    out << Texts::tr("Orders: %1").arg(m_orderCount) << "\n\n";

    out << Texts::tr("Items per package") << "\n";
    out << padded(Texts::tr("PLU"), 10) << padded(Texts::tr("Package"), 30)
        << padded(Texts::tr("Qty"), 8, true) << padded(Texts::tr("Amount"), 12, true) << "\n";
    for (const PackageSales& p : m_packages)
        out << padded(p.plu, 10) << padded(p.displayName, 30)
            << padded(QString::number(p.quantity), 8, true) << padded(money(p.amount), 12, true)
            << "\n";
    if (m_packages.isEmpty())
        out << Texts::tr("(nothing sold)") << "\n";

    out << "\n" << Texts::tr("Sales per hour") << "\n";
    auto row = [&](const QString& label, const SalesFigures& f, bool taxKnown) {
        const QString unknown = Texts::tr("not known");
        out << padded(label, 16) << padded(QString::number(f.orders), 7, true)
            << padded(money(f.subTotal), 12, true) << padded(money(f.discounts), 12, true)
            << padded(taxKnown ? money(f.tax) : unknown, 12, true)
            << padded(taxKnown ? money(f.total) : unknown, 12, true) << "\n";
    };
    out << padded(Texts::tr("Hour"), 16) << padded(Texts::tr("Orders"), 7, true)
        << padded(Texts::tr("Subtotal"), 12, true) << padded(Texts::tr("Discounts"), 12, true)
        << padded(Texts::tr("Tax"), 12, true) << padded(Texts::tr("Total"), 12, true) << "\n";
    for (const HourSales& h : m_hours) {
        if (h.figures.orders > 0)
            row(QStringLiteral("%1:00").arg(h.hour, 2, 10, QLatin1Char('0')), h.figures, true);
    }
    row(Texts::tr("Day"), dayTotals(), true);
    if (!m_taxNotKnownIds.isEmpty()) {
        row(Texts::tr("Tax not known"), taxNotKnown(), false);
        out << "  "
            << Texts::tr("no print job with totals for: %1").arg(m_taxNotKnownIds.join(", "))
            << "\n";
    }

    out << "\n" << Texts::tr("Cross-check of order files and invoices") << "\n";
    if (m_findings.isEmpty())
        out << Texts::tr("Every order file matches its invoice.") << "\n";
    for (const CrossCheckFinding& f : m_findings)
        out << "  " << f.customerId << ": " << f.detail << "\n";
    return text;
}

QByteArray DayReport::toCsv() const
{
    QString text;
    QTextStream out(&text);
    out << "hour,orders,subtotal,discounts,tax,total\n";
    auto row = [&](const QString& label, const SalesFigures& f, bool taxKnown) {
        out << label << ',' << f.orders << ',' << money(f.subTotal) << ',' << money(f.discounts)
            << ',' << (taxKnown ? money(f.tax) : QString()) << ','
            << (taxKnown ? money(f.total) : QString()) << "\n";
    };
    for (const HourSales& h : m_hours) {
        if (h.figures.orders > 0)
            row(QStringLiteral("%1:00").arg(h.hour, 2, 10, QLatin1Char('0')), h.figures, true);
    }
    row(QStringLiteral("day"), dayTotals(), true);
    if (!m_taxNotKnownIds.isEmpty())
        row(QStringLiteral("tax not known"), taxNotKnown(), false);
    out << "\nplu,package,quantity,amount\n";
    for (const PackageSales& p : m_packages)
        out << csvField(p.plu) << ',' << csvField(p.displayName) << ',' << p.quantity << ','
            << money(p.amount) << "\n";
    out.flush();
    return text.toUtf8();
}

} // namespace kivo
