#include "search/KeypadRules.h"

#include <QCoreApplication>

namespace kivo::keypad {

namespace {

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

CloseOutcome closeOutcome(const QString& buffer, SheetMethod method, const SiteCodes& codes)
{
    return closeOutcome(buffer, method, codes, CodeGuard::station());
}

CloseOutcome closeOutcome(const QString& buffer, SheetMethod method, const SiteCodes& codes,
                          CodeGuard& guard)
{
    CloseOutcome out;
    out.buffer = buffer.isNull() ? QString(QLatin1String("")) : buffer;

    // A code attempt: what is not a photo ID, and whatever is typed at a prompt that asks for a
    // code. While the guard refuses codes, none of them is even compared.
    const bool codePrompt =
        method == SheetMethod::EnterReleaseCode || method == SheetMethod::EnterAdminCode;
    const bool attempt = !buffer.isEmpty() && (codePrompt || !digitsOnly(buffer));
    if (attempt && guard.isLocked()) {
        out.action = CloseOutcome::StayOpen;
        out.buffer = QString(QLatin1String(""));
        out.beeps = 2;
        out.errorLine2 = guard.refusalText();
        return out;
    }

    // Every entry is compared with every code, in the same time, so that the keypad's pause
    // says nothing about how close an entry came. The release code is the caller's to check.
    const int code = buffer.isEmpty() ? -1 : codes.identify(buffer);
    if (code >= 0)
        guard.recordRight();
    if (code == SiteCodes::OpenPreferencesCode) {
        out.action = CloseOutcome::Close;
        out.buffer = QString();
        out.command = KeypadCommand::OpenPreferences;
        return out;
    }
    if (code == SiteCodes::QuitCode) {
        out.action = CloseOutcome::Close;
        out.buffer = QString();
        out.command = KeypadCommand::QuitApp;
        return out;
    }
    if (code == SiteCodes::AdministratorKeysCode) {
        out.action = CloseOutcome::EnterAdminMode;
        out.buffer = QString();
        return out;
    }

    const bool idPrompt = method == SheetMethod::StartOver || method == SheetMethod::StartOverLoop;
    if (method == SheetMethod::EnterAdminCode && !buffer.isEmpty()) {
        // Not the code: asked again; an empty entry goes back.
        out.action = CloseOutcome::StayOpen;
        out.buffer = QString(QLatin1String(""));
        out.beeps = 2;
        out.errorLine2 = guard.recordWrong(QStringLiteral("administrator prompt"))
                             ? guard.refusalText()
                             : QCoreApplication::translate("Keypad", "Wrong Code...");
        return out;
    }
    if (buffer.isEmpty()) {
        if (method == SheetMethod::StartOverLoop) {
            out.action = CloseOutcome::Close;
            out.command = KeypadCommand::DoneLoop;
        } else if (method == SheetMethod::None || codePrompt) {
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
        if (guard.recordWrong(QStringLiteral("command code")))
            out.errorLine2 = guard.refusalText();
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
