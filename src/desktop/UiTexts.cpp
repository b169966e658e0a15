#include "UiTexts.h"

#include <QStringList>

#include <cerrno>

using namespace Qt::StringLiterals;

QString UiTexts::enterInteger()
{
    return tr("정수를 입력하십시오.");
}

QString UiTexts::enterIntegerBetween(int minimum, int maximum)
{
    return tr("%1에서 %2 사이의 정수를 입력하십시오.").arg(minimum).arg(maximum);
}

QString UiTexts::enterNumber()
{
    return tr("숫자를 입력하십시오.");
}

QString UiTexts::badTrimCount(const QString& setting, const QString& value)
{
    const QString label =
        setting == u"DEL_UP"_s ? tr("Top Side delete Lines") : tr("Bottom Side delete Lines");
    return tr("Setting 의 '%1' 값 %2 은(는) 쓸 수 없습니다. 0 에서 100 사이로 고치십시오.\n"
              "아무것도 쓰지 않았습니다.")
        .arg(label, value);
}

QString UiTexts::inputChanged()
{
    return tr("변환하는 동안 파일이 바뀌었습니다. 출력 파일은 바뀌지 않았습니다.");
}

QString UiTexts::inputChangedSincePreview()
{
    return tr("미리 보기 뒤에 파일이 바뀌어 아무것도 쓰지 않았습니다. 다시 변환하십시오.");
}

QString UiTexts::andMore(int count)
{
    return tr("… 외 %1개").arg(count);
}

QString UiTexts::cancelled()
{
    return tr("변환을 취소했습니다. 아무것도 쓰지 않았습니다.");
}

QString UiTexts::previewTitle()
{
    return tr("변환 미리 보기");
}

QString UiTexts::previewSummary(int files, int seams, int errors, int warnings, int shortFiles,
                                int unreadableFiles)
{
    return tr("파일 %1개, 이음매 %2개, 오류 %3개, 경고 %4개, 짧은 파일 %5개, 읽을 수 없는 파일 "
              "%6개")
        .arg(files)
        .arg(seams)
        .arg(errors)
        .arg(warnings)
        .arg(shortFiles)
        .arg(unreadableFiles);
}

QString UiTexts::seamHeading(const QString& before, const QString& after)
{
    return u"%1 → %2"_s.arg(before, after);
}

QString UiTexts::findingsHeading()
{
    return tr("발견된 문제");
}

QString UiTexts::noFindings()
{
    return tr("이음매에서 발견된 문제가 없습니다.");
}

QString UiTexts::settingsNotStored()
{
    return tr("설정을 저장할 수 없습니다. 설정 파일이나 레지스트리에 쓸 수 있는지 확인하십시오.");
}

QString UiTexts::settingsStoreUnusable(const QString& file)
{
    return tr("설정 파일 %1이(가) 일반 파일이 아니어서 읽을 수 없습니다. 기본 설정으로 시작하며 "
              "설정은 저장되지 않습니다.")
        .arg(file);
}

QString UiTexts::addedAgain(const QStringList& names)
{
    return tr("이미 작업에 있는 파일을 한 번 더 넣었습니다: %1 (되돌리기: Ctrl+Z)")
        .arg(names.join(u", "_s));
}

QString UiTexts::undoJobEdit()
{
    return tr("작업 되돌리기");
}

QString UiTexts::jobEditUndone()
{
    return tr("작업의 마지막 변경을 되돌렸습니다.");
}

QString UiTexts::cutMark()
{
    return tr("잘림");
}

QString UiTexts::linesNotShown(int lines)
{
    return tr("잘린 줄 %1개는 보이지 않습니다").arg(lines);
}

QString UiTexts::addedMark()
{
    return tr("추가됨");
}

QString UiTexts::rewrittenMark()
{
    return tr("좌표계 바뀜");
}

QString UiTexts::placementHeading(bool rewrite)
{
    return rewrite ? tr("좌표 변환: 셀마다 프로그램을 그 셀의 공작물 좌표계로 옮깁니다")
                   : tr("좌표 변환 꺼짐: 프로그램을 바꾸지 않습니다");
}

QString UiTexts::cellHeading(const QString& offset, int programs, int changes)
{
    return tr("%1: 프로그램 %2개, 바뀐 줄 %3개").arg(offset).arg(programs).arg(changes);
}

QString UiTexts::noPlacementChange()
{
    return tr("바뀐 줄 없음");
}

QString UiTexts::outputStart()
{
    return tr("출력 시작");
}

QString UiTexts::outputEnd()
{
    return tr("출력 끝");
}

