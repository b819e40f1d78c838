#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

namespace kivo::test {

// The station's translation into LANGUAGE (e.g. "fr") installed for the life of one test, from
// the translations compiled in the build tree. Install it before making the widgets.
class Translated
{
public:
    explicit Translated(const QString& language)
    {
        m_loaded = m_translator.load(QStringLiteral(KIVO_TEST_TRANSLATIONS_DIR) +
                                     QStringLiteral("/kivo_sales_station_") + language +
                                     QStringLiteral(".qm")) &&
                   QCoreApplication::installTranslator(&m_translator);
    }
    ~Translated() { QCoreApplication::removeTranslator(&m_translator); }
    Translated(const Translated&) = delete;
    Translated& operator=(const Translated&) = delete;

    bool loaded() const { return m_loaded; }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};

} // namespace kivo::test
