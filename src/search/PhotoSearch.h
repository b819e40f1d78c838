#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

namespace kivo {

class Settings;

// Finds a customer's photos by ID in the images folder, off the main thread, by the method the
// settings choose: 0 (the default) the index tool `kivo-find` run as a child process, 1 the
// station's in-memory file-name index (answered within the time limit), 2 a scan of the folder.
class PhotoSearch : public QObject
{
    Q_OBJECT
public:
    explicit PhotoSearch(const Settings& settings, QObject* parent = nullptr);
    ~PhotoSearch() override;

    // Builds the request from the settings at this moment (images folder, daily subfolder
    // with the ICU date pattern and "/" replaced by ":", method tag) and starts the search off
    // the main thread. False (and nothing starts) when no images folder is set.
    bool searchForPhotos(const QStringList& ids);

    // The folder a search started at NOW looks in, from the settings; null when no images
    // folder is set.
    static QString searchFolder(const Settings& settings,
                                const QDateTime& now = QDateTime::currentDateTime());

    // The IDs as the error line shows them: "No Images Found for ID: [%@]" with the IDs joined
    // by ",".
    static QString idText(const QStringList& ids);

    // How long the index may take to answer before the search counts as finding nothing.
    static constexpr int kQueryTimeLimitMs = 5000;
    void setQueryTimeLimitMs(int ms) { m_queryTimeLimitMs = ms; }

signals:
    // On the thread that owns this object, exactly once per started search: the IDs asked
    // for and the sorted full paths found (empty = none found, the caller beeps and says
    // "No Images Found for ID: [%@]"). `queryFailed` true when method 1's query could not
    // start (the caller closes the progress sheet and re-prompts).
    void searchFinished(const QStringList& ids, const QStringList& photos, bool queryFailed);

private:
    void startWorker(const QString& folder, const QStringList& ids, int method);
    void startIndexQuery(const QString& folder, const QStringList& ids);

    const Settings& m_settings;
    int m_queryTimeLimitMs = kQueryTimeLimitMs;
};

} // namespace kivo
