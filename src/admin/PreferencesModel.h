#pragma once

#include "admin/PreferenceItems.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace kivo {

class Settings;

// The rules of the preferences sheet, without widgets: every edit is checked, converted to the
// setting's type and stored at once (and written to the settings file), so the station reads it
// at its next use. What cannot be used is refused with a message for the operator and leaves the
// setting as it was. Lives on the main thread.
class PreferencesModel : public QObject
{
    Q_OBJECT

public:
    explicit PreferencesModel(Settings& settings, QObject* parent = nullptr);

    Settings& settings() const { return m_settings; }

    // The value of KEY as the sheet shows it.
    bool boolValue(const QString& key) const;
    QString text(const QString& key) const;

    // A check box. A printer switch turned on without an existing printer of its key's name
    // turns itself off again (MESSAGE says why). Answers the state the setting now has.
    bool setFlag(const QString& key, bool on, QString* message = nullptr);
    // A text field: converted to the setting's kind (an integer, a number in its range, a
    // text); false with ERROR and nothing stored when the text does not fit.
    bool setText(const QString& key, const QString& text, QString* error = nullptr);

    // A chosen folder: checked first (it must exist, and the folders the station writes into
    // must take a file); then its path, its validity flag and its file reference are stored
    // together. False with MESSAGE when refused; nothing changes then.
    bool chooseFolder(const QString& key, const QString& path, QString* message = nullptr);
    // A chosen attract-screen file (the movie or the sponsor logo): an existing, readable file of
    // one of the accepted types; its path and file reference are stored and the attract screen
    // is told.
    bool chooseFile(const QString& key, const QString& path, QString* message = nullptr);
    static QStringList fileTypes(const QString& key);

    // The daily-folder date format pop-up: tag 0 "MM-dd-yyyy", 1 to 4 the short, medium, long and
    // full date styles; any other tag keeps the stored format. The example is refreshed and both
    // are stored. Without a tag (-1), only the example is refreshed.
    void chooseDateFormat(int tag = -1);
    static QString datePatternForTag(int tag);
    // The tag of the stored format, or -1 when it is none of the pop-up's.
    int dateFormatTag() const;
    // Today for the example; tests fix it.
    void setToday(const QDate& today) { m_today = today; }

    // The printers the system has now; a switch whose printer is gone stays as it is (the
    // receipt logs the missing printer), but the sheet shows it among the problems.
    void setPrinters(const QStringList& names, const QString& problem = QString());
    const QStringList& printers() const { return m_printers; }
    // A printer chosen (or typed) for KEY: one the system has now, or none (empty). False with
    // MESSAGE, and nothing stored, for a name the system does not know.
    bool selectPrinter(const QString& key, const QString& name, QString* message = nullptr);

    // What is wrong with the settings as they are: an unreadable settings file, values of the
    // wrong type, a file that cannot be written, printers that are gone, no printing service.
    QStringList problems() const;

    // How often a change that could not be saved is tried again (2 s).
    static constexpr int kSaveRetryMs = 2000;
    void setSaveRetryInterval(int milliseconds);

    // The station's version as the sheet shows it.
    static QString versionText();

signals:
    void settingChanged(const QString& key);
    void problemsChanged();

private:
    void store(const QString& key, const QVariant& value);
    void save();

    Settings& m_settings;
    QDate m_today;
    QStringList m_printers;
    QString m_printerProblem;
    QString m_saveProblem;
    QTimer m_saveRetry;
};

} // namespace kivo
