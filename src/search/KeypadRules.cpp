#include "search/KeypadRules.h"

#include <QCoreApplication>

namespace kivo::keypad {

namespace {

bool same(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

bool digitsOnly(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

QString defaultMessage()
{
    return QCoreApplication::translate("Keypad", "What???");
}

QString defaultSecondMessage()
{
    return QCoreApplication::translate(
        "Keypad", "ID Located on the Photo Card Given to You At the Camera Station...");
}

CloseOutcome closeOutcome(const QString& buffer, SheetMethod method)
{
    CloseOutcome out;
    out.buffer = buffer.isNull() ? QString(QLatin1String("")) : buffer;

    if (same(buffer, kCodeOpenPref)) {
        out.action = CloseOutcome::Close;
        out.buffer = QString();
        out.command = KeypadCommand::OpenPreferences;
        return out;
    }
    if (same(buffer, kCodeQuitApp)) {
        out.action = CloseOutcome::Close;
        out.buffer = QString();
        out.command = KeypadCommand::QuitApp;
        return out;
    }
    if (same(buffer, kCodeAdminMode)) {
        out.action = CloseOutcome::EnterAdminMode;
        out.buffer = QString();
        return out;
    }

    const bool idPrompt = method == SheetMethod::StartOver || method == SheetMethod::StartOverLoop;
    if (buffer.isEmpty()) {
        if (method == SheetMethod::StartOverLoop || method == SheetMethod::StartOverLoopConfirm) {
            out.action = CloseOutcome::Close;
            out.command = KeypadCommand::DoneLoop;
        } else if (method == SheetMethod::None || method == SheetMethod::EnterReleaseCode) {
            out.action = CloseOutcome::Close;
        } else {
            out.action = CloseOutcome::StayOpen;
            out.beeps = 1;
        }
        return out;
    }
    if (!digitsOnly(buffer)) {
        out.action = CloseOutcome::StayOpen;
        out.beeps = 2;
        return out;
    }
    if (idPrompt && buffer.size() != kIdLength) {
        out.action = CloseOutcome::StayOpen;
        out.beeps = 1;
        out.errorLine2 = QCoreApplication::translate("Keypad", "ID=[%1] Must Be %2 Digits!")
                             .arg(buffer)
                             .arg(kIdLength);
        out.buffer = QString();
        return out;
    }
    out.action = CloseOutcome::Close;
    return out;
}

DigitOutcome pushDigit(const QString& current, bool secureMode)
{
    DigitOutcome out;
    // The limit guards the visible ID field; the hidden field (release code) has
    // no length rule.
    if (!secureMode && current.size() >= kIdLength) {
        out.insert = false;
        out.beeps = 1;
        out.errorLine2 = QCoreApplication::translate("Keypad", "ID=[%1] is Already %2 Digits...")
                             .arg(current)
                             .arg(kIdLength);
    }
    return out;
}

} // namespace kivo::keypad
