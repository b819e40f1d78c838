#pragma once

#include "core/CodeGuard.h"
#include "core/SheetOptions.h"
#include "core/SiteCodes.h"

#include <QString>

namespace kivo {

// The keypad's entry rules, without widgets: what the Enter key, a digit key
// and the clear key do with the entry buffer for a given prompt (the caller's
// SheetMethod).
namespace keypad {

inline constexpr int kIdLength = 6;

// What pressing Enter does.
struct CloseOutcome
{
    enum Action
    {
        Close,          // end the sheet as accepted, handing back `buffer` or `command`
        StayOpen,       // keep the sheet open; `buffer` is the entry from now on
        EnterAdminMode, // show the administrator buttons; the entry is emptied
    };
    Action action = StayOpen;
    QString buffer;                              // the entry after the rule
    KeypadCommand command = KeypadCommand::None; // what a Close stands for instead of an entry
    int beeps = 0;                               // how many beeps to give
    QString errorLine2;                          // a red second message line, when not empty
};

// Applies the close rules to BUFFER at the prompt METHOD (None: a keypad opened
// without a context), with the site's command codes of CODES. Every entry that is a code attempt
// (one with a non-digit, or anything at the administrator prompt) is counted by GUARD (the
// station's when not given): while it refuses codes, such entries and release codes are refused
// with its message, and photo IDs are still taken.
CloseOutcome closeOutcome(const QString& buffer, SheetMethod method, const SiteCodes& codes);
CloseOutcome closeOutcome(const QString& buffer, SheetMethod method, const SiteCodes& codes,
                          CodeGuard& guard);

// What a digit key does to the entry field that holds CURRENT.
struct DigitOutcome
{
    bool insert = true;
    int beeps = 0;
    QString errorLine2;
};
DigitOutcome pushDigit(const QString& current, bool secureMode);

// The default second message line.
QString defaultSecondMessage();
// The default first message line.
QString defaultMessage();

} // namespace keypad
} // namespace kivo
