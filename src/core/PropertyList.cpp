#include "core/PropertyList.h"

#include "core/AtomicFile.h"
#include "core/FileNames.h"

#include <QDateTime>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kivo::plist {

namespace {

// Date seconds in a property list count from 2001-01-01.
constexpr qint64 kAppleEpochOffset = 978307200;

QVariant toVariant(plist_t node, QString* problem)
{
    if (!node)
        return {};
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return QVariant(b != 0);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        // Integers are stored unsigned; a negative integer comes back as its two's complement.
        return QVariant(static_cast<qint64>(u));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        // Refused as in XML: a NaN or an infinity has no form the writer can give back, so a
        // file holding one would be rewritten without it.
        if (!std::isfinite(d)) {
            *problem = QStringLiteral("a real that is not a finite number");
            return {};
        }
        return QVariant(d);
    }
    case PLIST_STRING: {
        // The length-aware getter: plist_get_string_val aborts on a string with a NUL byte.
        uint64_t length = 0;
        const char* s = plist_get_string_ptr(node, &length);
        if (!s)
            return QVariant(QString());
        if (std::memchr(s, 0, length)) {
            *problem = QStringLiteral("a string holds a NUL byte");
            return {};
        }
        return QVariant(QString::fromUtf8(s, static_cast<qsizetype>(length)));
    }
    case PLIST_KEY: {
        char* s = nullptr;
        plist_get_key_val(node, &s);
        QString text = QString::fromUtf8(s ? s : "");
        std::free(s);
        return QVariant(text);
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        QByteArray data(bytes, static_cast<qsizetype>(length));
        std::free(bytes);
        return QVariant(data);
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const qint64 ms = (static_cast<qint64>(sec) + kAppleEpochOffset) * 1000 + usec / 1000;
        return QVariant(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        list.reserve(n);
        for (uint32_t i = 0; i < n; ++i)
            list.append(toVariant(plist_array_get_item(node, i), problem));
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        while (it) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            map.insert(QString::fromUtf8(key), toVariant(value, problem));
            std::free(key);
        }
        std::free(it);
        return map;
    }
    default:
        return {};
    }
}

plist_t fromVariant(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
        return plist_new_uint(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        // NaN and infinity have no form a reader accepts: written, they would make the whole
        // file unreadable (a settings file would lose every value).
        if (!std::isfinite(value.toDouble()))
            return nullptr;
        return plist_new_real(value.toDouble());
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::QByteArray: {
        const QByteArray data = value.toByteArray();
        return plist_new_data(data.constData(), static_cast<uint64_t>(data.size()));
    }
    case QMetaType::QDateTime: {
        const qint64 ms = value.toDateTime().toMSecsSinceEpoch();
        const qint64 sec = ms / 1000 - kAppleEpochOffset;
        // plist_set_date_val is broken in this libplist; only plist_new_date stores a date right.
        return plist_new_date(static_cast<int32_t>(sec), static_cast<int32_t>((ms % 1000) * 1000));
    }
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        plist_t array = plist_new_array();
        for (const QVariant& item : value.toList()) {
            if (plist_t node = fromVariant(item))
                plist_array_append_item(array, node);
        }
        return array;
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (plist_t node = fromVariant(it.value()))
                plist_dict_set_item(dict, it.key().toUtf8().constData(), node);
        }
        return dict;
    }
    default:
        if (value.canConvert<QString>() && value.isValid())
            return plist_new_string(value.toString().toUtf8().constData());
        return nullptr;
    }
}

QString notANumber(const QByteArray& key, const QByteArray& text)
{
    const QString where =
        key.isNull() ? QStringLiteral("a value")
                     : QStringLiteral("the value of key \"%1\"").arg(QString::fromUtf8(key));
    return QStringLiteral("%1 is not a number: \"%2\"")
        .arg(where, QString::fromUtf8(text.left(40)));
}

