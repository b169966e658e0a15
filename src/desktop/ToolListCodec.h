#pragma once

#include "core/toollist/ToolEntry.h"

#include <QString>

#include <string>
#include <vector>

// How the values of one tool list file are shown: as UTF-8 where the whole file is valid
// UTF-8, else as code page 949, the encoding of lists written on Korean Windows.
class ToolListCodec
{
public:
    enum class Encoding
    {
        Utf8,
        Cp949,
    };

    explicit ToolListCodec(Encoding encoding = Encoding::Utf8) : m_encoding(encoding) {}
    static ToolListCodec forTools(const std::vector<ToolEntry>& tools);

    QString decode(const std::string& bytes) const;
    std::string encode(const QString& text) const;
    Encoding encoding() const { return m_encoding; }

private:
    Encoding m_encoding;
};
