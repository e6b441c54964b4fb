#include "TerminalOutput.h"

#include <QByteArray>

namespace app {

TerminalOutput::TerminalOutput(FILE* stream) : stream_(stream)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

TerminalOutput::~TerminalOutput()
{
    if (afterC2_)
        std::fputc(0xC2, stream_);
    std::fflush(stream_);
}

qint64 TerminalOutput::writeData(const char* data, qint64 size)
{
    // Byte by byte is safe in UTF-8: C0 controls and DEL never occur inside a longer sequence,
    // and C1 controls are exactly 0xC2 followed by 0x80 to 0x9F.
    QByteArray shown;
    shown.reserve(size);
    for (qint64 i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (afterC2_) {
            afterC2_ = false;
            if (c >= 0x80 && c <= 0x9F) {
                shown += "\\u00" + QByteArray::number(c, 16).toUpper();
                continue;
            }
            shown += '\xC2';
        }
        if (c == 0xC2) {
            afterC2_ = true;
        } else if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
            shown += "\\x" + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        } else {
            shown += static_cast<char>(c);
        }
    }
    std::fwrite(shown.constData(), 1, static_cast<size_t>(shown.size()), stream_);
    std::fflush(stream_);
    return size;
}

} // namespace app
