#include "search/KeypadRules.h"

#include "core/SessionKeys.h"

#include <QVariantMap>

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
    return QStringLiteral("What???");
}

QString defaultSecondMessage()
{
    return QStringLiteral("ID Located on the Photo Card Given to You At the Camera Station...");
}

CloseOutcome closeOutcome(const QString& bufferIn, const QVariant& context)
{
    const QString buffer = bufferIn.isNull() ? QString(QLatin1String("")) : bufferIn;
    CloseOutcome out;
    out.buffer = buffer;

    if (same(buffer, kCodeOpenPref)) {
        out.action = CloseOutcome::Close;
        out.buffer = QString::fromLatin1(kCommandOpenPref);
        return out;
    }
    if (same(buffer, kCodeQuitApp)) {
        out.action = CloseOutcome::Close;
        out.buffer = QString::fromLatin1(kCommandQuitApp);
        return out;
    }
    if (same(buffer, kCodeAdminMode)) {
        out.action = CloseOutcome::EnterAdminMode;
        out.buffer = QString();
        return out;
    }

    const bool hasContext = context.typeId() == QMetaType::QVariantMap;
    const QString method =
        hasContext ? context.toMap().value(QString::fromLatin1(keyFromMethod)).toString()
                   : QString();

    if (buffer.isEmpty()) {
        if (same(method, kMethodStartOverLoop) || same(method, kMethodStartOverLoopConfirm)) {
            out.action = CloseOutcome::Close;
            out.buffer = QString::fromLatin1(kCommandDoneLoop);
        } else if (!hasContext || same(method, kMethodEnterReleaseCode)) {
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
    if (same(method, kMethodStartOver) || same(method, kMethodStartOverLoop)) {
        if (buffer.size() != kIdLength) {
            out.action = CloseOutcome::StayOpen;
            out.beeps = 1;
            out.errorLine2 =
                QStringLiteral("ID=[%1] Must Be %2 Digits!").arg(buffer).arg(kIdLength);
            out.buffer = QString();
            return out;
        }
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
        out.errorLine2 =
            QStringLiteral("ID=[%1] is Already %2 Digits...").arg(current).arg(kIdLength);
    }
    return out;
}

} // namespace kivo::keypad