QString UiTexts::controlByteAt(int byte, quint64 offset)
{
    return tr("(0x%1, %2 바이트 위치)").arg(byte, 2, 16, QChar(u'0')).arg(offset);
}

QString UiTexts::error()
{
    return tr("오류");
}

QString UiTexts::warning()
{
    return tr("경고");
}

QString UiTexts::seamRuleReason(SeamRule rule)
{
    switch (rule) {
    case SeamRule::ProgramEndInside:
        return tr("마지막 파일이 아닌 곳에 프로그램 끝이 남았습니다");
    case SeamRule::TapeMarkInside:
        return tr("프로그램 중간에 \"%\" 줄이 남았습니다");
    case SeamRule::ToolChangeCut:
        return tr("공구 교환이 잘렸습니다");
    case SeamRule::WorkOffsetCut:
        return tr("공작물 좌표계 선택이 잘렸습니다");
    case SeamRule::SpindleStartCut:
        return tr("주축 회전 시작이 잘렸습니다");
    case SeamRule::LengthOffsetCut:
        return tr("공구 길이 보정 호출이 잘렸습니다");
    case SeamRule::CoolantCut:
        return tr("절삭유 켜기가 잘렸습니다");
    case SeamRule::ProgramNumberInside:
        return tr("프로그램 중간에 프로그램 번호가 남았습니다");
    case SeamRule::MoveCut:
        return tr("축 이동이 잘렸습니다");
    case SeamRule::CallCut:
        return tr("서브 프로그램 호출이나 점프가 잘렸습니다");
    case SeamRule::CalledLabelCut:
        return tr("남은 줄이 아직 호출하는 레이블이 잘렸습니다");
    case SeamRule::ReturnInside:
        return tr("마지막 파일이 아닌 곳에 서브 프로그램 복귀(M99)가 남았습니다");
    case SeamRule::ControlBytes:
        return tr("NC 프로그램에 없는 제어 문자가 있습니다");
    case SeamRule::ProgramNameDiffers:
        return tr("프로그램이 시작한 이름과 다른 이름으로 끝납니다");
    case SeamRule::InputShort:
        return tr("빠졌습니다: 내용 줄이 잘라낼 줄보다 많지 않습니다");
    case SeamRule::InputUnreadable:
        return tr("빠졌습니다: 읽을 수 없습니다");
    case SeamRule::InputNotRegular:
        return tr("빠졌습니다: 일반 파일이 아닙니다");
    case SeamRule::NotAllChecked:
        return tr("잘리거나 확인할 줄이 너무 많아 처음 만 줄만 확인했습니다");
    case SeamRule::OffsetsDiffer:
        return tr("프로그램이 공작물 좌표계를 둘 이상 선택합니다: 셀의 좌표계로 옮길 수 없습니다");
    case SeamRule::OffsetNotPlaced:
        return tr("좌표 변환이 바꿀 수 없는 공작물 좌표계 선택입니다");
    case SeamRule::OffsetLineTooLong:
        return tr(
            "좌표 변환이 바꾸거나 그 앞에 좌표계를 넣어야 할 줄이 1 MiB보다 길어 바꿀 수 없습니다");
    case SeamRule::OffsetShift:
        return tr("프로그램이 공작물 좌표계를 직접 쓰거나 옮깁니다(G10, G52, G92)");
    case SeamRule::HeidenhainMoved:
        return tr("Heidenhain 프로그램은 자기 원점을 씁니다: 첫 번째 셀에만 둘 수 있습니다");
    case SeamRule::OffsetDiffersFromCell:
        return tr("프로그램이 셀과 다른 공작물 좌표계를 선택합니다");
    case SeamRule::ToolListUnreadable:
        return tr("공구 리스트를 읽을 수 없어 공구를 확인하지 못했습니다");
    case SeamRule::ToolNotInList:
        return tr("기계의 공구 리스트에 없는 공구입니다");
    case SeamRule::ToolSpindleDiffers:
        return tr("주축 회전수가 공구 리스트와 다릅니다");
    case SeamRule::ToolFeedDiffers:
        return tr("주 절삭 이송이 공구 리스트와 다릅니다");
    case SeamRule::ToolOffsetNumber:
        return tr("보정 번호가 공구 번호와 다릅니다");
    case SeamRule::ToolCoolantDiffers:
        return tr("절삭유가 공구 리스트와 다릅니다");
    case SeamRule::ToolNotMeasured:
        return tr("공구 리스트에 측정하지 않은 공구로 되어 있습니다");
    case SeamRule::ToolLengthDeltaDiffers:
        return tr("DL이 공구 리스트와 다릅니다");
    case SeamRule::ToolsNotAllRead:
        return tr("너무 긴 줄이 있어 공구를 모두 확인하지 못했습니다");
    case SeamRule::ToolListRowShifted:
        return tr("공구 리스트의 줄에 빈 값이 있어 뒤의 값이 한 칸씩 당겨 읽힙니다");
    case SeamRule::ToolListDuplicate:
        return tr("공구 리스트에 같은 공구가 두 번 있습니다: 처음 것을 씁니다");
    case SeamRule::ToolListTooLong:
        return tr("공구 리스트가 너무 길어 뒤의 공구를 읽지 못했습니다");
    case SeamRule::ToolFeedNotApplied:
        return tr(
            "공구 리스트의 Feed(mm/min)를 쓰지 않았습니다: 인치 프로그램이거나 G94가 아닙니다");
    case SeamRule::ToolSpeedChangedMuch:
        return tr("공구 리스트 값이 프로그램 값의 두 배를 넘거나 절반보다 작습니다");
    case SeamRule::ToolSpeedNotChanged:
        return tr("줄이 너무 길어 공구 리스트의 Feed/Spindle을 쓰지 못했습니다");
    case SeamRule::OrderKeptGiven:
        return tr("공구 순서로 바꾸지 않고 셀 순서를 그대로 둡니다");
    case SeamRule::OrderLineLost:
        return tr("공구 순서: 프로그램의 줄이 빠졌습니다");
    case SeamRule::OrderLineAltered:
        return tr("공구 순서: 프로그램의 줄이 바뀌었습니다");
    case SeamRule::OrderOutOfOrder:
        return tr("공구 순서: 셀 안의 순서가 바뀌었습니다");
    case SeamRule::OrderStateDiffers:
        return tr("공구 순서: 이동이 자기 프로그램과 다른 모달 상태에서 실행됩니다");
    case SeamRule::OrderRetractMissing:
        return tr("공구 순서: 다른 좌표계로 가기 전에 후퇴가 없습니다");
    case SeamRule::OrderToolChangeRepeated:
        return tr("공구 순서: 주축에 있는 공구로 다시 교환합니다");
    case SeamRule::OrderRestartLine:
        return tr("공구 순서: 재시작 블록에 있으면 안 되는 줄이 있습니다");
    case SeamRule::SpindleStopCut:
        return tr("주축 정지가 잘렸습니다: 다음 프로그램까지 주축이 계속 돕니다");
    case SeamRule::CoolantOffCut:
        return tr("절삭유 끄기가 잘렸습니다: 다음 프로그램까지 절삭유가 켜져 있습니다");
    }
    return {};
}

