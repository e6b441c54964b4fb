#include "FbMessage.h"

#include "DbError.h"
#include "FbStatus.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Firebird;

namespace db {

namespace {
constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetUtf8 = 4;
constexpr unsigned kBlobSegment = 32 * 1024;

template <class T>
T readAs(const unsigned char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <class T>
void writeAs(unsigned char* at, T value)
{
    std::memcpy(at, &value, sizeof value);
}

ISC_QUAD writeBlob(IAttachment* attachment, ITransaction* transaction, const QByteArray& bytes)
{
    FbStatus status;
    ISC_QUAD id{};
    FbHandle<IBlob> blob(attachment->createBlob(status.get(), transaction, &id, 0, nullptr));
    status.check();
    for (qsizetype at = 0; at < bytes.size(); at += kBlobSegment) {
        const auto length = static_cast<unsigned>(std::min<qsizetype>(kBlobSegment, bytes.size() - at));
        blob->putSegment(status.get(), length, bytes.constData() + at);
        status.check();
    }
    blob->close(status.get());
    status.check();
    blob.take();
    return id;
}

QByteArray readBlob(IAttachment* attachment, ITransaction* transaction, ISC_QUAD id)
{
    FbStatus status;
    FbHandle<IBlob> blob(attachment->openBlob(status.get(), transaction, &id, 0, nullptr));
    status.check();
    QByteArray bytes;
    char segment[kBlobSegment];
    for (;;) {
        unsigned got = 0;
        const int result = blob->getSegment(status.get(), sizeof segment, segment, &got);
        status.check();
        if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT)
            break;
        bytes.append(segment, got);
    }
    blob->close(status.get());
    status.check();
    blob.take();
    return bytes;
}

unsigned bytesPerChar(unsigned charset)
{
    switch (charset) {
    case kCharsetUtf8:
    case 69:  // GB18030
        return 4;
    case 3:  // UNICODE_FSS
        return 3;
    case 5:  // SJIS_0208
    case 6:  // EUCJ_0208
    case 44: // KSC_5601
    case 56: // BIG_5
    case 57: // GB_2312
    case 67: // GBK
    case 68: // CP943C
        return 2;
    default:
        return 1;
    }
}

void appendScaled(PacketRows& rows, qint64 raw, int scale)
{
    if (scale == 0)
        rows.appendInteger(raw);
    else
        rows.appendDouble(static_cast<double>(raw) * std::pow(10.0, scale));
}

struct Column {
    unsigned type;
    int subType;
    int scale;
    unsigned charset;
    unsigned length;
    unsigned offset;
    unsigned nullOffset;
};
} // namespace

namespace {
enum ValueKind : unsigned { kNullValue, kTextValue, kIntegerValue, kDoubleValue, kBlobValue };
constexpr unsigned kKindBits = 3;
constexpr qsizetype kLeastTextRoom = 64;
constexpr qsizetype kMostTextRoom = 32765;  // the longest VARCHAR a message carries

// The room a text of that many bytes gets: the next power of two, from 64, so that the texts of
// one statement mostly fall in the same rooms. A text too long for any room keeps its length,
// and the server refuses it as before.
unsigned textRoom(qsizetype bytes)
{
    if (bytes > kMostTextRoom)
        return static_cast<unsigned>(bytes);
    qsizetype room = kLeastTextRoom;
    while (room < bytes)
        room *= 2;
    return static_cast<unsigned>(std::min(room, kMostTextRoom));
}

// Per value its kind and, for a text, its room.
std::vector<unsigned> shapeOf(const std::vector<const ParamValue*>& values, const std::vector<QByteArray>& texts)
{
    std::vector<unsigned> shape;
    shape.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const ParamValue& value = *values[i];
        if (std::holds_alternative<QString>(value))
            shape.push_back(kTextValue | textRoom(texts[i].size()) << kKindBits);
        else if (std::holds_alternative<qint64>(value))
            shape.push_back(kIntegerValue);
        else if (std::holds_alternative<double>(value))
            shape.push_back(kDoubleValue);
        else if (std::holds_alternative<QByteArray>(value))
            shape.push_back(kBlobValue);
        else
            shape.push_back(kNullValue);
    }
    return shape;
}

InputLayout buildLayout(IStatement* statement, std::vector<unsigned> shape)
{
    FbStatus status;
    FbHandle<IMessageMetadata> declared(statement->getInputMetadata(status.get()));
    status.check();
    const unsigned count = declared->getCount(status.get());
    status.check();
    if (count != shape.size())
        throw DbError(QStringLiteral("The statement has %1 parameters, %2 were given").arg(count).arg(shape.size()));
    FbHandle<IMetadataBuilder> builder(declared->getBuilder(status.get()));
    status.check();
    for (unsigned i = 0; i < count; ++i) {
        builder->setScale(status.get(), i, 0);
        switch (shape[i] & ((1u << kKindBits) - 1)) {
        case kTextValue:
            builder->setType(status.get(), i, SQL_VARYING + 1);
            builder->setCharSet(status.get(), i, kCharsetUtf8);
            builder->setLength(status.get(), i, shape[i] >> kKindBits);
            break;
        case kIntegerValue:
            builder->setType(status.get(), i, SQL_INT64 + 1);
            builder->setLength(status.get(), i, sizeof(qint64));
            break;
        case kDoubleValue:
            builder->setType(status.get(), i, SQL_DOUBLE + 1);
            builder->setLength(status.get(), i, sizeof(double));
            break;
        case kBlobValue:
            builder->setType(status.get(), i, SQL_BLOB + 1);
            builder->setSubType(status.get(), i, 0);
            builder->setLength(status.get(), i, sizeof(ISC_QUAD));
            break;
        default: {
            const unsigned type = declared->getType(status.get(), i);
            builder->setType(status.get(), i, type | 1u);
        }
        }
        status.check();
    }
    InputLayout layout;
    layout.shape = std::move(shape);
    layout.metadata.reset(builder->getMetadata(status.get()));
    status.check();
    layout.length = layout.metadata->getMessageLength(status.get());
    status.check();
    for (unsigned i = 0; i < count; ++i) {
        layout.offsets.emplace_back(layout.metadata->getOffset(status.get(), i),
                                    layout.metadata->getNullOffset(status.get(), i));
        status.check();
    }
    return layout;
}

// The layout kept for the shape, else a new one kept in place of the least recently used.
const InputLayout& layoutFor(PreparedStatement& statement, std::vector<unsigned> shape)
{
    constexpr size_t kLayoutsKept = 4;
    auto& layouts = statement.inputLayouts;
    for (auto it = layouts.begin(); it != layouts.end(); ++it)
        if (it->shape == shape) {
            layouts.splice(layouts.begin(), layouts, it);
            return layouts.front();
        }
    layouts.push_front(buildLayout(statement.handle.get(), std::move(shape)));
    if (layouts.size() > kLayoutsKept)
        layouts.pop_back();
    return layouts.front();
}
} // namespace