bool isDecimalInteger(const QByteArray& text)
{
    const QByteArray t = text.trimmed();
    qsizetype i = (t.startsWith('-') || t.startsWith('+')) ? 1 : 0;
    if (i == t.size())
        return false;
    for (; i < t.size(); ++i) {
        if (t.at(i) < '0' || t.at(i) > '9')
            return false;
    }
    bool ok = false;
    t.toLongLong(&ok);
    if (!ok)
        t.toULongLong(&ok);
    return ok;
}

bool isDecimalReal(const QByteArray& text)
{
    // Digits, a point, an exponent: no "nan", "inf" or hexadecimal, which the parser would take.
    for (const char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c)) && c != 'e' && c != 'E')
            return false;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

// A cheap pass over XML before the parser sees it: the depth of nested elements, NUL bytes and
// the text of numbers. Empty when the bytes may be parsed, else what is wrong.
QString checkXml(const QByteArray& data)
{
    const char* p = data.constData();
    const qsizetype n = data.size();
    if (std::memchr(p, 0, static_cast<size_t>(n)))
        return QStringLiteral("holds a NUL byte");
    auto find = [&](qsizetype from, const char* what) {
        const qsizetype at = data.indexOf(what, from);
        return at < 0 ? n : at;
    };
    // Containers count against the limit; the root <plist> element and a value inside the
    // deepest container add two levels to any element's depth.
    const int maxElements = kMaxNesting + 2;
    int depth = 0;
    int containers = 0;
    QByteArray lastKey;
    qsizetype i = 0;
    while ((i = data.indexOf('<', i)) >= 0) {
        auto at = [&](const char* text) {
            const qsizetype length = static_cast<qsizetype>(std::strlen(text));
            return i + length <= n && std::memcmp(p + i, text, static_cast<size_t>(length)) == 0;
        };
        if (at("<!--")) {
            i = find(i + 4, "-->") + 3;
            continue;
        }
        if (at("<![CDATA[")) {
            i = find(i + 9, "]]>") + 3;
            continue;
        }
        if (i + 1 < n && (p[i + 1] == '?' || p[i + 1] == '!')) {
            i = find(i + 2, ">") + 1;
            continue;
        }
        // The tag's end, skipping '>' inside quoted attribute values.
        qsizetype end = i + 1;
        char quote = 0;
        for (; end < n; ++end) {
            if (quote) {
                if (p[end] == quote)
                    quote = 0;
            } else if (p[end] == '"' || p[end] == '\'') {
                quote = p[end];
            } else if (p[end] == '>') {
                break;
            }
        }
        if (end >= n)
            break; // unterminated: the parser refuses it
        const bool closing = p[i + 1] == '/';
        const bool empty = p[end - 1] == '/';
        qsizetype nameStart = i + (closing ? 2 : 1);
        qsizetype nameEnd = nameStart;
        while (nameEnd < end && !std::isspace(static_cast<unsigned char>(p[nameEnd])) &&
               p[nameEnd] != '/')
            ++nameEnd;
        const QByteArray name = data.mid(nameStart, nameEnd - nameStart);
        const bool container = name == "dict" || name == "array";
        if (closing) {
            depth = std::max(0, depth - 1);
            if (container)
                containers = std::max(0, containers - 1);
        } else if (!empty) {
            ++depth;
            if (container)
                ++containers;
            if (depth > maxElements || containers > kMaxNesting)
                return QStringLiteral("nested deeper than %1 levels").arg(kMaxNesting);
            if (name == "key" || name == "integer" || name == "real") {
                const qsizetype textEnd = find(end + 1, "<");
                const QByteArray text = data.mid(end + 1, textEnd - end - 1);
                if (name == "key")
                    lastKey = text;
                else if (name == "integer" ? !isDecimalInteger(text) : !isDecimalReal(text))
                    return notANumber(lastKey, text);
            }
        }
        i = end + 1;
    }
    return {};
}

quint64 readBigEndian(const uchar* at, int size)
{
    quint64 value = 0;
    for (int k = 0; k < size; ++k)
        value = (value << 8) | at[k];
    return value;
}

