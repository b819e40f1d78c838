#pragma once

#include <QtGlobal>

// Keys of the options dictionary that opens a sheet and of the context
// dictionary that comes back with its end, shared by the session controller,
// the keypad and the progress sheet.
namespace kivo {

inline constexpr const char* keyFromWhom = "fromWhom";
inline constexpr const char* keyFromMethod = "fromMethod";
inline constexpr const char* keyReturnData = "returnData";
inline constexpr const char* keyMessage = "message";
inline constexpr const char* keyParentWindow = "parentWindow";
inline constexpr const char* keyDelegate = "delegate";
inline constexpr const char* keyIsError = "isError";
inline constexpr const char* keyButtonTitle = "buttonTitle";
inline constexpr const char* keyButtonAction = "buttonAction";
inline constexpr const char* keyButtonTarget = "buttonTarget";
inline constexpr const char* keyContextInfo = "contextInfo";
inline constexpr const char* keyMessage2 = "message2";
inline constexpr const char* keyIsError2 = "isError2";
inline constexpr const char* keyButton2Title = "button2Title";
inline constexpr const char* keyButton2Action = "button2Action";
inline constexpr const char* keyButton2Target = "button2Target";
inline constexpr const char* keyShowIndicator = "keyShowIndicator";
inline constexpr const char* keyShowSecureText = "showSecureText";
inline constexpr const char* keyProgressWindowController = "progressWindowController";

// Sheet return codes (the values of the modal responses every sheet ends with).
inline constexpr qint64 kSheetReturnAccepted = -1002;  // accepted or done
inline constexpr qint64 kSheetReturnCancelled = -1001; // cancelled or edit
inline constexpr qint64 kSheetReturnStopped = -1000;   // stopped or start over

// The command words the keypad hands back instead of an entry.
inline constexpr const char* kCommandQuitApp = "quitApp";
inline constexpr const char* kCommandOpenPref = "openPref";
inline constexpr const char* kCommandDoneLoop = "doneLoop";

// Names of the prompts ("fromMethod") that select the keypad's entry rules.
inline constexpr const char* kMethodStartOver = "startOver";
inline constexpr const char* kMethodStartOverLoop = "startOverLoop";
inline constexpr const char* kMethodStartOverLoopConfirm = "startOverLoopConfirm";
inline constexpr const char* kMethodEnterReleaseCode = "enterReleaseCode";
inline constexpr const char* kMethodShowOrderSummary = "showOrderSummary";

// Notifications the visit posts or observes.
inline constexpr const char* kivoOpenPrefsNotification = "openPreferences";
inline constexpr const char* kivoStartOverSalesControllerNotification = "startOverSalesController";
inline constexpr const char* kivoEnteredFirstPackageNotification =
    "kivoEnteredFirstPackageNotification";
inline constexpr const char* kivoDoMakeSamplePrintNotification =
    "kivoDoMakeSamplePrintNotification";
inline constexpr const char* kivoUpdateSponsorLogoNotification =
    "kivoUpdateSponsorLogoNotification";
inline constexpr const char* kivoUpdateAnimationMovieNotification =
    "updateAnimationMovieNotification";
inline constexpr const char* kivoUpdateNSImageBackgroundNotification =
    "updateNSImageBackgroundNotification";
inline constexpr const char* kivoCloseProgressNotification = "closeProgressNotification";

} // namespace kivo
