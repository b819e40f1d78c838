// kivo-demo: makes the built-in demo station under a folder (photos, folders, settings).
//   kivo-demo --root DIR [--size WxH]
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
    parser.process(app);
    const QString root = parser.value(QStringLiteral("root"));
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (root.isEmpty() || size.size() != 2 || size[0].toInt() < 64 || size[1].toInt() < 64) {
        std::fprintf(stderr, "usage: kivo-demo --root DIR [--size WxH]\n");
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
