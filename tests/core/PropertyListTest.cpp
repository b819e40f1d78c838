#include "core/PropertyList.h"
#include "core/Settings.h"
#include "support/TestRoot.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <sys/stat.h>

using namespace kivo;

namespace {

QByteArray nestedXml(const QByteArray& open, const QByteArray& close, int depth)
{
    return "<plist>" + open.repeated(depth) + "<true/>" + close.repeated(depth) + "</plist>";
}

// A binary property list whose object I (of COUNT) is an array holding object I+1 WIDTH times;
// the last is an empty array. References and offsets are 4 bytes.
QByteArray chainedArrays(int count, int width)
{
    auto be32 = [](quint32 v) {
        QByteArray bytes(4, '\0');
        for (int k = 0; k < 4; ++k)
            bytes[k] = char(v >> (24 - 8 * k));
        return bytes;
    };
    QByteArray data("bplist00");
    QByteArray table;
    for (int i = 0; i < count; ++i) {
        table += be32(quint32(data.size()));
        if (i + 1 == count) {
            data += char(0xa0);
            continue;
        }
        data += char(0xa0 | width);
        for (int k = 0; k < width; ++k)
            data += be32(quint32(i + 1));
    }
    const quint32 tableOffset = quint32(data.size());
    return data + table + QByteArray(6, '\0') + char(4) + char(4) + QByteArray(4, '\0') +
           be32(quint32(count)) + QByteArray(8, '\0') + QByteArray(4, '\0') + be32(tableOffset);
}

} // namespace

// The limits hold exactly where they are set, and what a valid file may hold is still read:
// numbers in every decimal form, tags inside comments and CDATA (not elements).
TEST(PropertyList, LimitsHoldAtTheirEdgeAndValidFilesStillRead)
{
    const struct
    {
        QByteArray data;
        bool valid;
    } table[] = {
        {nestedXml("<array>", "</array>", 64), true},
        {nestedXml("<array>", "</array>", 65), false},
        {nestedXml("<dict><key>k</key>", "</dict>", 64), true},
        {nestedXml("<dict><key>k</key>", "</dict>", 65), false},
        {chainedArrays(64, 1), true},
        {chainedArrays(65, 1), false},
        {chainedArrays(16, 2), true},  // shared objects: 65,535 values once expanded
        {chainedArrays(40, 2), false}, // 2^40 values once expanded
        {"<plist><array><integer> -3 </integer><integer>+7</integer><real>1e3</real>"
         "<real>.5</real><real>-2.</real></array></plist>",
         true},
        {"<plist><!-- <array><array> --><string><![CDATA[<dict>]]></string></plist>", true},
        {"<plist><real>inf</real></plist>", false},
        // Binary reals: a finite one reads, a NaN or an infinity is refused as in XML.
        {QByteArray::fromBase64(
             "YnBsaXN0MDCiAQIjP/"
             "gAAAAAAAAjQAQAAAAAAAAICxQAAAAAAAABAQAAAAAAAAADAAAAAAAAAAAAAAAAAAAAHQ=="),
         true},
        {QByteArray::fromBase64("YnBsaXN0MDCiAQIjP/gAAAAAAAAjf/"
                                "gAAAAAAAAICxQAAAAAAAABAQAAAAAAAAADAAAAAAAAAAAAAAAAAAAAHQ=="),
         false},
        {QByteArray::fromBase64("YnBsaXN0MDCiAQIjP/gAAAAAAAAjf/"
                                "AAAAAAAAAICxQAAAAAAAABAQAAAAAAAAADAAAAAAAAAAAAAAAAAAAAHQ=="),
         false},
        {"<plist><integer>99999999999999999999999</integer></plist>", false},
        {"<plist><integer></integer></plist>", false},
    };
    for (const auto& row : table) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        const QVariant value = plist::fromData(row.data, &error);
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_EQ(value.isValid(), row.valid)
            << row.data.left(120).toStdString() << ": " << error.toStdString();
    }
    const QVariantList numbers = plist::fromData(table[8].data).toList();
    EXPECT_EQ(numbers, (QVariantList{qint64(-3), qint64(7), 1000.0, 0.5, -2.0}));
    // What the reader refuses is never written: a NaN is left out rather than spoil the file.
    const QVariantMap written{{"nan", std::nan("")}, {"kept", 1}};
    EXPECT_EQ(plist::fromData(plist::toXml(written)).toMap().keys(), QStringList{"kept"});
}

// The settings store reads through the same reader: a settings file that is a FIFO nobody
// writes to is refused at once, as an empty store, instead of hanging the station's start.
TEST(PropertyList, SettingsFileThatIsAFifoDoesNotHang)
{
    test::TestRoot root;
    const QString path = root.file("config/KivoSalesStation.plist");
    root.folder("config");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QString error;
    EXPECT_FALSE(plist::readFile(path, &error).isValid());
    EXPECT_EQ(error, path + " is not a regular file");
    Settings settings(path);
    EXPECT_TRUE(settings.storedValues().isEmpty());
}
