#include "ToolListCodec.h"

#include "Cp949.h"

#include <QStringDecoder>

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
    return Cp949::decode(bytes);
}

std::string ToolListCodec::encode(const QString& text) const
{
    if (m_encoding == Encoding::Utf8)
        return text.toStdString();
    return Cp949::encode(text);
}