// The errors an operator meets, in the window's language; the system's own text for the rest.
QString UiTexts::systemError(const std::error_code& code)
{
    if (code.category() == std::generic_category()) {
        switch (code.value()) {
        case ENOENT:
            return tr("파일이나 폴더가 없습니다.");
        case EACCES:
        case EPERM:
            return tr("권한이 없습니다.");
        case EISDIR:
            return tr("폴더입니다.");
        case ENOSPC:
            return tr("디스크에 빈 공간이 없습니다.");
        case EROFS:
            return tr("읽기 전용 파일 시스템입니다.");
        case ENAMETOOLONG:
            return tr("이름이 너무 깁니다.");
        case EIO:
            return tr("입출력 오류가 났습니다.");
        default:
            break;
        }
    }
    return QString::fromLocal8Bit(code.message());
}

QString UiTexts::fileError(const FileError& error)
{
    switch (error.cause) {
    case FileError::Cause::None:
        return {};
    case FileError::Cause::System:
        return systemError(error.code);
    case FileError::Cause::NotRegularFile:
        return tr("일반 파일이 아닙니다.");
    case FileError::Cause::ChangedSincePlan:
        return tr("미리 보기 뒤에 바뀌었습니다.");
    case FileError::Cause::ChangedWhileRead:
        return tr("읽는 동안 바뀌었습니다.");
    case FileError::Cause::NameNotAllowed:
        return tr("Windows는 점이나 빈칸으로 끝나는 이름의 파일을 만들 수 없습니다.");
    case FileError::Cause::NoTemporaryName:
        return tr("폴더에 임시 파일을 만들 이름이 남아 있지 않습니다.");
    case FileError::Cause::TooLarge:
        return tr("파일이 너무 큽니다.");
    case FileError::Cause::Cancelled:
        return tr("취소했습니다.");
    }
    return {};
}

QString UiTexts::writeButton()
{
    return tr("쓰기");
}

