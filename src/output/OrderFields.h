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

} // namespace kivo
