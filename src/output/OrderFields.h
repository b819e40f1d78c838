#pragma once

#include <QString>

// What may go into the names and texts of the order files. The customer ID becomes file names in
// the local server and point-of-sale folders; photo and display names go into XML property lists
// and into the comma- and tilde-separated records of the pending invoice.
namespace kivo {

// Letters, digits, '-' and '_' only, and not empty: the keypad's digits and the visit's own
// identity ("ID_yyyyMMddHHmmss") fit; "..", slashes, blanks and control characters do not.
bool isValidCustomerId(const QString& customerId);

// TEXT with every character that XML 1.0 cannot hold (control characters other than tab, line
// feed and carriage return, U+FFFE, U+FFFF, lone surrogates) replaced by '_'. CHANGED (when
// given) is set when something was replaced.
QString xmlSafeText(const QString& text, bool* changed = nullptr);

// TEXT as one field of an invoice record: the record's separators ',' and '~', tab, carriage
// return, line feed and every other control character replaced by '_'.
QString invoiceFieldText(const QString& text, bool* changed = nullptr);

// Where a release's file CUSTOMERID + SUFFIX goes in FOLDER. The point-of-sale system takes an
// invoice away once it has billed it, and the print host a print job once it has taken it, so
// one still there is an order not acted on yet: a returning customer's next order goes beside it
// as "ID-2" + SUFFIX (then "ID-3" + SUFFIX, ...), never over it. Each is a whole file in the
// same format, named as its reader expects.
QString freeOrderFilePath(const QString& folder, const QString& customerId, const QString& suffix);

// The newest (by modification time) of CUSTOMERID + SUFFIX and its further files in FOLDER, as
// freeOrderFilePath names them; empty when there is none.
QString newestOrderFilePath(const QString& folder, const QString& customerId,
                            const QString& suffix);

} // namespace kivo
