#include "UiTexts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace UiTexts {

QString enterInteger()
{
    return u"정수를 입력하십시오."_s;
}

QString enterIntegerBetween(int minimum, int maximum)
{
    return u"%1에서 %2 사이의 정수를 입력하십시오."_s.arg(minimum).arg(maximum);
}

QString enterNumber()
{
    return u"숫자를 입력하십시오."_s;
}

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

QString inputChangedSincePreview()
{
    return u"미리 보기 뒤에 파일이 바뀌어 아무것도 쓰지 않았습니다. 다시 변환하십시오."_s;
}

QString andMore(int count)
{
    return u"… 외 %1개"_s.arg(count);
}

QString cancelled()
{
    return u"변환을 취소했습니다. 아무것도 쓰지 않았습니다."_s;
}

QString previewTitle()
{
    return u"변환 미리 보기"_s;
}

QString previewSummary(int files, int seams, int errors, int warnings, int shortFiles,
                       int unreadableFiles)
{
    return u"파일 %1개, 이음매 %2개, 오류 %3개, 경고 %4개, 짧은 파일 %5개, 읽을 수 없는 파일 %6개"_s
        .arg(files)
        .arg(seams)
        .arg(errors)
        .arg(warnings)
        .arg(shortFiles)
        .arg(unreadableFiles);
}

QString seamHeading(const QString& before, const QString& after)
{
    return u"%1 → %2"_s.arg(before, after);
}

QString findingsHeading()
{
    return u"발견된 문제"_s;
}

QString noFindings()
{
    return u"이음매에서 발견된 문제가 없습니다."_s;
}

QString settingsNotStored()
{
    return u"설정을 저장할 수 없습니다. 설정 파일이나 레지스트리에 쓸 수 있는지 확인하십시오."_s;
}

QString settingsStoreUnusable(const QString& file)
{
    return u"설정 파일 %1이(가) 일반 파일이 아니어서 읽을 수 없습니다. 기본 설정으로 시작하며 "
           u"설정은 저장되지 않습니다."_s.arg(file);
}

QString addedAgain(const QStringList& names)
{
    return u"이미 작업에 있는 파일을 한 번 더 넣었습니다: %1 (되돌리기: Ctrl+Z)"_s.arg(
        names.join(u", "_s));
}

QString undoJobEdit()
{
    return u"작업 되돌리기"_s;
}

QString jobEditUndone()
{
    return u"작업의 마지막 변경을 되돌렸습니다."_s;
}

QString cutMark()
{
    return u"잘림"_s;
}

QString linesNotShown(int lines)
{
    return u"잘린 줄 %1개는 보이지 않습니다"_s.arg(lines);
}

QString addedMark()
{
    return u"추가됨"_s;
}

QString outputStart()
{
    return u"출력 시작"_s;
}

QString outputEnd()
{
    return u"출력 끝"_s;
}

QString controlByteAt(int byte, quint64 offset)
{
    return u"(0x%1, %2 바이트 위치)"_s.arg(byte, 2, 16, QChar(u'0')).arg(offset);
}

QString error()
{
    return u"오류"_s;
}

QString warning()
{
    return u"경고"_s;
}

QString seamRuleReason(int rule)
{
    static const QStringList reasons = {
        u"마지막 파일이 아닌 곳에 프로그램 끝이 남았습니다"_s,
        u"프로그램 중간에 \"%\" 줄이 남았습니다"_s,
        u"공구 교환이 잘렸습니다"_s,
        u"공작물 좌표계 선택이 잘렸습니다"_s,
        u"주축 회전 시작이 잘렸습니다"_s,
        u"공구 길이 보정 호출이 잘렸습니다"_s,
        u"절삭유 켜기가 잘렸습니다"_s,
        u"프로그램 중간에 프로그램 번호가 남았습니다"_s,
        u"축 이동이 잘렸습니다"_s,
        u"서브 프로그램 호출이나 점프가 잘렸습니다"_s,
        u"남은 줄이 아직 호출하는 레이블이 잘렸습니다"_s,
        u"마지막 파일이 아닌 곳에 서브 프로그램 복귀(M99)가 남았습니다"_s,
        u"NC 프로그램에 없는 제어 문자가 있습니다"_s,
        u"프로그램이 시작한 이름과 다른 이름으로 끝납니다"_s,
        u"빠졌습니다: 내용 줄이 잘라낼 줄보다 많지 않습니다"_s,
        u"빠졌습니다: 읽을 수 없습니다"_s,
        u"빠졌습니다: 일반 파일이 아닙니다"_s,
        u"잘리거나 확인할 줄이 너무 많아 처음 만 줄만 확인했습니다"_s,
    };
    return reasons.value(rule);
}

QString writeButton()
{
    return u"쓰기"_s;
}

QString cancelButton()
{
    return u"취소"_s;
}

QString skipCleanPreview()
{
    return u"문제가 없으면 다음부터 미리 보기 없이 씁니다"_s;
}

QString confirmWritingWithErrors(int errors)
{
    return u"이음매에 오류가 %1개 있습니다. 그래도 쓰시겠습니까?"_s.arg(errors);
}

QString jobPaneTitle()
{
    return u"JOB"_s;
}

QString moveUp()
{
    return u"위로"_s;
}

QString moveDown()
{
    return u"아래로"_s;
}

QString takeOut()
{
    return u"빼기"_s;
}

QString toolsWouldBeLost(int tools)
{
    return u"이 공구 리스트에는 읽지 못한 공구가 %1개 더 있어, 저장하면 그 공구들이 없어집니다.\n"
           "아무것도 저장하지 않았습니다."_s.arg(tools);
}

QString unsavedToolChanges(const QString& list)
{
    return u"%1의 바뀐 내용을 저장하시겠습니까?"_s.arg(list);
}

QString unreadListNotOverwritten(const QString& list)
{
    return u"%1을(를) 읽지 못했으므로 표의 공구를 그 이름으로 저장하지 않습니다. 다른 이름으로 "
           u"저장하거나 목록을 다시 읽으십시오."_s.arg(list);
}

QString valueNotInCodePage(int tool, const QString& value)
{
    return u"%1번 공구의 '%2' 값에 이 공구 리스트의 문자 코드(CP949)로 쓸 수 없는 문자가 "
           u"있습니다.\n"
           u"아무것도 저장하지 않았습니다."_s.arg(tool)
               .arg(value);
}

QString toolNumberTaken(const QString& number)
{
    return u"공구 번호 %1은(는) 이미 목록에 있습니다."_s.arg(number);
}

QString toolNumberRepeated(const QString& number)
{
    return u"공구 번호 %1이(가) 두 번 있습니다. 아무것도 저장하지 않았습니다."_s.arg(number);
}

QString notANumber(int tool, const QString& value, const QString& text)
{
    return u"%1번 공구의 '%2' 값 \"%3\"은(는) 숫자가 아닙니다."_s.arg(tool).arg(value, text);
}

} // namespace UiTexts
