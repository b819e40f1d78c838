#pragma once

#include "core/SheetReturn.h"

#include <QString>

#include <optional>

// The typed protocol between the visit (SalesSession) and its sheets: which prompt a sheet
// answers, what it hands back, what its buttons do, and how it is to be shown. Both ends are
// ours, so nothing here travels as a dictionary.
namespace kivo {

// The prompt a sheet answers; it selects the keypad's entry rules and tells the session what
// the answer is for. None stands for a sheet opened without a context.
enum class SheetMethod
{
    None,
    StartOver,        // the first photo ID of a visit
    StartOverLoop,    // one more photo ID of the same visit
    EnterReleaseCode, // the sales person's release code
    ShowOrderSummary, // the order summary
    EnterAdminCode,   // the administrator code, asked before the preferences open
};

// What the keypad hands back instead of an entry.
enum class KeypadCommand
{
    None,            // the entry in SheetContext::returnData
    QuitApp,         // the quit code, the admin "Quit App" key or the host's quit event
    OpenPreferences, // the preferences code or the admin "Open Pref" key
    DoneLoop,        // an empty entry at the "another ID" prompt: no more IDs
};

// The caller's context, given when a sheet opens and handed back when it ends, with the
// sheet's answer filled in.
struct SheetContext
{
    SheetMethod fromMethod = SheetMethod::None;
    QString returnData;                          // the keypad's entry
    KeypadCommand command = KeypadCommand::None; // or the command it stands for
};

// What a sheet's extra button does.
enum class SheetAction
{
    None,            // keypad: submits the entry as Enter does; progress sheet: nothing
    StartOver,       // ends the visit
    OpenPreferences, // opens the preferences
    CloseSelf,       // closes the sheet and goes back to where the visit was
    RetryRelease,    // releases the same order again
    BackToOrder,     // back to the photos with the order as it was
};

// A sheet's button: shown when it has a title.
struct SheetButton
{
    QString title;
    SheetAction action = SheetAction::None;

    bool isShown() const { return !title.isEmpty(); }
};

// How the keypad opens. A missing message shows the keypad's default line.
struct KeypadOptions
{
    std::optional<QString> message;
    bool isError = false;
    std::optional<QString> message2;
    bool isError2 = false;
    bool secureText = false; // the entry is hidden (release code)
    SheetButton button;      // StartOver, OpenPreferences, or None to submit the entry
    SheetContext context;
};

// How the progress sheet opens.
struct ProgressOptions
{
    QString message;
    bool isError = false;
    bool showIndicator = true;
    SheetButton button1;
    SheetButton button2; // CloseSelf closes the sheet before its action is reported
};

// What the sales window shows: 0 the selling screen, 1 the attract screen over it, 2 the attract
// backdrop alone (the order summary is shown over it). The numbers are the ones the station has
// always logged.
enum class ScreenMode
{
    Selling = 0,
    Attract = 1,
    ContentHidden = 2,
};

} // namespace kivo
