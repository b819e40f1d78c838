#include "station/Translations.h"

#include "core/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kivo::Translations {

namespace {

const QLatin1String kBaseName("kivo_sales_station_");

// The file for LANGUAGE (a name such as "fr-FR" or "fr") in FOLDERS: the most specific first.
QString fileFor(const QString& language, const QStringList& folders)
{
    QString name = language;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    QStringList candidates{name};
    if (name.contains(QLatin1Char('_')))
        candidates << name.section(QLatin1Char('_'), 0, 0);
    for (const QString& folder : folders)
        for (const QString& candidate : std::as_const(candidates)) {
            const QString path =
                QDir(folder).filePath(kBaseName + candidate + QLatin1String(".qm"));
            if (QFileInfo(path).isFile())
                return path;
        }
    return {};
}

} // namespace

QStringList folders(const QString& buildTreeFolder)
{
    // An installed station reads its package's files only, never those of a build tree that
    // happens to be on the machine.
    const QString resources = paths::resourcesFolder();
    const QString installed =
        resources.isEmpty() ? QString() : QDir(resources).filePath(QStringLiteral("translations"));
    if (!installed.isEmpty() && QFileInfo(installed).isDir())
        return {installed};
    if (!buildTreeFolder.isEmpty())
        return {buildTreeFolder};
    return {};
}

QString install(const QStringList& folders)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return {};
    for (const QString& language : QLocale::system().uiLanguages()) {
        // English is the sources' own language: a site that puts it first gets it, even
        // where a later language of its list is translated.
        if (QLocale(language).language() == QLocale::English)
            return {};
        const QString path = fileFor(language, folders);
        if (path.isEmpty())
            continue;
        auto* station = new QTranslator(app);
        if (!station->load(path)) {
            delete station;
            continue;
        }
        QCoreApplication::installTranslator(station);
        // Qt's own texts (the standard buttons of a dialog), where the system carries them.
        auto* qt = new QTranslator(app);
        if (qt->load(QLocale(station->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        return path;
    }
    return {};
}

} // namespace kivo::Translations
