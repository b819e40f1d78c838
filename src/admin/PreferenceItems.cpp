#include "admin/PreferenceItems.h"

#include "core/CheckedSettings.h"
#include "core/SettingsSchema.h"

#include <QCoreApplication>

namespace kivo {

namespace {

using P = PreferenceItem;

QList<PreferenceItem> makeItems()
{
    return {
        // Folders
        {settingKey(Setting::mainImagesFolder), P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Images folder")},
        {settingKey(Setting::tilboxPendingInvoiceFolder), P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Pending invoice folder"), 0, 0, nullptr, true},
        {settingKey(Setting::localServerPath), P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Order folder"), 0, 0, nullptr, true},
        {settingKey(Setting::localReceiptPath), P::Folder, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Receipt copies folder"), 0, 0, nullptr, true},
        {settingKey(Setting::searchDailySubFolder), P::Bool, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Search the day's subfolder")},
        {settingKey(Setting::dailyFolderDateFormat), P::DateFormat, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Daily folder name")},
        {settingKey(Setting::launchChildApp1), P::Text, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Program started with the station 1")},
        {settingKey(Setting::launchChildApp2), P::Text, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Program started with the station 2")},
        {settingKey(Setting::launchChildApp3), P::Text, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Program started with the station 3")},
        // Beside the programs: what the station serves to the operators' monitoring.
        {settingKey(Setting::metricsPort), P::Integer, P::Folders,
         QT_TRANSLATE_NOOP("Preferences", "Metrics port (0: off)")},
        // The visit
        {settingKey(Setting::searchIdMethodTag), P::SearchMethod, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Photo search")},
        {settingKey(Setting::allowMultipleIds), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Several photo IDs per visit")},
        {settingKey(Setting::mustEnterReleaseCode), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Ask for the release code")},
        {settingKey(Setting::promptForSalesPersonBeforeReleaseCode), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Ask the customer to call a sales person first")},
        {settingKey(Setting::doShowWowWindow), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Show the marking window first")},
        {settingKey(Setting::sellMarkedPhotosOnly), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Sell only the marked photos")},
        {settingKey(Setting::idleTimeoutSeconds), P::Integer, P::Visit,
         QT_TRANSLATE_NOOP("Preferences",
                           "Seconds without a touch before \"Still there?\" (0: off)")},
        {settingKey(Setting::doPreprintFirstPhoto), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Sample print of the first photo")},
        {settingKey(Setting::enableTransparentButton1), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Sample print from the zoom window")},
        {settingKey(Setting::hideAdminButton), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Hide the keypad's mode button")},
        {settingKey(Setting::doShowMenuBar), P::Bool, P::Visit,
         QT_TRANSLATE_NOOP("Preferences", "Show the menu bar")},
        // Packages and prices
        {settingKey(Setting::computeSalesTax), P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Add sales tax")},
        {settingKey(Setting::taxRate), P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Sales tax rate (0.0875 is 8.75 %)")},
        {settingKey(Setting::computeTaxAfterDiscounts), P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Tax after discounts")},
        {settingKey(Setting::salesTaxTextFormatString), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Sales tax text")},
        {settingKey(Setting::minPrintsForSantaDiscountPercentage), P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Prints for the percentage discount")},
        {settingKey(Setting::santaDiscountPercentage), P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Percentage discount (0.25 is 25 %)")},
        {settingKey(Setting::discountAmtForFirstTwo), P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "First-two discount")},
        {settingKey(Setting::buyNGet1FreeAmt), P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Items to buy for one free (0: off)")},
        {settingKey(Setting::freebieAmount), P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Free sheet amount")},
        {settingKey(Setting::upcForFreebie), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Free sheets PLU")},
        {settingKey(Setting::minPrintsForReducedUsbPrice), P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Prints for the reduced USB price")},
        {settingKey(Setting::upcForDiscountAmtItem), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Discount PLU")},
        {settingKey(Setting::descriptionForDiscountAmtItem), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Discount description")},
        {settingKey(Setting::upsellMinLevel), P::Integer, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Upsell threshold")},
        {settingKey(Setting::upsellDummyAmount), P::Number, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Upsell amount")},
        {settingKey(Setting::upcForUpsellItem), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Upsell PLU")},
        {settingKey(Setting::doCancelOutUpsellAmount), P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Cancel out the upsell amount")},
        {settingKey(Setting::zeroOutMasterItemListPrices), P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Zero the catalogue's prices on the summary")},
        {settingKey(Setting::appendPortraitSuffix), P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Append the portrait suffix to PLUs")},
        {settingKey(Setting::portraitPkgPluSuffix), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Portrait suffix")},
        {settingKey(Setting::appendLandscapeSuffix), P::Bool, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Append the landscape suffix to PLUs")},
        {settingKey(Setting::landscapePkgPluSuffix), P::Text, P::PackagesAndPrices,
         QT_TRANSLATE_NOOP("Preferences", "Landscape suffix")},
        // Receipts and printers
        {settingKey(Setting::printReceipt), P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Print a receipt")},
        {settingKey(Setting::promptForCustomerNameOnReceipt), P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Ask for the customer's name")},
        {settingKey(Setting::doPrintReceiptPrimary), P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Print on the primary printer"), 0, 0,
         settingKey(Setting::receiptPrinterNamePrimary)},
        {settingKey(Setting::receiptPrinterNamePrimary), P::Printer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Primary receipt printer")},
        {settingKey(Setting::doPrintReceiptSecondary), P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Print on the secondary printer"), 0, 0,
         settingKey(Setting::receiptPrinterNameSecondary)},
        {settingKey(Setting::receiptPrinterNameSecondary), P::Printer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Secondary receipt printer")},
        {settingKey(Setting::receiptFailoverToSecondary), P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Use the secondary printer when the primary fails")},
        {settingKey(Setting::auxPrinterName), P::Printer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Auxiliary printer")},
        {settingKey(Setting::printCopies), P::Integer, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Receipt copies")},
        {settingKey(Setting::alwaysShowPrintPanel), P::Bool, P::ReceiptsAndPrinters,
         QT_TRANSLATE_NOOP("Preferences", "Show the print dialog for each receipt")},
        // Attract screen
        {settingKey(Setting::doUseAnimationMovie), P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Play the movie")},
        {settingKey(Setting::animationMoviePath), P::File, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Movie or picture")},
        {settingKey(Setting::animationMoviePlayFullScreen), P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Movie fills the screen")},
        {settingKey(Setting::animationMoviePreserveAspectRatio), P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Movie keeps its proportions")},
        {settingKey(Setting::doUseImageBackground), P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Show a background picture")},
        {settingKey(Setting::doUseSponsorLogo), P::Bool, P::AttractScreen,
         QT_TRANSLATE_NOOP("Preferences", "Show the sponsor logo")},
        {settingKey(Setting::sponsorLogoPath), P::File, P::AttractScreen,
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
