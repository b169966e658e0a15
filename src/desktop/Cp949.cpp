#include "Cp949.h"

#include "core/os/SystemCp949.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// "CP949" would name an IBM code page in ICU, which alters bytes.
constexpr const char* kQtName = "windows-949";

} // namespace

Cp949::Converter Cp949::available()
{
    // Asked for every value of a list: Qt's answer does not change while the program runs.
    static const Converter converter =
        QStringDecoder(kQtName).isValid() ? Converter::Qt : Converter::System;
    return converter;
}

QString Cp949::decode(std::string_view bytes, Converter converter)
{
    if (converter == Converter::System)
        return QString::fromStdString(SystemCp949::toUtf8(bytes));
    QStringDecoder decoder(kQtName);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string Cp949::encode(const QString& text, Converter converter)
{
    if (converter == Converter::System)
        return SystemCp949::fromUtf8(text.toStdString());
    QStringEncoder encoder(kQtName);
    const QByteArray bytes = encoder.encode(text);
    return bytes.toStdString();
}
