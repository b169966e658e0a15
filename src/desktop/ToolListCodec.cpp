#include "ToolListCodec.h"

#include "Cp949.h"
#include "core/toollist/ToolListFile.h"

ToolListCodec ToolListCodec::forTools(const std::vector<ToolEntry>& tools)
{
    return ToolListCodec(isUtf8List(tools) ? Encoding::Utf8 : Encoding::Cp949);
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