QString UiTexts::cancelButton()
{
    return tr("취소");
}

QString UiTexts::skipCleanPreview()
{
    return tr("문제가 없으면 다음부터 미리 보기 없이 씁니다");
}

QString UiTexts::confirmWritingWithErrors(int seams, int tools, int order)
{
    QStringList kinds;
    if (seams > 0)
        kinds << tr("이음매에 %1개").arg(seams);
    if (tools > 0)
        kinds << tr("공구에 %1개").arg(tools);
    if (order > 0)
        kinds << tr("공구 순서에 %1개").arg(order);
    return tr("오류가 있습니다: %1. 그래도 쓰시겠습니까?").arg(kinds.join(u", "));
}

QString UiTexts::mergeOrderGroup()
{
    return tr("병합 순서");
}

QString UiTexts::cellOrder()
{
    return tr("셀 순서");
}

QString UiTexts::toolOrder()
{
    return tr("공구 순서");
}

QString UiTexts::retractLabel()
{
    return tr("재시작 전 후퇴 (파낙)");
}

QString UiTexts::retractTip()
{
    return tr("공구 순서에서 다른 셀의 세그먼트로 넘어갈 때 먼저 쓰는 블록입니다. 한 줄에 한 "
              "블록을 씁니다.");
}

QString UiTexts::unsafeRetract(const QString& line)
{
    const QString rule = tr("재시작 전 후퇴는 Z를 위로만 움직여야 하고(G28, G30, G53 Z 또는 G91 "
                            "G00 Z+) G90으로 끝나야 합니다.");
    return line.isEmpty()
               ? tr("재시작 전 후퇴가 비어 있습니다.") + u"\n"_s + rule
               : tr("재시작 전 후퇴에 쓸 수 없는 블록이 있습니다: %1").arg(line) + u"\n"_s + rule;
}

QString UiTexts::toolRunsHeading(qint64 changesBefore, qint64 changesAfter, qint64 least,
                                 qint64 restarts)
{
    return tr("공구 순서: 공구 교환 %1회 → %2회 (최소 %3회), 재시작 블록 %4개")
        .arg(changesBefore)
        .arg(changesAfter)
        .arg(least)
        .arg(restarts);
}

QStringList UiTexts::toolRunColumns()
{
    return {tr("공구"), tr("셀"), tr("세그먼트")};
}

QString UiTexts::restartedMark()
{
    return tr("재시작");
}

QString UiTexts::orderKeptGivenHeading()
{
    return tr("공구 순서: 셀 순서를 그대로 둡니다");
}

QString UiTexts::orderKeptGiven(JobOrder::Given given)
{
    switch (given) {
    case JobOrder::Given::No:
        return {};
    case JobOrder::Given::Heidenhain:
        return tr("하이덴하인 프로그램은 셀 순서로 변환합니다");
    case JobOrder::Given::NotPlaced:
        return tr("셀에 놓이지 않은 프로그램이 있습니다");
    case JobOrder::Given::Call:
        return tr("서브 프로그램이나 매크로를 호출하거나 점프합니다");
    case JobOrder::Given::OffsetShift:
        return tr("공작물 좌표계를 직접 쓰거나 옮깁니다(G10, G52, G92)");
    case JobOrder::Given::Computed:
        return tr("계산하는 값(#)이 있어 다시 쓸 수 없습니다");
    case JobOrder::Given::MoveBeforeToolChange:
        return tr("첫 공구 교환 전에 이동합니다: 공구를 알 수 없습니다");
    case JobOrder::Given::NoToolChange:
        return tr("공구 교환이 없습니다");
    case JobOrder::Given::ToolUnknown:
        return tr("어느 공구로 교환하는지 알 수 없습니다");
    case JobOrder::Given::LineTooLong:
        return tr("블록보다 긴 줄이 있어 공구 순서로 바꾸지 않습니다");
    case JobOrder::Given::Unrestatable:
        return tr("회전, 스케일링, 극좌표나 미러는 재시작 블록에서 다시 지정할 수 없습니다");
    case JobOrder::Given::Incremental:
        return tr("증분(G91)으로 이동합니다: 다른 셀의 위치에서 시작하게 됩니다");
    case JobOrder::Given::UnitsUnknown:
        return tr(
            "단위(G20/G21)를 지정하지 않고 이동합니다: 다른 프로그램의 단위를 이어받게 됩니다");
    case JobOrder::Given::ReturnPlaneUnknown:
        return tr("복귀점(G98/G99)을 지정하지 않은 고정 사이클이 있습니다: 다른 프로그램의 "
                  "복귀점을 이어받게 됩니다");
    case JobOrder::Given::PositionUnknown:
        return tr("공구 길이 보정과 함께 갈 첫 절삭 위치를 알 수 없습니다");
    case JobOrder::Given::LengthOffsetUnknown:
        return tr("다른 공구의 길이 보정이나 정하지 않은 보정으로 Z가 움직입니다");
    case JobOrder::Given::UnsafeRetract:
        return tr("재시작 전 후퇴가 Z를 올리기만 하지 않습니다");
    }
    return {};
}

