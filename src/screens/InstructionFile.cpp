#include "screens/InstructionFile.h"

#include "core/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cctype>

namespace kivo::instructions {

namespace {

const char* const kExtensions[] = {"pdf",  "png", "psd", "jpg", "tiff",
                                   "jpeg", "rtf", "txt", "rtfd"};

bool canShow(const QString& path)
{
    if (isTextFile(path))
        return QFileInfo(path).isReadable();
    // Decided by the formats this station has decoders for (a PDF or PSD usually not).
    return QImageReader::supportedImageFormats().contains(
        QFileInfo(path).suffix().toLower().toLatin1());
}

// Groups of rich text that hold no text of the document.
bool isHiddenGroup(const QByteArray& word)
{
    static const QByteArray hidden[] = {"fonttbl", "colortbl", "stylesheet", "info",
                                        "pict",    "header",   "footer",     "expandedcolortbl"};
    for (const QByteArray& h : hidden) {
        if (word == h)
            return true;
    }
    return false;
}

} // namespace

QStringList searchFolders()
{
    return {paths::resourcesFolder(), QCoreApplication::applicationDirPath(),
            QDir::homePath() + QStringLiteral("/Desktop"), QStringLiteral("/")};
}

QString findInstructionFile(const QStringList& folders)
{
    for (const char* extension : kExtensions) {
        for (const QString& folder : folders) {
            if (folder.isEmpty())
                continue;
            const QString path = QDir(folder).filePath(
                QStringLiteral("Instructions.%1").arg(QLatin1String(extension)));
            if (QFileInfo::exists(path) && canShow(path))
                return path;
        }
    }
    return {};
}

bool isTextFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("rtf") || suffix == QLatin1String("txt") ||
           suffix == QLatin1String("rtfd");
}

QString readText(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString file =
        suffix == QLatin1String("rtfd") ? QDir(path).filePath(QStringLiteral("TXT.rtf")) : path;
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.read(1 << 20);
    if (suffix == QLatin1String("txt"))
        return QString::fromUtf8(bytes);
    return plainTextOfRtf(bytes);
}

QString plainTextOfRtf(const QByteArray& rtf)
{
    QString text;
    // For each open group: whether its text is left out.
    QList<bool> hidden{false};
    int skipFallback = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        if (c == '{') {
            bool hide = hidden.constLast();
            if (i + 2 < rtf.size() && rtf.at(i + 1) == '\\' && rtf.at(i + 2) == '*')
                hide = true;
            hidden.append(hide);
            continue;
        }
        if (c == '}') {
            if (hidden.size() > 1)
                hidden.removeLast();
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            if (skipFallback > 0)
                --skipFallback;
            else if (!hidden.constLast())
                text.append(QLatin1Char(c));
            continue;
        }
        if (i + 1 >= rtf.size())
            break;
        const char next = rtf.at(i + 1);
        if (next == '\\' || next == '{' || next == '}') {
            if (!hidden.constLast())
                text.append(QLatin1Char(next));
            ++i;
            continue;
        }
        if (next == '\'') {
            // A character by its code in the document's (Latin) code page.
            const int code = rtf.mid(i + 2, 2).toInt(nullptr, 16);
            if (!hidden.constLast())
                text.append(QChar(code));
            i += 3;
            continue;
        }
        qsizetype j = i + 1;
        while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf.at(j))))
            ++j;
        const QByteArray word = rtf.mid(i + 1, j - i - 1);
        if (word.isEmpty()) {
            ++i; // a control symbol such as \~ or \-
            continue;
        }
        qsizetype k = j;
        if (k < rtf.size() &&
            (rtf.at(k) == '-' || std::isdigit(static_cast<unsigned char>(rtf.at(k)))))
            ++k;
        while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf.at(k))))
            ++k;
        const int parameter = rtf.mid(j, k - j).toInt();
        if (k < rtf.size() && rtf.at(k) == ' ')
            ++k;
        i = k - 1;
        if (isHiddenGroup(word)) {
            hidden.last() = true;
        } else if (hidden.constLast()) {
            continue;
        } else if (word == "par" || word == "line") {
            text.append(QLatin1Char('\n'));
        } else if (word == "tab") {
            text.append(QLatin1Char('\t'));
        } else if (word == "u") {
            text.append(QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter)));
            skipFallback = 1;
        }
    }
    return text.trimmed();
}

} // namespace kivo::instructions