// The same pass over the binary form: walks the object table once (strings with a NUL byte) and
// the graph of references from the top object without recursion, refusing nesting beyond the
// limit, an object that contains itself, references out of range, and shared objects that
// would expand past kMaxValues values.
QString checkBinary(const QByteArray& data)
{
    const auto* d = reinterpret_cast<const uchar*>(data.constData());
    const quint64 n = static_cast<quint64>(data.size());
    const QString broken = QStringLiteral("not a property list");
    if (n < 8 + 32)
        return broken;
    const uchar* trailer = d + n - 32;
    const int offsetSize = trailer[6];
    const int refSize = trailer[7];
    const quint64 objects = readBigEndian(trailer + 8, 8);
    const quint64 top = readBigEndian(trailer + 16, 8);
    const quint64 table = readBigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || objects == 0 ||
        top >= objects || table < 8 || table >= n - 32 ||
        objects > (n - 32 - table) / static_cast<quint64>(offsetSize))
        return broken;

    struct Object
    {
        int type = 0;      // the marker's high nibble
        quint64 count = 0; // length of a string, number of entries of a container
        quint64 start = 0; // where its contents begin
    };
    auto object = [&](quint64 index, Object* out) {
        const quint64 offset = readBigEndian(d + table + index * offsetSize, offsetSize);
        if (offset < 8 || offset >= table)
            return false;
        const uchar marker = d[offset];
        out->type = marker >> 4;
        out->count = marker & 0x0f;
        out->start = offset + 1;
        if (out->count == 0x0f &&
            (out->type == 0x4 || out->type == 0x5 || out->type == 0x6 || out->type >= 0xa)) {
            if (out->start >= table || (d[out->start] >> 4) != 0x1)
                return false;
            const int size = 1 << (d[out->start] & 0x3);
            if (out->start + 1 + size > table)
                return false;
            out->count = readBigEndian(d + out->start + 1, size);
            out->start += 1 + size;
        }
        return true;
    };
    auto isContainer = [](int type) { return type == 0xa || type == 0xc || type == 0xd; };
    auto refCount = [](const Object& o) { return o.type == 0xd ? o.count * 2 : o.count; };

    for (quint64 k = 0; k < objects; ++k) {
        Object o;
        if (!object(k, &o))
            return broken;
        if (o.type == 0x5 || o.type == 0x6) {
            const quint64 bytes = o.type == 0x6 ? o.count * 2 : o.count;
            if (o.count > n || o.start + bytes > table)
                return broken;
            for (quint64 b = 0; b < o.count; ++b) {
                const bool nul = o.type == 0x6 ? (d[o.start + 2 * b] | d[o.start + 2 * b + 1]) == 0
                                               : d[o.start + b] == 0;
                if (nul)
                    return QStringLiteral("a string holds a NUL byte");
            }
        } else if (isContainer(o.type)) {
            if (refCount(o) > n || o.start + refCount(o) * refSize > table)
                return broken;
        }
    }

    // Depth-first from the top object; each object is finished once and remembers how many
    // values it expands to.
    enum : uchar
    {
        Unseen,
        Open,
        Done
    };
    std::vector<uchar> state(objects, Unseen);
    std::vector<quint64> values(objects, 0);
    struct Frame
    {
        quint64 index;
        Object o;
        quint64 next = 0;
        quint64 values = 1;
    };
    std::vector<Frame> stack;
    auto enter = [&](quint64 index) {
        Frame frame{index, {}};
        object(index, &frame.o);
        state[index] = Open;
        stack.push_back(frame);
    };
    enter(top);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (!isContainer(frame.o.type) || frame.next == refCount(frame.o)) {
            const quint64 done = frame.values;
            state[frame.index] = Done;
            values[frame.index] = done;
            stack.pop_back();
            if (!stack.empty())
                stack.back().values = std::min<quint64>(stack.back().values + done, kMaxValues + 1);
            if (done > quint64(kMaxValues))
                return QStringLiteral("holds more than %1 values").arg(kMaxValues);
            continue;
        }
        const quint64 child = readBigEndian(d + frame.o.start + frame.next * refSize, refSize);
        ++frame.next;
        if (child >= objects)
            return broken;
        if (state[child] == Open)
            return QStringLiteral("an object contains itself");
        if (state[child] == Done) {
            frame.values = std::min<quint64>(frame.values + values[child], kMaxValues + 1);
            continue;
        }
        Object o;
        object(child, &o);
        if (isContainer(o.type) && stack.size() >= static_cast<size_t>(kMaxNesting))
            return QStringLiteral("nested deeper than %1 levels").arg(kMaxNesting);
        enter(child);
    }
    return {};
}

} // namespace

