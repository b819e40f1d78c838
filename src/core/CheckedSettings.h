#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "core/SettingsSchema.h"

namespace kivo {

class Settings;

// The settings whose values are amounts and counts, with the type and the range the station
// can use (the ranges of the settings schema). The preferences refuse a value outside them, the
// self-test and the staff notice name a stored one, and the pricing reads through them, so that a
// discount typed as 25 instead of 0.25 is caught wherever it comes from.
struct CheckedSetting
{
    enum Type
    {
        Integer, // a whole number
        Number,  // any real number
    };
    Setting setting;
    const char* key;
    Type type;
    double minimum;
    double maximum;
};

// Every checked setting.
const QList<CheckedSetting>& checkedSettings();
// The checked setting of KEY, or nullptr.
const CheckedSetting* checkedSetting(const QString& key);

// Why VALUE cannot be SETTING's value ("is not a number", "is not between 0 and 1"), or an
// empty string when it can. An absent (invalid) value is fine: the reader's fallback applies.
QString checkedValueProblem(const CheckedSetting& setting, const QVariant& value);
// One "KEY = VALUE PROBLEM" line for every checked setting of SETTINGS whose value cannot be
// used, in the table's order.
QStringList checkedSettingsProblems(const Settings& settings);

// The number stored under KEY (a checked setting): ABSENT when there is none, INVALID when it is
// of the wrong type or out of range.
double checkedNumber(const Settings& settings, Setting key, double absent, double invalid);

} // namespace kivo
