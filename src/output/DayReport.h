#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

namespace kivo {

class Settings;

// Money in whole cents, as the order files and the invoice print it (two decimals).
using Cents = qint64;

// The sales figures of a group of orders. Discounts are the discount amount and the free
// sheets' value together, as a positive amount: total = subtotal - discounts + tax (to the cent
// the station rounded each order's total to).
struct SalesFigures
{
    int orders = 0;
    Cents subTotal = 0;
    Cents discounts = 0;
    Cents tax = 0;
    Cents total = 0;

    SalesFigures& operator+=(const SalesFigures& other);
};

// One package of the day: every unit sold under one PLU and display name, and their amount.
struct PackageSales
{
    QString plu;
    QString displayName;
    qint64 quantity = 0;
    Cents amount = 0;
};

struct HourSales
{
    int hour = 0; // 0 to 23, local time
    SalesFigures figures;
    // The orders of the hour whose tax is not known: their subtotal and discounts only.
    SalesFigures taxNotKnown;
};

// Something the cross-check of an order file against its invoice found.
struct CrossCheckFinding
{
    enum class Kind
    {
        MissingInvoice,  // a full-order file without its pending invoice
        OrphanInvoice,   // a pending invoice without its full-order file
        DifferentRecord, // a record of the invoice that does not match the order file
        Unreadable,      // a file of the day that could not be read as what its name says
    };
    Kind kind = Kind::DifferentRecord;
    QString customerId;
    QString detail; // for the operator, translated
};

// The end-of-day report of a station: which orders were released on one day, what they sold
// per package and per hour, and whether each full-order file ("<id>_orderOrig.plist") and its
// pending invoice ("<id>.txt") still say the same thing.
//
// A returning customer whose earlier invoice the point-of-sale system had not yet billed has
// further invoices beside it ("<id>-2.txt", "<id>-3.txt", ...) and one order file, the last
// order's: the order file is checked against the invoice written with it (the newest), and each
// earlier invoice of the day counts as an order of its own, from its records, with its tax not
// known.
//
// An order's time is the date and time its invoice's data line carries (written when the order
// was released); without a readable one, the full-order file's modification time. Invoices
// without an order file are dated the same way by themselves.
//
// Figures come from the files alone, never from today's settings: the subtotal and discount from
// the full-order file, the free sheets' value from the invoice's free-sheets record, tax and
// total from the print job's totals record ("curOrderTotalsInfo"). An order without a print job
// that has one (every unit pre-printed, or the host already took it) has no known tax: it is kept
// out of the sales figures and counted in a line of its own with its subtotal and discounts.
class DayReport
{
public:
    struct Folders
    {
        QString orders;   // the local server folder: full-order files and print jobs
        QString invoices; // the point-of-sale folder: pending invoices
    };

    // The station's folders: prefLocalServerPath (the shared order folder when unset, as the
    // station sets it at start) and prefTilboxPendingInvoiceFolder.
    static Folders foldersFromSettings(const Settings& settings);

    // Reads the files of DAY. False, with ERROR, when a folder is not set or cannot be read;
    // a single unreadable file is a finding of the cross-check instead.
    bool load(const Folders& folders, const QDate& day, QString* error = nullptr);
    // Reads the files of DAY from the folder ORDERS and the pending invoices INVOICEFILES (this
    // station's, of a folder it may share with others).
    void loadFiles(const QDir& orders, const QStringList& invoiceFiles, const QDate& day);
    // Adds OTHER's orders, packages, hours and findings to this report's.
    void add(const DayReport& other);
    // The pending invoices in the folder INVOICES, by name.
    static QStringList invoiceFiles(const QDir& invoices);

    QDate day() const { return m_day; }
    // Orders of the day: readable full-order files and the earlier invoices of returning
    // customers (an invoice without an order file, or an unreadable one, is a finding of the
    // cross-check, not an order).
    int orderCount() const { return m_orderCount; }
    // Sorted by PLU, then display name.
    const QList<PackageSales>& packages() const { return m_packages; }
    // The hours that had orders, in order.
    const QList<HourSales>& hours() const { return m_hours; }
    // The day's orders whose tax is known.
    SalesFigures dayTotals() const;
    // The day's orders whose tax is not known: orders, subtotal and discounts; tax and total 0.
    SalesFigures taxNotKnown() const;
    QStringList taxNotKnownIds() const { return m_taxNotKnownIds; }
    const QList<CrossCheckFinding>& findings() const { return m_findings; }
    bool crossCheckClean() const { return m_findings.isEmpty(); }

    // The report as a person reads it.
    QString toText() const;
    // The per-hour table, a blank line and the per-package table, as comma-separated values.
    QByteArray toCsv() const;

    static QString money(Cents cents);

private:
    friend class SiteReport;
    QDate m_day;
    int m_orderCount = 0;
    QList<PackageSales> m_packages;
    QList<HourSales> m_hours;
    QStringList m_taxNotKnownIds;
    QList<CrossCheckFinding> m_findings;
};

// The end-of-day report of a site: several stations, each with its own order folder, whose
// pending invoices go into one shared point-of-sale folder. Each invoice there is given to the
// station whose order folder holds its order file; each station is reported as a DayReport of
// its order folder and its invoices, and the site as all of them together. An invoice of no
// station is an orphan of the site.
class SiteReport
{
public:
    struct Station
    {
        QString orders;
        DayReport report;
    };

    // False, with ERROR, when a folder cannot be read.
    bool load(const QStringList& orderFolders, const QString& invoiceFolder, const QDate& day,
              QString* error = nullptr);
    const QList<Station>& stations() const { return m_stations; }
    // Every station together, and the invoices of no station among its findings.
    const DayReport& site() const { return m_site; }
    bool crossCheckClean() const { return m_site.crossCheckClean(); }

    // Each station's report, then the site's.
    QString toText() const;
    // The per-hour table and the per-package table, each with the lines of every station and of
    // the site, led by a "station" column: the station's order folder, or "site".
    QByteArray toCsv() const;

private:
    QList<Station> m_stations;
    DayReport m_site;
};

} // namespace kivo