QString UiTexts::settingNotUsed()
{
    return tr("(이 버전에서는 쓰지 않음)");
}

QString UiTexts::settingNotUsedTip()
{
    return tr("이 버전의 Corvane은 이 설정을 저장하기만 하고 변환에는 쓰지 않습니다.");
}

QString UiTexts::noWorkOffset()
{
    return tr("좌표계 없음");
}

QString UiTexts::cellWithoutWorkOffset(int cellNumber)
{
    return tr("%1번 칸에는 공작물 좌표계가 없어 파일을 놓을 수 없습니다.").arg(cellNumber);
}

QString UiTexts::otherFamilyNotAdded(int files)
{
    return tr("작업과 다른 기계 계열의 파일 %1개는 추가하지 않았습니다.").arg(files);
}

QString UiTexts::clearTable()
{
    return tr("전체 비우기");
}

QString UiTexts::tableTab(int number)
{
    return tr("FILE LIST %1").arg(number);
}

QString UiTexts::jobPaneTitle()
{
    return tr("JOB");
}

QString UiTexts::moveUp()
{
    return tr("위로");
}

QString UiTexts::moveDown()
{
    return tr("아래로");
}

QString UiTexts::takeOut()
{
    return tr("빼기");
}

QString UiTexts::toolsWouldBeLost(int tools)
{
    return tr("이 공구 리스트에는 읽지 못한 공구가 %1개 더 있어, 저장하면 그 공구들이 없어집니다.\n"
              "아무것도 저장하지 않았습니다.")
        .arg(tools);
}

QString UiTexts::unsavedToolChanges(const QString& list)
{
    return tr("%1의 바뀐 내용을 저장하시겠습니까?").arg(list);
}

QString UiTexts::unreadListNotOverwritten(const QString& list)
{
    return tr("%1을(를) 읽지 못했으므로 표의 공구를 그 이름으로 저장하지 않습니다. 다른 이름으로 "
              "저장하거나 목록을 다시 읽으십시오.")
        .arg(list);
}

QString UiTexts::valueNotInCodePage(int tool, const QString& value)
{
    return tr("%1번 공구의 '%2' 값에 이 공구 리스트의 문자 코드(CP949)로 쓸 수 없는 문자가 "
              "있습니다.\n"
              "아무것도 저장하지 않았습니다.")
        .arg(tool)
        .arg(value);
}

QString UiTexts::toolNumberTaken(const QString& number)
{
    return tr("공구 번호 %1은(는) 이미 목록에 있습니다.").arg(number);
}

QString UiTexts::toolNumberRepeated(const QString& number)
{
    return tr("공구 번호 %1이(가) 두 번 있습니다. 아무것도 저장하지 않았습니다.").arg(number);
}

QString UiTexts::notANumber(int tool, const QString& value, const QString& text)
{
    return tr("%1번 공구의 '%2' 값 \"%3\"은(는) 숫자가 아닙니다.").arg(tool).arg(value, text);
}

QString UiTexts::speedChangeHeading(int changes)
{
    return tr("Feed/Spindle 변경: 공구 리스트의 값으로 바꾼 줄 %1개").arg(changes);
}

QString UiTexts::toolSheetHeading(const QString& list)
{
    return tr("공구 시트 (%1)").arg(list);
}

QString UiTexts::noToolChange()
{
    return tr("공구 교환이 없습니다.");
}

QStringList UiTexts::toolSheetColumns()
{
    return {tr("공구 번호"), tr("공구 정보"),  tr("셀"),       tr("S 프로그램"),
            tr("S 리스트"),  tr("F 프로그램"), tr("F 리스트"), tr("검사 결과")};
}

QString UiTexts::saveToolSheetButton()
{
    return tr("공구 시트 저장...");
}

QString UiTexts::toolSheetFilter()
{
    return tr("CSV 파일 (*.csv)");
}

QString UiTexts::toolSheetNotSaved(const QString& file)
{
    return tr("공구 시트를 저장할 수 없습니다.\n%1").arg(file);
}

QString UiTexts::speedChangedMark()
{
    return tr("공구 리스트 값");
}