InputMessage::InputMessage(PreparedStatement& statement, IAttachment* attachment, ITransaction* transaction,
                           const std::vector<const ParamValue*>& values)
{
    std::vector<QByteArray> texts(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        if (const auto* text = std::get_if<QString>(values[i]))
            texts[i] = text->toUtf8();
    layout_ = &layoutFor(statement, shapeOf(values, texts));
    buffer_ = MessageBuffer(layout_->length);
    unsigned char* data = buffer_.data();
    for (size_t i = 0; i < values.size(); ++i) {
        const ParamValue& value = *values[i];
        const auto [offset, nullOffset] = layout_->offsets[i];
        unsigned char* at = data + offset;
        writeAs<short>(data + nullOffset, std::holds_alternative<std::nullptr_t>(value) ? short(-1) : short(0));
        if (std::holds_alternative<QString>(value)) {
            writeAs<short>(at, static_cast<short>(texts[i].size()));
            std::memcpy(at + sizeof(short), texts[i].constData(), static_cast<size_t>(texts[i].size()));
        } else if (const auto* integer = std::get_if<qint64>(&value)) {
            writeAs(at, *integer);
        } else if (const auto* real = std::get_if<double>(&value)) {
            writeAs(at, *real);
        } else if (const auto* bytes = std::get_if<QByteArray>(&value)) {
            writeAs(at, writeBlob(attachment, transaction, *bytes));
        }
    }
}

DataPacket fetchAll(IAttachment* attachment, ITransaction* transaction, IResultSet* cursor, IMessageMetadata* output,
                    const TextCodec& codec, const std::function<void()>& answered)
{
    FbStatus status;
    DataPacket packet;
    const unsigned count = output->getCount(status.get());
    status.check();
    std::vector<Column> columns(count);
    for (unsigned i = 0; i < count; ++i) {
        Column& c = columns[i];
        c.type = output->getType(status.get(), i) & ~1u;
        c.subType = output->getSubType(status.get(), i);
        c.scale = output->getScale(status.get(), i);
        c.charset = output->getCharSet(status.get(), i);
        c.length = output->getLength(status.get(), i);
        c.offset = output->getOffset(status.get(), i);
        c.nullOffset = output->getNullOffset(status.get(), i);
        FieldDef def;
        def.name = QString::fromUtf8(output->getAlias(status.get(), i));
        status.check();
        switch (c.type) {
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            def.type = c.scale == 0 ? FieldType::Integer : FieldType::Float;
            break;
        case SQL_BOOLEAN:
            def.type = FieldType::Integer;
            break;
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            def.type = FieldType::Float;
            break;
        case SQL_BLOB:
            def.type = c.subType == 1 ? FieldType::Text : FieldType::Blob;
            break;
        case SQL_TEXT:
        case SQL_VARYING:
            def.type = c.charset == kCharsetOctets ? FieldType::Blob : FieldType::Text;
            def.size = static_cast<int>(c.length / bytesPerChar(c.charset));
            break;
        default:
            def.type = FieldType::Text;
        }
        packet.fields << def;
    }

    MessageBuffer buffer(output->getMessageLength(status.get()));
    status.check();
    unsigned char* data = buffer.data();
    // Each row goes straight from the message into the packet's block of cells; a UTF-8
    // connection's varying texts are copied as they came.
    PacketRows& rows = packet.rows;
    for (;;) {
        const int result = cursor->fetchNext(status.get(), data);
        status.check();
        if (result != IStatus::RESULT_OK)
            break;
        answered();
        rows.startRow(static_cast<qsizetype>(count));
        for (unsigned i = 0; i < count; ++i) {
            const Column& c = columns[i];
            if (readAs<short>(data + c.nullOffset) != 0) {
                rows.appendNull();
                continue;
            }
            const unsigned char* at = data + c.offset;
            switch (c.type) {
            case SQL_VARYING:
            case SQL_TEXT: {
                const bool varying = c.type == SQL_VARYING;
                const unsigned length = varying ? static_cast<unsigned short>(readAs<short>(at)) : c.length;
                const char* bytes = reinterpret_cast<const char*>(at + (varying ? sizeof(short) : 0));
                if (c.charset == kCharsetOctets) {
                    rows.appendBytes(bytes, length);
                } else if (varying && codec.isUtf8()) {
                    rows.appendUtf8(bytes, length);
                } else {
                    QString text = codec.decode(bytes, length);
                    // A fixed-width column comes padded to its width in bytes; keep its characters.
                    if (!varying && text.size() > qsizetype(c.length / bytesPerChar(c.charset)))
                        text.truncate(c.length / bytesPerChar(c.charset));
                    rows.appendText(text);
                }
                break;
            }
            case SQL_SHORT:
                appendScaled(rows, readAs<qint16>(at), c.scale);
                break;
            case SQL_LONG:
                appendScaled(rows, readAs<qint32>(at), c.scale);
                break;
            case SQL_INT64:
                appendScaled(rows, readAs<qint64>(at), c.scale);
                break;
            case SQL_BOOLEAN:
                rows.appendInteger(readAs<unsigned char>(at) ? 1 : 0);
                break;
            case SQL_FLOAT:
                rows.appendDouble(static_cast<double>(readAs<float>(at)));
                break;
            case SQL_DOUBLE:
            case SQL_D_FLOAT:
                rows.appendDouble(readAs<double>(at));
                break;
            case SQL_TYPE_DATE: {
                unsigned y = 0, m = 0, d = 0;
                fbUtil()->decodeDate(readAs<ISC_DATE>(at), &y, &m, &d);
                rows.appendText(QDate(int(y), int(m), int(d)).toString(Qt::ISODate));
                break;
            }
            case SQL_TYPE_TIME: {
                unsigned h = 0, mi = 0, s = 0, frac = 0;
                fbUtil()->decodeTime(readAs<ISC_TIME>(at), &h, &mi, &s, &frac);
                rows.appendText(QTime(int(h), int(mi), int(s), int(frac / 10)).toString(Qt::ISODateWithMs));
                break;
            }
            case SQL_TIMESTAMP: {
                const auto stamp = readAs<ISC_TIMESTAMP>(at);
                unsigned y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, frac = 0;
                fbUtil()->decodeDate(stamp.timestamp_date, &y, &m, &d);
                fbUtil()->decodeTime(stamp.timestamp_time, &h, &mi, &s, &frac);
                const QDateTime moment(QDate(int(y), int(m), int(d)), QTime(int(h), int(mi), int(s), int(frac / 10)));
                rows.appendText(moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
                break;
            }
            case SQL_BLOB: {
                const QByteArray bytes = readBlob(attachment, transaction, readAs<ISC_QUAD>(at));
                if (c.subType != 1)
                    rows.appendValue(QVariant(bytes));  // an empty blob reads as a null QByteArray
                else if (codec.isUtf8())
                    rows.appendUtf8(bytes.constData(), bytes.size());
                else
                    rows.appendText(codec.decode(bytes));
                break;
            }
            default:
                rows.appendNull(); // array columns are not read
                break;
            }
        }
    }
    rows.squeeze();
    return packet;
}

} // namespace db
