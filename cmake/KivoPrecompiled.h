// The headers most files of the station include, parsed once per target when the build
// precompiles them (KIVO_PCH). A target takes only what its include path offers: a library
// without widgets has no QtWidgets folder there, so it never sees a widget header.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#if __has_include(<QImage>)
#include <QImage>
#endif

#if __has_include(<QWidget>)
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#endif

#if __has_include(<QTest>)
#include <QSignalSpy>
#include <QTest>
#endif
