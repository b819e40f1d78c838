#include "OrderTool.h"

#include "OutputActions.h"

#include "core/FactoryDefaults.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "orders/Basket.h"
#include "orders/PackageCatalogue.h"
#include "orders/PricedSession.h"
#include "output/OrderFields.h"

#include <QJsonDocument>

namespace kivo::ordertool {

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Prices a basket with the station's catalogue and price settings.\n"
                       "Reads KIVO_ROOT and KIVO_RESOURCES as the station does."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("basket"),
                      QStringLiteral("The basket: an XML property list {customerID, photos: "
                                     "[{path, lines: [{pkgDisplayName, pkgQty, "
                                     "pkgPrePrintQty}]}]}."),
                      QStringLiteral("FILE")});
    parser.addOption(
        {QStringLiteral("json"), QStringLiteral("Print the priced order as one JSON object.")});
    parser.addOption({QStringLiteral("trace"),
                      QStringLiteral("Show the station's trace lines on standard error.")});
    addOutputOptions(parser);
}

int run(const QCommandLineParser& parser, QTextStream& out, QTextStream& err)
{
    if (!parser.isSet(QStringLiteral("basket"))) {
        err << "kivo-order: --basket FILE is required\n";
        return ExitFailure;
    }

    Settings& settings = Settings::instance();
    setupFactoryDefaults(
        settings, paths::resourcePath(QStringLiteral("FactoryDefaults"), QStringLiteral("plist")));

    PackageCatalogue catalogue(settings);
    if (!catalogue.load()) {
        err << "kivo-order: " << catalogue.loadError() << "\n";
        return ExitFailure;
    }

    QString error;
    const std::optional<Basket> basket =
        Basket::fromFile(parser.value(QStringLiteral("basket")), &error);
    if (!basket) {
        err << "kivo-order: bad basket: " << error << "\n";
        return ExitBadBasket;
    }

    // The ID names the order files: only what keeps them in their folders is taken.
    if (!isValidCustomerId(basket->customerID)) {
        err << "kivo-order: bad basket: customerID must be letters, digits, '-' and '_'\n";
        return ExitBadBasket;
    }

    PricedSession session(catalogue, settings);
    if (!session.price(*basket, &error)) {
        err << "kivo-order: bad basket: " << error << "\n";
        return ExitBadBasket;
    }

    if (parser.isSet(QStringLiteral("json")))
        out << QJsonDocument(session.toJson()).toJson(QJsonDocument::Indented);
    else
        out << session.toText();
    out.flush();
    return runOutputActions(parser, session, catalogue, settings, out, err);
}

} // namespace kivo::ordertool