QVariant fromData(const QByteArray& data, QString* error)
{
    QString problem;
    if (data.size() > kMaxBytes)
        problem = QStringLiteral("larger than %1 bytes").arg(kMaxBytes);
    const bool binary = data.size() >= 8 && data.startsWith("bplist00");
    if (problem.isEmpty() && !data.isEmpty())
        problem = binary ? checkBinary(data) : checkXml(data);

    plist_t root = nullptr;
    if (problem.isEmpty() && binary)
        plist_from_bin(data.constData(), static_cast<uint32_t>(data.size()), &root);
    else if (problem.isEmpty() && !data.isEmpty())
        plist_from_xml(data.constData(), static_cast<uint32_t>(data.size()), &root);
    if (!root && problem.isEmpty())
        problem = QStringLiteral("not a property list");

    QVariant result;
    if (root) {
        result = toVariant(root, &problem);
        plist_free(root);
    }
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return {};
    }
    return result;
}

QByteArray toXml(const QVariant& value)
{
    plist_t root = fromVariant(value);
    if (!root)
        return {};
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    QByteArray result(xml, static_cast<qsizetype>(length));
    std::free(xml);
    plist_free(root);
    return result;
}

QVariant readFile(const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return QVariant();
    };
    // Non-blocking, so that opening a FIFO nobody writes to returns at once; only a regular file
    // is read at all (a device such as /dev/zero never ends).
    const int fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("cannot read %1: %2")
                        .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat info = {};
    QByteArray data;
    QString problem;
    if (::fstat(fd, &info) != 0) {
        problem = QStringLiteral("cannot read %1: %2")
                      .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    } else if (!S_ISREG(info.st_mode)) {
        problem = QStringLiteral("%1 is not a regular file").arg(path);
    } else if (info.st_size > kMaxBytes) {
        problem = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(kMaxBytes);
    } else {
        // Read to the end, but never past the limit: the file may grow while it is read.
        data.resize(static_cast<qsizetype>(info.st_size) + 1);
        qsizetype used = 0;
        while (problem.isEmpty()) {
            if (used == data.size()) {
                if (used > kMaxBytes) {
                    problem = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(kMaxBytes);
                    break;
                }
                data.resize(std::min<qsizetype>(used * 2 + 4096, kMaxBytes + 1));
            }
            const ssize_t n =
                ::read(fd, data.data() + used, static_cast<size_t>(data.size() - used));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                problem = QStringLiteral("cannot read %1: %2")
                              .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
            if (n <= 0)
                break;
            used += n;
        }
        data.truncate(used);
    }
    ::close(fd);
    if (!problem.isEmpty())
        return fail(problem);

    QString parseError;
    QVariant value = fromData(data, &parseError);
    if (!value.isValid())
        return fail(QStringLiteral("%1: %2").arg(path, parseError));
    return value;
}

bool writeFile(const QString& path, const QVariant& value, QString* error)
{
    const QByteArray xml = toXml(value);
    if (xml.isEmpty()) {
        if (error)
            *error = QStringLiteral("nothing to write to %1").arg(path);
        return false;
    }
    return writeFileAtomically(path, xml, error);
}

} // namespace kivo::plist
