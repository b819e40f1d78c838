#pragma once

// Names of the station's settings. Every key but "kivoIsForQor" begins with "pref"; the
// constant is "sPref" followed by the rest of the key. A few keys are used as literal strings
// where they are read and have no constant.

namespace kivo {

inline constexpr const char* sPrefAllowMultipleIDs = "prefAllowMultipleIDs";
inline constexpr const char* sPrefAlwaysShowPrintPanel = "prefAlwaysShowPrintPanel";
inline constexpr const char* sPrefAnimationMoviePath = "prefAnimationMoviePath";
inline constexpr const char* sPrefAnimationMoviePathAliasData = "prefAnimationMoviePathAliasData";
inline constexpr const char* sPrefAnimationMoviePlayFullScreen = "prefAnimationMoviePlayFullScreen";
inline constexpr const char* sPrefAnimationMoviePreserveAspectRatio =
    "prefAnimationMoviePreserveAspectRatio";
inline constexpr const char* sPrefAppendLandscapeSuffix = "prefAppendLandscapeSuffix";
inline constexpr const char* sPrefAppendPortraitSuffix = "prefAppendPortraitSuffix";
inline constexpr const char* sPrefAuxPrinterName = "prefAuxPrinterName";
inline constexpr const char* sPrefBuyNGet1FreeAmt = "prefBuyNGet1FreeAmt";
inline constexpr const char* sPrefComputeSalesTax = "prefComputeSalesTax";
inline constexpr const char* sPrefComputeTaxAfterDiscounts = "prefComputeTaxAfterDiscounts";
inline constexpr const char* sPrefDailyFolderDateFormat = "prefDailyFolderDateFormat";
inline constexpr const char* sPrefDailyFolderDateFormatExample = "prefDailyFolderDateFormatExample";
inline constexpr const char* sPrefDescriptionForDiscountAmtItem =
    "prefDescriptionForDiscountAmtItem";
inline constexpr const char* sPrefDiscountAmtForFirstTwo = "prefDiscountAmtForFirstTwo";
inline constexpr const char* sPrefDoCancelOutUpsellAmount = "prefDoCancelOutUpsellAmount";
inline constexpr const char* sPrefDoPREprintFirstPhoto = "prefDoPREprintFirstPhoto";
inline constexpr const char* sPrefDoPrintReceiptPrimary = "prefDoPrintReceiptPrimary";
inline constexpr const char* sPrefDoPrintReceiptSecondary = "prefDoPrintReceiptSecondary";
// The secondary receipt printer, while it is off, takes the receipt when the primary cannot
// print it; false: a switched-off secondary never prints.
inline constexpr const char* sPrefReceiptFailoverToSecondary = "prefReceiptFailoverToSecondary";
inline constexpr const char* sPrefDoShowMenuBar = "prefDoShowMenuBar";
inline constexpr const char* sPrefDoUseAnimationMovie = "prefDoUseAnimationMovie";
inline constexpr const char* sPrefDoUseImageBackground = "prefDoUseNSImageBackground";
inline constexpr const char* sPrefDoUseSponsorLogo = "prefDoUseSponsorLogo";
inline constexpr const char* sPrefEnableTransparentButton1 = "prefEnableTransparentButton1";
inline constexpr const char* sPrefFreebieAmount = "prefFreebieAmount";
inline constexpr const char* sPrefHideAdminButton = "prefHideAdminButton";
// Seconds without a touch during a visit before "Still there?"; 0 or less: never.
inline constexpr const char* sPrefIdleTimeoutSeconds = "prefIdleTimeoutSeconds";
inline constexpr const char* sPrefIsValidLocalServerPath = "prefIsValidLocalServerPath";
inline constexpr const char* sPrefIsValidMainImagesFolder = "prefIsValidMainImagesFolder";
inline constexpr const char* sPrefIsValidTilboxPendingInvoiceFolder =
    "prefIsValidTilboxPendingInvoiceFolder";
inline constexpr const char* sPrefLandscapePkgPLUSuffix = "prefLandscapePkgPLUSuffix";
inline constexpr const char* sPrefLaunchChildApp1 = "prefLaunchChildApp1";
inline constexpr const char* sPrefLaunchChildApp2 = "prefLaunchChildApp2";
inline constexpr const char* sPrefLaunchChildApp3 = "prefLaunchChildApp3";
inline constexpr const char* sPrefLocalReceiptPath = "prefLocalReceiptPath";
inline constexpr const char* sPrefLocalServerPath = "prefLocalServerPath";
inline constexpr const char* sPrefLocalServerPathAliasData = "prefLocalServerPathAliasData";
inline constexpr const char* sPrefMainImagesFolder = "prefMainImagesFolder";
inline constexpr const char* sPrefMainImagesFolderAliasData = "prefMainImagesFolderAliasData";
inline constexpr const char* sPrefMinPrintsForReducedUsbPrice = "prefMinPrintsForReducedUsbPrice";
inline constexpr const char* sPrefMustEnterReleaseCode = "prefMustEnterReleaseCode";
inline constexpr const char* sPrefPortraitPkgPLUSuffix = "prefPortraitPkgPLUSuffix";
inline constexpr const char* sPrefPrintReceipt = "prefPrintReceipt";
inline constexpr const char* sPrefPromptForCustomerNameOnReceipt =
    "prefPromptForCustomerNameOnReceipt";
inline constexpr const char* sPrefPromptForSalesPersonBeforeReleaseCode =
    "prefPromptForSalesPersonBeforeReleaseCode";
inline constexpr const char* sPrefReceiptPrinterNamePrimary = "prefReceiptPrinterNamePrimary";
inline constexpr const char* sPrefReceiptPrinterNameSecondary = "prefReceiptPrinterNameSecondary";
inline constexpr const char* sPrefSalesTaxDescription = "prefSalesTaxDescription";
inline constexpr const char* sPrefSalesTaxTextFormatString = "prefSalesTaxTextFormatString";
inline constexpr const char* sPrefSearchDailySubFolder = "prefSearchDailySubFolder";
inline constexpr const char* sPrefSearchIDMethodTag = "prefSearchIDMethodTag";
inline constexpr const char* sPrefSellMarkedPhotosOnly = "prefSellMarkedPhotosOnly";
inline constexpr const char* sPrefSponsorLogoPath = "prefSponsorLogoPath";
inline constexpr const char* sPrefSponsorLogoPathAliasData = "prefSponsorLogoPathAliasData";
inline constexpr const char* sPrefTaxRate = "prefTaxRate";
// Megabytes the prepared thumbnails and previews may take on disk; absent or not above 0: 2048.
inline constexpr const char* sPrefThumbnailCacheMB = "prefThumbnailCacheMB";
inline constexpr const char* sPrefTilboxPendingInvoiceFolder = "prefTilboxPendingInvoiceFolder";
inline constexpr const char* sPrefTilboxPendingInvoiceFolderAliasData =
    "prefTilboxPendingInvoiceFolderAliasData";
inline constexpr const char* sPrefUpcForDiscountAmtItem = "prefUpcForDiscountAmtItem";
inline constexpr const char* sPrefUpcForUpsellItem = "prefUpcForUpsellItem";
inline constexpr const char* sPrefUpsellDummyAmount = "prefUpsellDummyAmount";
inline constexpr const char* sPrefUpsellMinLevel = "prefUpsellMinLevel";

// The site's own codes, as salted hashes (see SiteCodes); absent: the factory codes.
inline constexpr const char* sPrefReleaseCodeHash = "prefReleaseCodeHash";
inline constexpr const char* sPrefOpenPreferencesCodeHash = "prefOpenPreferencesCodeHash";
inline constexpr const char* sPrefQuitCodeHash = "prefQuitCodeHash";
inline constexpr const char* sPrefAdministratorKeysCodeHash = "prefAdministratorKeysCodeHash";

// The two constants whose names do not follow the key.
inline constexpr const char* sPrefUpcCodeForFreebie = "prefUpcForFreebie";
inline constexpr const char* PrefKeyForPrintCopies = "prefPrintCopies";

} // namespace kivo
