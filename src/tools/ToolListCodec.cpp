#include "ToolListCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// "CP949" would name an IBM code page in ICU, which alters bytes.
constexpr const char* kCp949 = "windows-949";
} // namespace

ToolListCodec ToolListCodec::forTools(const std::vector<ToolEntry>& tools)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    for (const ToolEntry& tool : tools)
        for (const std::string& value : tool.values) {
            const QString decoded =
                utf8.decode(QByteArrayView(value.data(), qsizetype(value.size())));
            if (utf8.hasError())
                return ToolListCodec(Encoding::Cp949);
        }
    return ToolListCodec(Encoding::Utf8);
}

QString ToolListCodec::decode(const std::string& bytes) const
{
    if (m_encoding == Encoding::Utf8)
        return QString::fromStdString(bytes);
    QStringDecoder decoder(kCp949);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string ToolListCodec::encode(const QString& text) const
{
    if (m_encoding == Encoding::Utf8)
        return text.toStdString();
    QStringEncoder encoder(kCp949);
    const QByteArray bytes = encoder.encode(text);
    return bytes.toStdString();
}
