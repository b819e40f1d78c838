#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <cstddef>
#include <optional>

namespace kivo {

// Every setting the station reads or writes, described once:
//   X(accessor, Accessor, type, "stored key", default, range, "meaning")
// The stored key is the name in the settings file and must never change. The default is what a
// read answers when neither the stored values nor the factory defaults hold the key. A range
// (KIVO_RANGE(minimum, maximum)) marks an amount or count whose stored value the preferences,
// the self-test and the pricing check; KIVO_ANY leaves the value unchecked.
#define KIVO_SETTINGS(X)                                                                           \
    /* Folders and files */                                                                        \
    X(mainImagesFolder, MainImagesFolder, String, "prefMainImagesFolder", QString(), KIVO_ANY,     \
      "Root folder of the customers' photos and of the customer lock files")                       \
    X(mainImagesFolderAliasData, MainImagesFolderAliasData, Bytes,                                 \
      "prefMainImagesFolderAliasData", QByteArray(), KIVO_ANY,                                     \
      "File reference that finds the images folder again after a move")                            \
    X(isValidMainImagesFolder, IsValidMainImagesFolder, Bool, "prefIsValidMainImagesFolder",       \
      false, KIVO_ANY, "The images folder was last found usable")                                  \
    X(tilboxPendingInvoiceFolder, TilboxPendingInvoiceFolder, String,                              \
      "prefTilboxPendingInvoiceFolder", QString(), KIVO_ANY,                                       \
      "Folder the point-of-sale system watches for pending invoices")                              \
    X(tilboxPendingInvoiceFolderAliasData, TilboxPendingInvoiceFolderAliasData, Bytes,             \
      "prefTilboxPendingInvoiceFolderAliasData", QByteArray(), KIVO_ANY,                           \
      "File reference of the pending-invoice folder")                                              \
    X(isValidTilboxPendingInvoiceFolder, IsValidTilboxPendingInvoiceFolder, Bool,                  \
      "prefIsValidTilboxPendingInvoiceFolder", false, KIVO_ANY,                                    \
      "The pending-invoice folder was last found usable")                                          \
    X(localServerPath, LocalServerPath, String, "prefLocalServerPath", QString(), KIVO_ANY,        \
      "Folder of the order files the print host reads")                                            \
    X(localServerPathAliasData, LocalServerPathAliasData, Bytes, "prefLocalServerPathAliasData",   \
      QByteArray(), KIVO_ANY, "File reference of the order folder")                                \
    X(isValidLocalServerPath, IsValidLocalServerPath, Bool, "prefIsValidLocalServerPath", false,   \
      KIVO_ANY, "The order folder exists")                                                         \
    X(localReceiptPath, LocalReceiptPath, String, "prefLocalReceiptPath", QString(), KIVO_ANY,     \
      "Folder for receipt files")                                                                  \
    X(searchDailySubFolder, SearchDailySubFolder, Bool, "prefSearchDailySubFolder", false,         \
      KIVO_ANY, "Search the day's subfolder of the images folder")                                 \
    X(dailyFolderDateFormat, DailyFolderDateFormat, String, "prefDailyFolderDateFormat",           \
      QString(), KIVO_ANY, "Date pattern that names the day's subfolder")                          \
    X(dailyFolderDateFormatExample, DailyFolderDateFormatExample, String,                          \
      "prefDailyFolderDateFormatExample", QString(), KIVO_ANY,                                     \
      "The date pattern applied to today, as the preferences show it")                             \
    X(animationMoviePath, AnimationMoviePath, String, "prefAnimationMoviePath", QString(),         \
      KIVO_ANY, "Movie or still picture of the attract screen")                                    \
    X(animationMoviePathAliasData, AnimationMoviePathAliasData, Bytes,                             \
      "prefAnimationMoviePathAliasData", QByteArray(), KIVO_ANY,                                   \
      "File reference of the attract screen's movie")                                              \
    X(sponsorLogoPath, SponsorLogoPath, String, "prefSponsorLogoPath", QString(), KIVO_ANY,        \
      "Sponsor logo picture")                                                                      \
    X(sponsorLogoPathAliasData, SponsorLogoPathAliasData, Bytes, "prefSponsorLogoPathAliasData",   \
      QByteArray(), KIVO_ANY, "File reference of the sponsor logo")                                \
    X(launchChildApp1, LaunchChildApp1, String, "prefLaunchChildApp1", QString(), KIVO_ANY,        \
      "First program started beside the station and started again when it ends")                   \
    X(launchChildApp2, LaunchChildApp2, String, "prefLaunchChildApp2", QString(), KIVO_ANY,        \
      "Second program started beside the station")                                                 \
    X(launchChildApp3, LaunchChildApp3, String, "prefLaunchChildApp3", QString(), KIVO_ANY,        \
      "Third program started beside the station")                                                  \
    /* Visit and screens */                                                                        \
    X(allowMultipleIds, AllowMultipleIds, Bool, "prefAllowMultipleIDs", false, KIVO_ANY,           \
      "A customer may enter several photo IDs before the search")                                  \
    X(mustEnterReleaseCode, MustEnterReleaseCode, Bool, "prefMustEnterReleaseCode", false,         \
      KIVO_ANY, "Accepting the order asks for the release code")                                   \
    X(promptForSalesPersonBeforeReleaseCode, PromptForSalesPersonBeforeReleaseCode, Bool,          \
      "prefPromptForSalesPersonBeforeReleaseCode", false, KIVO_ANY,                                \
      "The order summary first asks the customer to call a sales person")                          \
    X(sellMarkedPhotosOnly, SellMarkedPhotosOnly, Bool, "prefSellMarkedPhotosOnly", false,         \
      KIVO_ANY, "Only the photos the customer marked are offered")                                 \
    X(doShowWowWindow, DoShowWowWindow, Bool, "prefDoShowWowWindow", false, KIVO_ANY,              \
      "Show the marking window at the start of a visit")                                           \
    X(doPreprintFirstPhoto, DoPreprintFirstPhoto, Bool, "prefDoPREprintFirstPhoto", false,         \
      KIVO_ANY, "Ask for a sample print of the first photo as a visit starts")                     \
    X(searchIdMethodTag, SearchIdMethodTag, Int, "prefSearchIDMethodTag", 0, KIVO_RANGE(0, 2),     \
      "How the photos of an ID are found")                                                         \
    X(hideAdminButton, HideAdminButton, Bool, "prefHideAdminButton", false, KIVO_ANY,              \
      "Hide the keypad's mode button")                                                             \
    X(doShowMenuBar, DoShowMenuBar, Bool, "prefDoShowMenuBar", false, KIVO_ANY,                    \
      "The menu bar stays visible while the station sells")                                        \
    X(idleTimeoutSeconds, IdleTimeoutSeconds, Int, "prefIdleTimeoutSeconds", 0,                    \
      KIVO_RANGE(0, 24 * 60 * 60), /* longer than a day is as good as off */                       \
      "Seconds without a touch during a visit before \"Still there?\"; 0 or less: never")          \
    X(doUseAnimationMovie, DoUseAnimationMovie, Bool, "prefDoUseAnimationMovie", false, KIVO_ANY,  \
      "The attract screen plays the movie")                                                        \
    X(animationMoviePlayFullScreen, AnimationMoviePlayFullScreen, Bool,                            \
      "prefAnimationMoviePlayFullScreen", false, KIVO_ANY, "The movie fills the screen")           \
    X(animationMoviePreserveAspectRatio, AnimationMoviePreserveAspectRatio, Bool,                  \
      "prefAnimationMoviePreserveAspectRatio", false, KIVO_ANY, "The movie keeps its shape")       \
    X(doUseImageBackground, DoUseImageBackground, Bool, "prefDoUseNSImageBackground", false,       \
      KIVO_ANY, "The attract screen shows a still background picture")                             \
    X(doUseSponsorLogo, DoUseSponsorLogo, Bool, "prefDoUseSponsorLogo", false, KIVO_ANY,           \
      "Show the sponsor logo")                                                                     \
    X(enableTransparentButton1, EnableTransparentButton1, Bool, "prefEnableTransparentButton1",    \
      false, KIVO_ANY, "The zoom window's sample print works")                                     \
    X(thumbnailCacheMb, ThumbnailCacheMb, Int, "prefThumbnailCacheMB", 2048, KIVO_ANY,             \
      "Megabytes the prepared thumbnails and previews may take on disk; not above 0: 2048")        \
    /* Packages, prices and order output; fractions: 0.0875 is 8.75 % */                           \
    X(freebieAmount, FreebieAmount, Double, "prefFreebieAmount", 2.0, KIVO_RANGE(0, kMoneyLimit),  \
      "Amount of the free-sheets discount record")                                                 \
    X(upcForFreebie, UpcForFreebie, String, "prefUpcForFreebie", QString(), KIVO_ANY,              \
      "PLU of the free-sheets discount record")                                                    \
    X(buyNGet1FreeAmt, BuyNGet1FreeAmt, Int, "prefBuyNGet1FreeAmt", 0, KIVO_RANGE(0, kCountLimit), \
      "Items to buy for one free item; 0: off")                                                    \
    X(discountAmtForFirstTwo, DiscountAmtForFirstTwo, Double, "prefDiscountAmtForFirstTwo", 0.0,   \
      KIVO_RANGE(0, kMoneyLimit), "Amount of the first-two discount")                              \
    X(taxRate, TaxRate, Double, "prefTaxRate", 0.0, KIVO_RANGE(0, 1),                              \
      "Sales tax rate as a fraction; the pricing reads 0.0875 when it is not above 0")             \
    X(computeSalesTax, ComputeSalesTax, Bool, "prefComputeSalesTax", false, KIVO_ANY,              \
      "Add sales tax")                                                                             \
    X(computeTaxAfterDiscounts, ComputeTaxAfterDiscounts, Bool, "prefComputeTaxAfterDiscounts",    \
      false, KIVO_ANY, "Tax is computed on the discounted amount")                                 \
    X(salesTaxTextFormatString, SalesTaxTextFormatString, String, "prefSalesTaxTextFormatString",  \
      QString(), KIVO_ANY, "Format of the sales-tax line's text; absent: no tax text")             \
    X(salesTaxDescription, SalesTaxDescription, String, "prefSalesTaxDescription", QString(),      \
      KIVO_ANY, "The sales-tax line's text as the pricing last made it")                           \
    X(upsellMinLevel, UpsellMinLevel, Int, "prefUpsellMinLevel", 0, KIVO_RANGE(0, kCountLimit),    \
      "Threshold of the upsell count; 0: 2")                                                       \
    X(upsellDummyAmount, UpsellDummyAmount, Double, "prefUpsellDummyAmount", 0.0,                  \
      KIVO_RANGE(0, kMoneyLimit), "Amount of an upsell item")                                      \
    X(upcForUpsellItem, UpcForUpsellItem, String, "prefUpcForUpsellItem", QString(), KIVO_ANY,     \
      "PLU of an upsell item")                                                                     \
    X(doCancelOutUpsellAmount, DoCancelOutUpsellAmount, Bool, "prefDoCancelOutUpsellAmount",       \
      false, KIVO_ANY, "Cancel out the upsell amount")                                             \
    X(upcForDiscountAmtItem, UpcForDiscountAmtItem, String, "prefUpcForDiscountAmtItem",           \
      QString(), KIVO_ANY, "PLU of the discount-amount record")                                    \
    X(descriptionForDiscountAmtItem, DescriptionForDiscountAmtItem, String,                        \
      "prefDescriptionForDiscountAmtItem", QString(), KIVO_ANY,                                    \
      "Display name of the discount-amount record")                                                \
    X(minPrintsForReducedUsbPrice, MinPrintsForReducedUsbPrice, Int,                               \
      "prefMinPrintsForReducedUsbPrice", 0, KIVO_RANGE(0, kCountLimit),                            \
      "Prints needed for the reduced USB-drive price")                                             \
    X(minPrintsForSantaDiscountPercentage, MinPrintsForSantaDiscountPercentage, Int,               \
      "prefMinPrintsForSantaDiscountPercentage", 0, KIVO_RANGE(0, kCountLimit),                    \
      "Prints needed for the percentage discount; 0 or less: 5")                                   \
    X(santaDiscountPercentage, SantaDiscountPercentage, Double, "prefSantaDiscountPercentage",     \
      0.0, KIVO_RANGE(0, 1),                                                                       \
      "The percentage discount as a fraction; the pricing reads 0.25 "                             \
      "when it is absent")                                                                         \
    X(zeroOutMasterItemListPrices, ZeroOutMasterItemListPrices, Bool,                              \
      "prefZeroOutMasterItemListPrices", false, KIVO_ANY, "The order summary hides list prices")   \
    X(appendPortraitSuffix, AppendPortraitSuffix, Bool, "prefAppendPortraitSuffix", false,         \
      KIVO_ANY, "Append the portrait suffix to package PLUs")                                      \
    X(appendLandscapeSuffix, AppendLandscapeSuffix, Bool, "prefAppendLandscapeSuffix", false,      \
      KIVO_ANY, "Append the landscape suffix to package PLUs")                                     \
    X(portraitPkgPluSuffix, PortraitPkgPluSuffix, String, "prefPortraitPkgPLUSuffix", QString(),   \
      KIVO_ANY, "Suffix of a portrait package's PLU")                                              \
    X(landscapePkgPluSuffix, LandscapePkgPluSuffix, String, "prefLandscapePkgPLUSuffix",           \
      QString(), KIVO_ANY, "Suffix of a landscape package's PLU")                                  \
    X(editableTextArray, EditableTextArray, List, "prefEditableTextArray", QVariantList(),         \
      KIVO_ANY, "The editable text items written into every order")                                \
    /* Receipts and printers */                                                                    \
    X(printReceipt, PrintReceipt, Bool, "prefPrintReceipt", false, KIVO_ANY,                       \
      "Print a receipt when an order is released")                                                 \
    X(promptForCustomerNameOnReceipt, PromptForCustomerNameOnReceipt, Bool,                        \
      "prefPromptForCustomerNameOnReceipt", false, KIVO_ANY,                                       \
      "Ask for the customer's name for the receipt")                                               \
    X(doPrintReceiptPrimary, DoPrintReceiptPrimary, Bool, "prefDoPrintReceiptPrimary", false,      \
      KIVO_ANY, "Print receipts on the primary printer")                                           \
    X(doPrintReceiptSecondary, DoPrintReceiptSecondary, Bool, "prefDoPrintReceiptSecondary",       \
      false, KIVO_ANY, "Print receipts on the secondary printer")                                  \
    X(receiptFailoverToSecondary, ReceiptFailoverToSecondary, Bool,                                \
      "prefReceiptFailoverToSecondary", false, KIVO_ANY,                                           \
      "A switched-off secondary printer takes the receipt the primary cannot print")               \
    X(receiptPrinterNamePrimary, ReceiptPrinterNamePrimary, String,                                \
      "prefReceiptPrinterNamePrimary", QString(), KIVO_ANY, "The primary receipt printer")         \
    X(receiptPrinterNameSecondary, ReceiptPrinterNameSecondary, String,                            \
      "prefReceiptPrinterNameSecondary", QString(), KIVO_ANY, "The secondary receipt printer")     \
    X(alwaysShowPrintPanel, AlwaysShowPrintPanel, Bool, "prefAlwaysShowPrintPanel", false,         \
      KIVO_ANY, "Show the print panel for each receipt")                                           \
    X(printCopies, PrintCopies, Int, "prefPrintCopies", 0, KIVO_RANGE(0, 20), "Receipt copies")    \
    X(auxPrinterName, AuxPrinterName, String, "prefAuxPrinterName", QString(), KIVO_ANY,           \
      "An auxiliary printer")                                                                      \
    X(persistentPrinterSettings, PersistentPrinterSettings, Map, "persistent printer settings",    \
      QVariantMap(), KIVO_ANY, "The receipt printer's page setup")                                 \
    /* Watching the station from afar */                                                           \
    X(metricsPort, MetricsPort, Int, "prefMetricsPort", 0, KIVO_RANGE(0, 65535),                   \
      "Local port of the station's metrics for Prometheus; 0 serves none")                         \
    /* The site's own codes as salted hashes; absent: the factory codes */                         \
    X(releaseCodeHash, ReleaseCodeHash, String, "prefReleaseCodeHash", QString(), KIVO_ANY,        \
      "The site's release code")                                                                   \
    X(openPreferencesCodeHash, OpenPreferencesCodeHash, String, "prefOpenPreferencesCodeHash",     \
      QString(), KIVO_ANY, "The site's code that opens the preferences")                           \
    X(quitCodeHash, QuitCodeHash, String, "prefQuitCodeHash", QString(), KIVO_ANY,                 \
      "The site's code that quits the station")                                                    \
    X(administratorKeysCodeHash, AdministratorKeysCodeHash, String,                                \
      "prefAdministratorKeysCodeHash", QString(), KIVO_ANY,                                        \
      "The site's code that shows the administrator keys")                                         \
    /* Written by the station for its own use */                                                   \
    X(curOsVersInFloat, CurOsVersInFloat, Double, "prefCurOSVersInFloat", 0.0, KIVO_ANY,           \
      "Operating-system version as a number, stored at start-up")                                  \
    X(canUseStdNsImage, CanUseStdNsImage, Bool, "prefCanUseStdNSImage", false, KIVO_ANY,           \
      "The standard picture reader is usable")                                                     \
    X(currentPathForImageView, CurrentPathForImageView, String, "prefCurrentPathForIKImageView",   \
      QString(), KIVO_ANY, "File name of the photo last shown")                                    \
    X(currentFullPathForImageView, CurrentFullPathForImageView, String,                            \
      "prefCurrentFullPathForIKImageView", QString(), KIVO_ANY,                                    \
      "Full path of the photo last shown; the editing window opens it")                            \
    X(currentPhotoName, CurrentPhotoName, String, "currentPhotoName", QString(), KIVO_ANY,         \
      "File name of the photo in the crop editor")                                                 \
    X(savedToolMode, SavedToolMode, Int, "_savedToolMode", 0, KIVO_ANY,                            \
      "The crop editor's last tool")                                                               \
    X(kivoIsForQor, KivoIsForQor, Bool, "kivoIsForQor", false, KIVO_ANY,                           \
      "Retired switch of a customer's variant; removed at every start")

enum class Setting
{
#define KIVO_SETTING_ENUM(name, Name, type, key, def, range, meaning) name,
    KIVO_SETTINGS(KIVO_SETTING_ENUM)
#undef KIVO_SETTING_ENUM
};

// What a site can mean by an amount: no price reaches a million, no count a thousand.
inline constexpr double kMoneyLimit = 1e6;
inline constexpr double kCountLimit = 1000;

struct SettingRange
{
    bool checked;
    double minimum;
    double maximum;
};
#define KIVO_ANY (::kivo::SettingRange{false, 0, 0})
#define KIVO_RANGE(minimum, maximum) (::kivo::SettingRange{true, (minimum), (maximum)})

enum class SettingType
{
    Bool,
    Int,
    Double,
    String,
    Bytes,
    List,
    Map,
};

// The C++ type a setting of each kind is read as, and taken as by its writer.
#define KIVO_SETTING_READ_Bool bool
#define KIVO_SETTING_READ_Int qint64
#define KIVO_SETTING_READ_Double double
#define KIVO_SETTING_READ_String QString
#define KIVO_SETTING_READ_Bytes QByteArray
#define KIVO_SETTING_READ_List QVariantList
#define KIVO_SETTING_READ_Map QVariantMap
#define KIVO_SETTING_WRITE_Bool bool
#define KIVO_SETTING_WRITE_Int qint64
#define KIVO_SETTING_WRITE_Double double
#define KIVO_SETTING_WRITE_String const QString&
#define KIVO_SETTING_WRITE_Bytes const QByteArray&
#define KIVO_SETTING_WRITE_List const QVariantList&
#define KIVO_SETTING_WRITE_Map const QVariantMap&

struct SettingInfo
{
    Setting setting;
    const char* name; // the accessor's name
    const char* key;  // the stored key
    SettingType type;
    SettingRange range;
    const char* meaning;
};

inline constexpr SettingInfo kSettingInfos[] = {
#define KIVO_SETTING_INFO(name, Name, type, key, def, range, meaning)                              \
    {Setting::name, #name, key, SettingType::type, range, meaning},
    KIVO_SETTINGS(KIVO_SETTING_INFO)
#undef KIVO_SETTING_INFO
};

inline constexpr std::size_t kSettingCount = std::size(kSettingInfos);

constexpr const SettingInfo& settingInfo(Setting setting)
{
    return kSettingInfos[static_cast<std::size_t>(setting)];
}

// The stored key of SETTING, as it stands in the settings file.
constexpr const char* settingKey(Setting setting)
{
    return settingInfo(setting).key;
}
QString settingKeyString(Setting setting);

// The setting stored under KEY, if the station knows it.
std::optional<Setting> settingForKey(const QString& key);

// What a read of SETTING answers when no layer holds it.
QVariant settingDefault(Setting setting);

// Whether VALUE, as found in a settings file, is of SETTING's type (any number for a number).
bool settingAccepts(Setting setting, const QVariant& value);

} // namespace kivo
