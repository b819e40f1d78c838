// kivo-demo: makes the built-in demo station under a folder (photos, folders, settings, the
// attract movie).
//   kivo-demo --root DIR [--size WxH]
//   kivo-demo --attract-picture FILE [--size WxH]   paints the station's attract picture
#include "AttractMovie.h"
#include "DemoMaker.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes the Kivo Sales Station demo."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("root"), QStringLiteral("The demo root."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Photo size (default 6000x4000)."),
                      QStringLiteral("WxH"), QStringLiteral("6000x4000")});
    parser.addOption({QStringLiteral("attract-picture"),
                      QStringLiteral("Paints the attract picture into FILE instead."),
                      QStringLiteral("FILE")});
    parser.process(app);
    const QString root = parser.value(QStringLiteral("root"));
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    const QString picture = parser.value(QStringLiteral("attract-picture"));
    if (!picture.isEmpty() && size.size() == 2 && size[0].toInt() >= 64 && size[1].toInt() >= 64) {
        // The photos' camera size is no screen size: a picture is painted full HD unless asked.
        const QSize screen = parser.isSet(QStringLiteral("size"))
                                 ? QSize(size[0].toInt(), size[1].toInt())
                                 : QSize(1920, 1080);
        const QImage image = kivo::demo::paintAttractPicture(screen, 0.0);
        if (!image.save(picture)) {
            std::fprintf(stderr, "kivo-demo: cannot write %s\n", qPrintable(picture));
            return 1;
        }
        return 0;
    }
    if (root.isEmpty() || size.size() != 2 || size[0].toInt() < 64 || size[1].toInt() < 64) {
        std::fprintf(stderr, "usage: kivo-demo --root DIR [--size WxH]\n"
                             "       kivo-demo --attract-picture FILE [--size WxH]\n");
        return 2;
    }
    QString error;
    if (!kivo::demo::makeDemo(root, QSize(size[0].toInt(), size[1].toInt()), &error)) {
        std::fprintf(stderr, "kivo-demo: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Demo station made under %s\n", qPrintable(root));
    return 0;
}
