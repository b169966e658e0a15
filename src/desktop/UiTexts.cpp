#include "UiTexts.h"

using namespace Qt::StringLiterals;

namespace UiTexts {

QString badTrimCount(const QString& setting, const QString& value)
{
    const QString label =
        setting == u"DEL_UP"_s ? u"Top Side delete Lines"_s : u"Bottom Side delete Lines"_s;
    return u"Setting 의 '%1' 값 %2 은(는) 쓸 수 없습니다. 0 에서 100 사이로 고치십시오.\n"
           "아무것도 쓰지 않았습니다."_s.arg(label, value);
}

QString inputChanged()
{
    return u"변환하는 동안 파일이 바뀌었습니다. 출력 파일은 바뀌지 않았습니다."_s;
}

} // namespace UiTexts
