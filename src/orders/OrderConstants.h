#pragma once

// Names and texts the orders code shares with the screens, the order files and the receipt.

#include <QtGlobal>

namespace kivo {

// Package types, compared without regard to case. The promotional type "promo" has no
// constant; it is compared as a literal where it matters.
inline constexpr const char* sPackageType_Print = "Print";
inline constexpr const char* sPackageType_FlashUsb = "Flash";

// The PLU that marks a USB drive whatever its type says, and the sample print's PLU.
inline constexpr const char* sUsbDrivePLU = "P11021";
inline constexpr const char* sSamplePrintPLU = "P10021";

// The offer message line of the buy-N-get-one-free rule, shown to the customer (translated
// in the context "OrderPricing").
inline constexpr const char* keyUpsellPitchFormat1 =
    QT_TRANSLATE_NOOP("OrderPricing", "Get Another Free Print if You Purchase %i more Item(s)...");
inline constexpr const char* keyUpsellPitch2 =
    QT_TRANSLATE_NOOP("OrderPricing", "Good News - Please Go Back and ADD Your Free Print...");

// The fallback tax description when the format string holds more than one placeholder.
inline constexpr const char* sDefaultSalesTaxDescription =
    QT_TRANSLATE_NOOP("OrderPricing", "Your Sales Tax:");

} // namespace kivo
