#include "admin/PreferenceItems.h"

#include "core/CheckedSettings.h"
#include "core/SettingsKeys.h"

#include <QCoreApplication>

namespace kivo {

namespace {

using P = PreferenceItem;

QList<PreferenceItem> makeItems()
{
    return {
        // Folders
        {sPrefMainImagesFolder, P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Images folder")},
        {sPrefTilboxPendingInvoiceFolder, P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Pending invoice folder"), 0, 0, nullptr, true},
        {sPrefLocalServerPath, P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Order folder"), 0, 0, nullptr, true},
        {sPrefLocalReceiptPath, P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Receipt copies folder"), 0, 0, nullptr, true},
        {sPrefSearchDailySubFolder, P::Bool, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Search the day's subfolder")},
        {sPrefDailyFolderDateFormat, P::DateFormat, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Daily folder name")},
        {sPrefLaunchChildApp1, P::Text, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Program started with the station 1")},
        {sPrefLaunchChildApp2, P::Text, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Program started with the station 2")},
        {sPrefLaunchChildApp3, P::Text, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Program started with the station 3")},
        // The visit
        {sPrefSearchIDMethodTag, P::SearchMethod, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Photo search")},
        {sPrefAllowMultipleIDs, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Several photo IDs per visit")},
        {sPrefMustEnterReleaseCode, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Ask for the release code")},
        {sPrefPromptForSalesPersonBeforeReleaseCode, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Ask the customer to call a sales person first")},
        {"prefDoShowWowWindow", P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Show the marking window first")},
        {sPrefSellMarkedPhotosOnly, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Sell only the marked photos")},
        {sPrefIdleTimeoutSeconds, P::Integer, P::Visit,
         QT_TRANSLATE_NOOP("Preferences",
                           "Seconds without a touch before \"Still there?\" (0: off)")},
        {sPrefDoPREprintFirstPhoto, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Sample print of the first photo")},
        {sPrefEnableTransparentButton1, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Sample print from the zoom window")},
        {sPrefHideAdminButton, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Hide the keypad's mode button")},
        {sPrefDoShowMenuBar, P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Show the menu bar")},
        // Packages and prices
        {sPrefComputeSalesTax, P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Add sales tax")},
        {sPrefTaxRate, P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Sales tax rate (0.0875 is 8.75 %)")},
        {sPrefComputeTaxAfterDiscounts, P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Tax after discounts")},
        {sPrefSalesTaxTextFormatString, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Sales tax text")},
        {"prefMinPrintsForSantaDiscountPercentage", P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Prints for the percentage discount")},
        {"prefSantaDiscountPercentage", P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Percentage discount (0.25 is 25 %)")},
        {sPrefDiscountAmtForFirstTwo, P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "First-two discount")},
        {sPrefBuyNGet1FreeAmt, P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Items to buy for one free (0: off)")},
        {sPrefFreebieAmount, P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Free sheet amount")},
        {sPrefUpcCodeForFreebie, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Free sheets PLU")},
        {sPrefMinPrintsForReducedUsbPrice, P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Prints for the reduced USB price")},
        {sPrefUpcForDiscountAmtItem, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Discount PLU")},
        {sPrefDescriptionForDiscountAmtItem, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Discount description")},
        {sPrefUpsellMinLevel, P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Upsell threshold")},
        {sPrefUpsellDummyAmount, P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Upsell amount")},
        {sPrefUpcForUpsellItem, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Upsell PLU")},
        {sPrefDoCancelOutUpsellAmount, P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Cancel out the upsell amount")},
        {"prefZeroOutMasterItemListPrices", P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Zero the catalogue's prices on the summary")},
        {sPrefAppendPortraitSuffix, P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Append the portrait suffix to PLUs")},
        {sPrefPortraitPkgPLUSuffix, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Portrait suffix")},
        {sPrefAppendLandscapeSuffix, P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Append the landscape suffix to PLUs")},
        {sPrefLandscapePkgPLUSuffix, P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Landscape suffix")},
        // Receipts and printers
        {sPrefPrintReceipt, P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Print a receipt")},
        {sPrefPromptForCustomerNameOnReceipt, P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Ask for the customer's name")},
        {sPrefDoPrintReceiptPrimary, P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Print on the primary printer"), 0, 0,
         sPrefReceiptPrinterNamePrimary},
        {sPrefReceiptPrinterNamePrimary, P::Printer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Primary receipt printer")},
        {sPrefDoPrintReceiptSecondary, P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Print on the secondary printer"), 0, 0,
         sPrefReceiptPrinterNameSecondary},
        {sPrefReceiptPrinterNameSecondary, P::Printer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Secondary receipt printer")},
        {sPrefReceiptFailoverToSecondary, P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Use the secondary printer when the primary fails")},
        {sPrefAuxPrinterName, P::Printer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Auxiliary printer")},
        {PrefKeyForPrintCopies, P::Integer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Receipt copies")},
        {sPrefAlwaysShowPrintPanel, P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Show the print dialog for each receipt")},
        // Attract screen
        {sPrefDoUseAnimationMovie, P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Play the movie")},
        {sPrefAnimationMoviePath, P::File, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Movie or picture")},
        {sPrefAnimationMoviePlayFullScreen, P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Movie fills the screen")},
        {sPrefAnimationMoviePreserveAspectRatio, P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Movie keeps its proportions")},
        {sPrefDoUseImageBackground, P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Show a background picture")},
        {sPrefDoUseSponsorLogo, P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Show the sponsor logo")},
        {sPrefSponsorLogoPath, P::File, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Sponsor logo")},
    };
}

} // namespace

const QList<PreferenceItem>& preferenceItems()
{
    static const QList<PreferenceItem> items = [] {
        // The ranges are the station's own, shared with the self-test and the pricing.
        QList<PreferenceItem> list = makeItems();
        for (PreferenceItem& item : list) {
            if (const CheckedSetting* checked = checkedSetting(QLatin1String(item.key))) {
                item.minimum = checked->minimum;
                item.maximum = checked->maximum;
            }
        }
        return list;
    }();
    return items;
}

const PreferenceItem* preferenceItem(const QString& key)
{
    for (const PreferenceItem& item : preferenceItems()) {
        if (key == QLatin1String(item.key))
            return &item;
    }
    return nullptr;
}

QString preferenceTabTitle(PreferenceItem::Tab tab)
{
    switch (tab) {
    case PreferenceItem::Folders:
        return QCoreApplication::translate("Preferences", "Folders");
    case PreferenceItem::Visit:
        return QCoreApplication::translate("Preferences", "Visit");
    case PreferenceItem::PackagesAndPrices:
        return QCoreApplication::translate("Preferences", "Packages and Prices");
    case PreferenceItem::ReceiptsAndPrinters:
        return QCoreApplication::translate("Preferences", "Receipts and Printers");
    case PreferenceItem::AttractScreen:
        return QCoreApplication::translate("Preferences", "Attract Screen");
    case PreferenceItem::Other:
        return QCoreApplication::translate("Preferences", "Codes and Texts");
    }
    return {};
}

QString preferenceLabel(const PreferenceItem& item)
{
    return QCoreApplication::translate("Preferences", item.label);
}

} // namespace kivo
