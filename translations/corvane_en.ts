<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko_KR">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Corvane 정보</source>
        <translation>About Corvane</translation>
    </message>
    <message>
        <source>확인</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>칸의 숫자 입력 방식 (G54 &amp;&amp; P1 ~)</source>
        <translation>Number the cells by work offset (G54 &amp;&amp; P1 ~)</translation>
    </message>
    <message>
        <source>일반</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Simens</source>
        <translation>Simens</translation>
    </message>
    <message>
        <source>파낙</source>
        <translation>Fanuc</translation>
    </message>
    <message>
        <source>하이덴하인</source>
        <translation>Heidenhain</translation>
    </message>
    <message>
        <source>Feed/Spindle 변경</source>
        <translation>Change Feed/Spindle</translation>
    </message>
    <message>
        <source>NC Data 좌표 변환</source>
        <translation>Convert NC Data coordinates</translation>
    </message>
    <message>
        <source>변환 후 Assy NC 데이터 열기</source>
        <translation>Open the Assy NC data after converting</translation>
    </message>
    <message>
        <source>변환 후 윈도우 탐색기 열기</source>
        <translation>Open the folder after converting</translation>
    </message>
    <message>
        <source>파일 앞뒤에  &quot; % &quot; 표시</source>
        <translation>Mark the start and end with  &quot; % &quot;</translation>
    </message>
    <message>
        <source>변환 관련 폴더 삭제</source>
        <translation>Delete the conversion folders</translation>
    </message>
    <message>
        <source>Final 폴더 삭제</source>
        <translation>Delete the Final folder</translation>
    </message>
    <message>
        <source>환경 설정 창</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Z 중심값(MVR)</source>
        <translation>Z centre (MVR)</translation>
    </message>
    <message>
        <source>Z 옵셋값(MVR)</source>
        <translation>Z offset (MVR)</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>방전</source>
        <translation>EDM</translation>
    </message>
    <message>
        <source>행개수</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>열개수</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Table 개수</source>
        <translation>Tables</translation>
    </message>
    <message>
        <source>머릿말</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>꼬리말</source>
        <translation>Footer</translation>
    </message>
    <message>
        <source>좌표축</source>
        <translation>Coordinate axes</translation>
    </message>
    <message>
        <source>NC Assy 문구</source>
        <translation>NC Assy lines</translation>
    </message>
    <message>
        <source>NC</source>
        <translation>NC</translation>
    </message>
    <message>
        <source>번호 (최대값)</source>
        <translation>Number (maximum)</translation>
    </message>
    <message>
        <source>변환</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>수정된 것을 반영하기 위해서는 프로그램을 종료하고 다시 시작해야 합니다.</source>
        <translation>The changes take effect when the program is closed and started again.</translation>
    </message>
</context>
<context>
    <name>CDlgToolConfig</name>
    <message>
        <source>쉼표(,)가 들어 있습니다.</source>
        <translation>It holds a comma (,).</translation>
    </message>
    <message>
        <source>줄바꿈이 들어 있습니다.</source>
        <translation>It holds a line break.</translation>
    </message>
    <message>
        <source>비어 있는데 뒤에 값이 있어, 다시 읽으면 뒤의 값들이 앞으로 밀립니다.</source>
        <translation>It is empty with values after it: read again, those values would move forward.</translation>
    </message>
    <message>
        <source>&apos;!&apos; 또는 &apos;*&apos;로 시작해, 다시 읽으면 주석이 됩니다.</source>
        <translation>It starts with &apos;!&apos; or &apos;*&apos;: read again, it would be a comment.</translation>
    </message>
    <message>
        <source>공구 설정</source>
        <translation>Tool Settings</translation>
    </message>
    <message>
        <source>공구 리스트</source>
        <translation>Tool list</translation>
    </message>
    <message>
        <source>공구 번호</source>
        <translation>Tool number</translation>
    </message>
    <message>
        <source>직경</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>반지름</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>최소 공차</source>
        <translation>Min. tolerance</translation>
    </message>
    <message>
        <source>최대 공차</source>
        <translation>Max. tolerance</translation>
    </message>
    <message>
        <source>절삭류</source>
        <translation>Coolant</translation>
    </message>
    <message>
        <source>Spindle</source>
        <translation>Spindle</translation>
    </message>
    <message>
        <source>Feed</source>
        <translation>Feed</translation>
    </message>
    <message>
        <source>Dwell time</source>
        <translation>Dwell time</translation>
    </message>
    <message>
        <source>측정 여부</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>DL</source>
        <translation>DL</translation>
    </message>
    <message>
        <source>추가</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>저장</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>다른 이름으로 저장</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>닫기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>공구 리스트 파일이 존재하지 않습니다.</source>
        <translation>The tool list file does not exist.</translation>
    </message>
    <message>
        <source>공구 리스트에 공구가 %1개보다 많습니다. 나머지 %2개는 읽지 않았습니다.</source>
        <translation>The tool list holds more than %1 tools. The other %2 were not read.</translation>
    </message>
    <message>
        <source>%1번 공구의 &apos;%2&apos; 값은 그대로 저장할 수 없습니다: %3
아무것도 저장하지 않았습니다.</source>
        <translation>The &apos;%2&apos; value of tool %1 cannot be saved as it is: %3
Nothing was saved.</translation>
    </message>
    <message>
        <source>공구 리스트 파일을 저장할 수 없습니다.
%1
%2</source>
        <translation>The tool list file cannot be saved.
%1
%2</translation>
    </message>
    <message>
        <source>저장 되었습니다.</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>공구 리스트 files (*.tlist)</source>
        <translation>Tool list files (*.tlist)</translation>
    </message>
</context>
<context>
    <name>CFileOptDlg</name>
    <message>
        <source>Tessaly Option</source>
        <translation>Tessaly Option</translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation>Text Size</translation>
    </message>
    <message>
        <source>Top Side delete Lines</source>
        <translation>Top Side delete Lines</translation>
    </message>
    <message>
        <source>Bottom Side delete Lines</source>
        <translation>Bottom Side delete Lines</translation>
    </message>
    <message>
        <source>Logo transparency
&lt;opacity: (0) ~ (255)&gt;</source>
        <translation>Logo transparency
&lt;opacity: (0) ~ (255)&gt;</translation>
    </message>
    <message>
        <source>Extension Name</source>
        <translation>Extension Name</translation>
    </message>
    <message>
        <source>Editor Program</source>
        <translation>Editor Program</translation>
    </message>
    <message>
        <source>Changes to take effect, you must run the program again.</source>
        <translation>Changes to take effect, you must run the program again.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>READY</source>
        <translation>READY</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Set Folder Path</source>
        <translation>Set Folder Path</translation>
    </message>
    <message>
        <source>공구 설정</source>
        <translation>Tool Settings</translation>
    </message>
    <message>
        <source>Output 경로 설정</source>
        <translation>Set Output Path</translation>
    </message>
    <message>
        <source>환경 설정</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Corvane 정보</source>
        <translation>About Corvane</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>Exit(&amp;X)</translation>
    </message>
    <message>
        <source>HOME</source>
        <translation>HOME</translation>
    </message>
    <message>
        <source>TOOL</source>
        <translation>TOOL</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>EDIT</translation>
    </message>
    <message>
        <source>SETTING</source>
        <translation>SETTING</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>FOLDER</translation>
    </message>
    <message>
        <source>NC FILE LIST</source>
        <translation>NC FILE LIST</translation>
    </message>
    <message>
        <source>폴더 경로를 설정할 디렉토리를 선택하세요</source>
        <translation>Choose the folder to browse</translation>
    </message>
    <message>
        <source>Output 경로를 설정할 디렉토리를 선택하세요</source>
        <translation>Choose the folder for the output</translation>
    </message>
</context>
<context>
    <name>CMyTableView</name>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>[%1] 는 파일이 아닙니다.</source>
        <translation>[%1] is not a file.</translation>
    </message>
    <message>
        <source>작업 목록이 가득 찼습니다 (최대 %1개). 파일 %2개를 추가하지 못했습니다.</source>
        <translation>The job list is full (at most %1). %2 files were not added.</translation>
    </message>
    <message>
        <source>확장자가 다른 파일 %1개는 추가하지 않았습니다.</source>
        <translation>%1 files with another extension were not added.</translation>
    </message>
    <message>
        <source>번호: %1 (%2 files)</source>
        <translation>No.: %1 (%2 files)</translation>
    </message>
    <message>
        <source>More %1 files...</source>
        <translation>More %1 files...</translation>
    </message>
</context>
<context>
    <name>CQuorView</name>
    <message>
        <source>NC</source>
        <translation>NC</translation>
    </message>
</context>
<context>
    <name>CTableView</name>
    <message>
        <source>FILE LIST</source>
        <translation>FILE LIST</translation>
    </message>
</context>
<context>
    <name>ConvertCommand</name>
    <message>
        <source>현재파일 형식 (*.*)</source>
        <translation>Current file type (*.*)</translation>
    </message>
    <message>
        <source>모든파일(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>변환이 완료되었습니다.</source>
        <translation>The conversion is complete.</translation>
    </message>
    <message>
        <source>%1이(가) 이미 있습니다.
바꾸시겠습니까?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>출력 폴더를 만들 수 없습니다.</source>
        <translation>The output folder cannot be made.</translation>
    </message>
    <message>
        <source>출력 파일을 쓸 수 없습니다.</source>
        <translation>The output file cannot be written.</translation>
    </message>
    <message>
        <source>파일을 읽다가 오류가 났습니다. 출력 파일은 바뀌지 않았습니다.</source>
        <translation>A file could not be read. The output file was not changed.</translation>
    </message>
    <message>
        <source>삭제할 라인의 개수가 파일내용의 라인개수 보다 많습니다 - </source>
        <translation>More lines are to be deleted than the file holds - </translation>
    </message>
    <message>
        <source>다음 파일을 읽을 수 없어 변환에서 뺐습니다.</source>
        <translation>These files could not be read and were left out of the conversion.</translation>
    </message>
    <message>
        <source>%1 프로그램을 시작할 수 없습니다.</source>
        <translation>The program %1 cannot be started.</translation>
    </message>
</context>
<context>
    <name>DialogParts</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MergeProgressDialog</name>
    <message>
        <source>변환 중...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PlainFileIconProvider</name>
    <message>
        <source>Folder</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>%1 File</translation>
    </message>
</context>
<context>
    <name>ToolReportModel</name>
    <message>
        <source>번호</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>공구 번호</source>
        <translation>Tool number</translation>
    </message>
    <message>
        <source>공구 정보</source>
        <translation>Tool information</translation>
    </message>
    <message>
        <source>최소 공차</source>
        <translation>Min. tolerance</translation>
    </message>
    <message>
        <source>최대 공차</source>
        <translation>Max. tolerance</translation>
    </message>
    <message>
        <source>절삭류</source>
        <translation>Coolant</translation>
    </message>
    <message>
        <source>Spindle</source>
        <translation>Spindle</translation>
    </message>
    <message>
        <source>Feed</source>
        <translation>Feed</translation>
    </message>
    <message>
        <source>Dwell time</source>
        <translation>Dwell time</translation>
    </message>
    <message>
        <source>측정 여부</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>DL</source>
        <translation>DL</translation>
    </message>
</context>
<context>
    <name>UiTexts</name>
    <message>
        <source>정수를 입력하십시오.</source>
        <translation>Enter a whole number.</translation>
    </message>
    <message>
        <source>%1에서 %2 사이의 정수를 입력하십시오.</source>
        <translation>Enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>숫자를 입력하십시오.</source>
        <translation>Enter a number.</translation>
    </message>
    <message>
        <source>Top Side delete Lines</source>
        <translation>Top Side delete Lines</translation>
    </message>
    <message>
        <source>Bottom Side delete Lines</source>
        <translation>Bottom Side delete Lines</translation>
    </message>
    <message>
        <source>Setting 의 &apos;%1&apos; 값 %2 은(는) 쓸 수 없습니다. 0 에서 100 사이로 고치십시오.
아무것도 쓰지 않았습니다.</source>
        <translation>The &apos;%1&apos; value %2 of Setting cannot be used. Change it to a number from 0 to 100.
Nothing was written.</translation>
    </message>
    <message>
        <source>변환하는 동안 파일이 바뀌었습니다. 출력 파일은 바뀌지 않았습니다.</source>
        <translation>A file changed during the conversion. The output file was not changed.</translation>
    </message>
    <message>
        <source>미리 보기 뒤에 파일이 바뀌어 아무것도 쓰지 않았습니다. 다시 변환하십시오.</source>
        <translation>A file changed after the preview, so nothing was written. Convert again.</translation>
    </message>
    <message>
        <source>… 외 %1개</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>변환을 취소했습니다. 아무것도 쓰지 않았습니다.</source>
        <translation>The conversion was cancelled. Nothing was written.</translation>
    </message>
    <message>
        <source>변환 미리 보기</source>
        <translation>Conversion preview</translation>
    </message>
    <message>
        <source>파일 %1개, 이음매 %2개, 오류 %3개, 경고 %4개, 짧은 파일 %5개, 읽을 수 없는 파일 %6개</source>
        <translation>%1 files, %2 seams, %3 errors, %4 warnings, %5 short files, %6 unreadable files</translation>
    </message>
    <message>
        <source>발견된 문제</source>
        <translation>Findings</translation>
    </message>
    <message>
        <source>이음매에서 발견된 문제가 없습니다.</source>
        <translation>No problems were found at the seams.</translation>
    </message>
    <message>
        <source>설정을 저장할 수 없습니다. 설정 파일이나 레지스트리에 쓸 수 있는지 확인하십시오.</source>
        <translation>The settings cannot be saved. Check that the settings file or the registry can be written.</translation>
    </message>
    <message>
        <source>설정 파일 %1이(가) 일반 파일이 아니어서 읽을 수 없습니다. 기본 설정으로 시작하며 설정은 저장되지 않습니다.</source>
        <translation>The settings file %1 is not a regular file and cannot be read. The program starts with the default settings and saves no settings.</translation>
    </message>
    <message>
        <source>이미 작업에 있는 파일을 한 번 더 넣었습니다: %1 (되돌리기: Ctrl+Z)</source>
        <translation>Files already in the job were added once more: %1 (undo: Ctrl+Z)</translation>
    </message>
    <message>
        <source>작업 되돌리기</source>
        <translation>Undo job edit</translation>
    </message>
    <message>
        <source>작업의 마지막 변경을 되돌렸습니다.</source>
        <translation>The last change of the job was undone.</translation>
    </message>
    <message>
        <source>잘림</source>
        <translation>cut</translation>
    </message>
    <message>
        <source>잘린 줄 %1개는 보이지 않습니다</source>
        <translation>%1 cut lines are not shown</translation>
    </message>
    <message>
        <source>추가됨</source>
        <translation>added</translation>
    </message>
    <message>
        <source>출력 시작</source>
        <translation>start of output</translation>
    </message>
    <message>
        <source>출력 끝</source>
        <translation>end of output</translation>
    </message>
    <message>
        <source>(0x%1, %2 바이트 위치)</source>
        <translation>(0x%1 at byte %2)</translation>
    </message>
    <message>
        <source>오류</source>
        <translation>error</translation>
    </message>
    <message>
        <source>경고</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>마지막 파일이 아닌 곳에 프로그램 끝이 남았습니다</source>
        <translation>program end kept before the last file</translation>
    </message>
    <message>
        <source>프로그램 중간에 &quot;%&quot; 줄이 남았습니다</source>
        <translation>&quot;%&quot; line kept inside the program</translation>
    </message>
    <message>
        <source>공구 교환이 잘렸습니다</source>
        <translation>tool change cut</translation>
    </message>
    <message>
        <source>공작물 좌표계 선택이 잘렸습니다</source>
        <translation>work offset selection cut</translation>
    </message>
    <message>
        <source>주축 회전 시작이 잘렸습니다</source>
        <translation>spindle start cut</translation>
    </message>
    <message>
        <source>공구 길이 보정 호출이 잘렸습니다</source>
        <translation>tool length offset call cut</translation>
    </message>
    <message>
        <source>절삭유 켜기가 잘렸습니다</source>
        <translation>coolant on cut</translation>
    </message>
    <message>
        <source>프로그램 중간에 프로그램 번호가 남았습니다</source>
        <translation>program number kept inside the program</translation>
    </message>
    <message>
        <source>축 이동이 잘렸습니다</source>
        <translation>move cut</translation>
    </message>
    <message>
        <source>서브 프로그램 호출이나 점프가 잘렸습니다</source>
        <translation>subprogram call or jump cut</translation>
    </message>
    <message>
        <source>남은 줄이 아직 호출하는 레이블이 잘렸습니다</source>
        <translation>label cut that a kept line still calls</translation>
    </message>
    <message>
        <source>마지막 파일이 아닌 곳에 서브 프로그램 복귀(M99)가 남았습니다</source>
        <translation>subprogram return (M99) kept before the last file</translation>
    </message>
    <message>
        <source>NC 프로그램에 없는 제어 문자가 있습니다</source>
        <translation>control byte that no NC program holds</translation>
    </message>
    <message>
        <source>프로그램이 시작한 이름과 다른 이름으로 끝납니다</source>
        <translation>program ends under another name than it begins with</translation>
    </message>
    <message>
        <source>빠졌습니다: 내용 줄이 잘라낼 줄보다 많지 않습니다</source>
        <translation>left out: no more content lines than the cuts take</translation>
    </message>
    <message>
        <source>빠졌습니다: 읽을 수 없습니다</source>
        <translation>left out: cannot be read</translation>
    </message>
    <message>
        <source>빠졌습니다: 일반 파일이 아닙니다</source>
        <translation>left out: not a regular file</translation>
    </message>
    <message>
        <source>잘리거나 확인할 줄이 너무 많아 처음 만 줄만 확인했습니다</source>
        <translation>too many lines cut or noted: the checks saw the first ten thousand</translation>
    </message>
    <message>
        <source>쓰기</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>문제가 없으면 다음부터 미리 보기 없이 씁니다</source>
        <translation>From now on, write without this preview when nothing is found</translation>
    </message>
    <message>
        <source>JOB</source>
        <translation>JOB</translation>
    </message>
    <message>
        <source>위로</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>아래로</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>빼기</source>
        <translation>Take out</translation>
    </message>
    <message>
        <source>이 공구 리스트에는 읽지 못한 공구가 %1개 더 있어, 저장하면 그 공구들이 없어집니다.
아무것도 저장하지 않았습니다.</source>
        <translation>This tool list holds %1 more tools that were not read; saving would lose them.
Nothing was saved.</translation>
    </message>
    <message>
        <source>%1의 바뀐 내용을 저장하시겠습니까?</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>%1을(를) 읽지 못했으므로 표의 공구를 그 이름으로 저장하지 않습니다. 다른 이름으로 저장하거나 목록을 다시 읽으십시오.</source>
        <translation>%1 could not be read, so the tools of the table are not saved under its name. Save them under another name or read the list again.</translation>
    </message>
    <message>
        <source>%1번 공구의 &apos;%2&apos; 값에 이 공구 리스트의 문자 코드(CP949)로 쓸 수 없는 문자가 있습니다.
아무것도 저장하지 않았습니다.</source>
        <translation>The &apos;%2&apos; value of tool %1 holds characters that the code page of this tool list (CP949) cannot hold.
Nothing was saved.</translation>
    </message>
    <message>
        <source>공구 번호 %1은(는) 이미 목록에 있습니다.</source>
        <translation>Tool number %1 is already in the list.</translation>
    </message>
    <message>
        <source>공구 번호 %1이(가) 두 번 있습니다. 아무것도 저장하지 않았습니다.</source>
        <translation>Tool number %1 is there twice. Nothing was saved.</translation>
    </message>
    <message>
        <source>%1번 공구의 &apos;%2&apos; 값 &quot;%3&quot;은(는) 숫자가 아닙니다.</source>
        <translation>The &apos;%2&apos; value &quot;%3&quot; of tool %1 is not a number.</translation>
    </message>
    <message>
        <source>일반 파일이 아닙니다.</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>미리 보기 뒤에 바뀌었습니다.</source>
        <translation>It changed after the preview.</translation>
    </message>
    <message>
        <source>읽는 동안 바뀌었습니다.</source>
        <translation>It changed while it was read.</translation>
    </message>
    <message>
        <source>Windows는 점이나 빈칸으로 끝나는 이름의 파일을 만들 수 없습니다.</source>
        <translation>Windows cannot make a file whose name ends with a dot or a blank.</translation>
    </message>
    <message>
        <source>폴더에 임시 파일을 만들 이름이 남아 있지 않습니다.</source>
        <translation>No name is left in the folder for a temporary file.</translation>
    </message>
    <message>
        <source>파일이 너무 큽니다.</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>취소했습니다.</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>파일이나 폴더가 없습니다.</source>
        <translation>No such file or folder.</translation>
    </message>
    <message>
        <source>권한이 없습니다.</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>폴더입니다.</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>디스크에 빈 공간이 없습니다.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>읽기 전용 파일 시스템입니다.</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>이름이 너무 깁니다.</source>
        <translation>The name is too long.</translation>
    </message>
    <message>
        <source>입출력 오류가 났습니다.</source>
        <translation>An input/output error occurred.</translation>
    </message>
    <message>
        <source>프로그램이 공작물 좌표계를 둘 이상 선택합니다: 셀의 좌표계로 옮길 수 없습니다</source>
        <translation>The program selects more than one work offset: it cannot be placed at its cell&apos;s offset</translation>
    </message>
    <message>
        <source>좌표 변환이 바꿀 수 없는 공작물 좌표계 선택입니다</source>
        <translation>A work offset selection that coordinate conversion cannot rewrite</translation>
    </message>
    <message>
        <source>프로그램이 공작물 좌표계를 직접 쓰거나 옮깁니다(G10, G52, G92)</source>
        <translation>The program writes or shifts work offsets itself (G10, G52, G92)</translation>
    </message>
    <message>
        <source>Heidenhain 프로그램은 자기 원점을 씁니다: 첫 번째 셀에만 둘 수 있습니다</source>
        <translation>A Heidenhain program keeps its own datum: it may stand only in the first cell</translation>
    </message>
    <message>
        <source>프로그램이 셀과 다른 공작물 좌표계를 선택합니다</source>
        <translation>The program selects another work offset than its cell&apos;s</translation>
    </message>
    <message>
        <source>좌표계 없음</source>
        <translation>no offset</translation>
    </message>
    <message>
        <source>%1번 칸에는 공작물 좌표계가 없어 파일을 놓을 수 없습니다.</source>
        <translation>Cell %1 has no work offset: files cannot be placed there.</translation>
    </message>
    <message>
        <source>작업과 다른 기계 계열의 파일 %1개는 추가하지 않았습니다.</source>
        <translation>%1 files of another machine family than the job&apos;s were not added.</translation>
    </message>
    <message>
        <source>전체 비우기</source>
        <translation>Clear All</translation>
    </message>
    <message>
        <source>FILE LIST %1</source>
        <translation>FILE LIST %1</translation>
    </message>
    <message>
        <source>좌표계 바뀜</source>
        <translation>offset changed</translation>
    </message>
    <message>
        <source>좌표 변환: 셀마다 프로그램을 그 셀의 공작물 좌표계로 옮깁니다</source>
        <translation>Coordinate conversion: each program is placed at its cell&apos;s work offset</translation>
    </message>
    <message>
        <source>좌표 변환 꺼짐: 프로그램을 바꾸지 않습니다</source>
        <translation>Coordinate conversion off: the programs are not changed</translation>
    </message>
    <message>
        <source>%1: 프로그램 %2개, 바뀐 줄 %3개</source>
        <translation>%1: %2 programs, %3 lines changed</translation>
    </message>
    <message>
        <source>바뀐 줄 없음</source>
        <translation>no line changed</translation>
    </message>
    <message>
        <source>(이 버전에서는 쓰지 않음)</source>
        <translation>(not used in this version)</translation>
    </message>
    <message>
        <source>이 버전의 Corvane은 이 설정을 저장하기만 하고 변환에는 쓰지 않습니다.</source>
        <translation>This version of Corvane stores this setting but does not use it when converting.</translation>
    </message>
    <message>
        <source>공구 리스트를 읽을 수 없어 공구를 확인하지 못했습니다</source>
        <translation>tool list cannot be read: the tools went unchecked</translation>
    </message>
    <message>
        <source>기계의 공구 리스트에 없는 공구입니다</source>
        <translation>tool not in the machine&apos;s tool list</translation>
    </message>
    <message>
        <source>주축 회전수가 공구 리스트와 다릅니다</source>
        <translation>spindle speed other than the tool list&apos;s</translation>
    </message>
    <message>
        <source>주 절삭 이송이 공구 리스트와 다릅니다</source>
        <translation>main cutting feed other than the tool list&apos;s</translation>
    </message>
    <message>
        <source>보정 번호가 공구 번호와 다릅니다</source>
        <translation>offset number other than the tool&apos;s</translation>
    </message>
    <message>
        <source>절삭유가 공구 리스트와 다릅니다</source>
        <translation>coolant other than the tool list&apos;s</translation>
    </message>
    <message>
        <source>공구 리스트에 측정하지 않은 공구로 되어 있습니다</source>
        <translation>tool the list marks not measured</translation>
    </message>
    <message>
        <source>DL이 공구 리스트와 다릅니다</source>
        <translation>DL other than the tool list&apos;s</translation>
    </message>
    <message>
        <source>너무 긴 줄이 있어 공구를 모두 확인하지 못했습니다</source>
        <translation>a line too long to be read for its tools: not all were checked</translation>
    </message>
    <message>
        <source>줄이 너무 길어 공구 리스트의 Feed/Spindle을 쓰지 못했습니다</source>
        <translation>speed from the tool list not written: the line was too long to change</translation>
    </message>
    <message>
        <source>Feed/Spindle 변경: 공구 리스트의 값으로 바꾼 줄 %1개</source>
        <translation>Feed/Spindle change: %1 lines given the tool list&apos;s values</translation>
    </message>
    <message>
        <source>공구 시트 (%1)</source>
        <translation>Tool sheet (%1)</translation>
    </message>
    <message>
        <source>공구 교환이 없습니다.</source>
        <translation>No tool changes.</translation>
    </message>
    <message>
        <source>공구 번호</source>
        <translation>Tool number</translation>
    </message>
    <message>
        <source>공구 정보</source>
        <translation>Tool information</translation>
    </message>
    <message>
        <source>셀</source>
        <translation>Cells</translation>
    </message>
    <message>
        <source>S 프로그램</source>
        <translation>S program</translation>
    </message>
    <message>
        <source>S 리스트</source>
        <translation>S list</translation>
    </message>
    <message>
        <source>F 프로그램</source>
        <translation>F program</translation>
    </message>
    <message>
        <source>F 리스트</source>
        <translation>F list</translation>
    </message>
    <message>
        <source>검사 결과</source>
        <translation>Findings</translation>
    </message>
    <message>
        <source>공구 시트 저장...</source>
        <translation>Save tool sheet...</translation>
    </message>
    <message>
        <source>CSV 파일 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>공구 시트를 저장할 수 없습니다.
%1</source>
        <translation>The tool sheet cannot be saved.
%1</translation>
    </message>
    <message>
        <source>공구 리스트 값</source>
        <translation>from the tool list</translation>
    </message>
    <message>
        <source>공구 순서로 바꾸지 않고 셀 순서를 그대로 둡니다</source>
        <translation>Not ordered by tool: the cell order is kept</translation>
    </message>
    <message>
        <source>공구 순서: 프로그램의 줄이 빠졌습니다</source>
        <translation>Order by tool: a line of the program is missing</translation>
    </message>
    <message>
        <source>공구 순서: 프로그램의 줄이 바뀌었습니다</source>
        <translation>Order by tool: a line of the program is changed</translation>
    </message>
    <message>
        <source>공구 순서: 셀 안의 순서가 바뀌었습니다</source>
        <translation>Order by tool: the order within a cell is changed</translation>
    </message>
    <message>
        <source>공구 순서: 이동이 자기 프로그램과 다른 모달 상태에서 실행됩니다</source>
        <translation>Order by tool: a move runs under another modal state than in its own program</translation>
    </message>
    <message>
        <source>공구 순서: 다른 좌표계로 가기 전에 후퇴가 없습니다</source>
        <translation>Order by tool: no retract before moving to another work offset</translation>
    </message>
    <message>
        <source>공구 순서: 주축에 있는 공구로 다시 교환합니다</source>
        <translation>Order by tool: a tool change to the tool already in the spindle</translation>
    </message>
    <message>
        <source>병합 순서</source>
        <translation>Merge order</translation>
    </message>
    <message>
        <source>셀 순서</source>
        <translation>Cell order</translation>
    </message>
    <message>
        <source>공구 순서</source>
        <translation>Tool order</translation>
    </message>
    <message>
        <source>재시작 전 후퇴 (파낙)</source>
        <translation>Retract before a restart (FANUC)</translation>
    </message>
    <message>
        <source>공구 순서에서 다른 셀의 세그먼트로 넘어갈 때 먼저 쓰는 블록입니다. 한 줄에 한 블록을 씁니다.</source>
        <translation>The blocks written first when the tool order goes on to a segment of another cell. One block a line.</translation>
    </message>
    <message>
        <source>공구</source>
        <translation>Tool</translation>
    </message>
    <message>
        <source>세그먼트</source>
        <translation>Segments</translation>
    </message>
    <message>
        <source>재시작</source>
        <translation>restart</translation>
    </message>
    <message>
        <source>공구 순서: 셀 순서를 그대로 둡니다</source>
        <translation>Tool order: the cell order is kept</translation>
    </message>
    <message>
        <source>하이덴하인 프로그램은 셀 순서로 변환합니다</source>
        <translation>Heidenhain programs are converted in cell order</translation>
    </message>
    <message>
        <source>셀에 놓이지 않은 프로그램이 있습니다</source>
        <translation>A program is not placed at a cell</translation>
    </message>
    <message>
        <source>서브 프로그램이나 매크로를 호출하거나 점프합니다</source>
        <translation>A program calls a subprogram or macro, or jumps</translation>
    </message>
    <message>
        <source>공작물 좌표계를 직접 쓰거나 옮깁니다(G10, G52, G92)</source>
        <translation>A program writes or shifts work offsets itself (G10, G52, G92)</translation>
    </message>
    <message>
        <source>계산하는 값(#)이 있어 다시 쓸 수 없습니다</source>
        <translation>A program computes values (#) that cannot be restated</translation>
    </message>
    <message>
        <source>첫 공구 교환 전에 이동합니다: 공구를 알 수 없습니다</source>
        <translation>A program moves before its first tool change: its tool is unknown</translation>
    </message>
    <message>
        <source>공구 교환이 없습니다</source>
        <translation>A program has no tool change</translation>
    </message>
    <message>
        <source>어느 공구로 교환하는지 알 수 없습니다</source>
        <translation>A tool change names no tool</translation>
    </message>
    <message>
        <source>공구 순서: 재시작 블록에 있으면 안 되는 줄이 있습니다</source>
        <translation>Tool order: a restart block holds a line that must not stand there</translation>
    </message>
    <message>
        <source>회전, 스케일링, 극좌표나 미러는 재시작 블록에서 다시 지정할 수 없습니다</source>
        <translation>Rotation, scaling, polar coordinates and mirror image cannot be restated in a restart block</translation>
    </message>
    <message>
        <source>증분(G91)으로 이동합니다: 다른 셀의 위치에서 시작하게 됩니다</source>
        <translation>It moves in incremental distances (G91): it would start where another cell left the tool</translation>
    </message>
    <message>
        <source>단위(G20/G21)를 지정하지 않고 이동합니다: 다른 프로그램의 단위를 이어받게 됩니다</source>
        <translation>It moves without choosing its units (G20/G21): it would take over another program&apos;s units</translation>
    </message>
    <message>
        <source>복귀점(G98/G99)을 지정하지 않은 고정 사이클이 있습니다: 다른 프로그램의 복귀점을 이어받게 됩니다</source>
        <translation>A canned cycle without its return plane (G98/G99): it would take over another program&apos;s</translation>
    </message>
    <message>
        <source>공구 길이 보정과 함께 갈 첫 절삭 위치를 알 수 없습니다</source>
        <translation>Where the tool cuts first, to go there with its length offset, is not known</translation>
    </message>
    <message>
        <source>다른 공구의 길이 보정이나 정하지 않은 보정으로 Z가 움직입니다</source>
        <translation>Z moves under another tool&apos;s length offset or one never chosen</translation>
    </message>
    <message>
        <source>재시작 전 후퇴가 Z를 올리기만 하지 않습니다</source>
        <translation>The retract before a restart does more than move Z up</translation>
    </message>
    <message>
        <source>공구 리스트의 줄에 빈 값이 있어 뒤의 값이 한 칸씩 당겨 읽힙니다</source>
        <translation>A row of the tool list has an empty value: the values after it are read one column to the left</translation>
    </message>
    <message>
        <source>공구 리스트에 같은 공구가 두 번 있습니다: 처음 것을 씁니다</source>
        <translation>The tool list holds a tool twice: the first row counts</translation>
    </message>
    <message>
        <source>공구 리스트가 너무 길어 뒤의 공구를 읽지 못했습니다</source>
        <translation>The tool list is too long: the tools past its first rows were not read</translation>
    </message>
    <message>
        <source>공구 리스트의 Feed(mm/min)를 쓰지 않았습니다: 인치 프로그램이거나 G94가 아닙니다</source>
        <translation>The tool list&apos;s feeds (mm/min) were not written: an inch program, or not G94</translation>
    </message>
    <message>
        <source>공구 리스트 값이 프로그램 값의 두 배를 넘거나 절반보다 작습니다</source>
        <translation>The tool list&apos;s value is more than double or less than half the program&apos;s</translation>
    </message>
    <message>
        <source>이음매에 %1개</source>
        <translation>%1 at the seams</translation>
    </message>
    <message>
        <source>공구에 %1개</source>
        <translation>%1 in the tools</translation>
    </message>
    <message>
        <source>공구 순서에 %1개</source>
        <translation>%1 in the order by tool</translation>
    </message>
    <message>
        <source>오류가 있습니다: %1. 그래도 쓰시겠습니까?</source>
        <translation>There are errors: %1. Write anyway?</translation>
    </message>
    <message>
        <source>공구 순서: 공구 교환 %1회 → %2회 (최소 %3회), 재시작 블록 %4개</source>
        <translation>Tool order: %1 tool changes → %2 (at least %3), %4 restart blocks</translation>
    </message>
    <message>
        <source>주축 정지가 잘렸습니다: 다음 프로그램까지 주축이 계속 돕니다</source>
        <translation>Spindle stop cut: the spindle runs on into the next program</translation>
    </message>
    <message>
        <source>절삭유 끄기가 잘렸습니다: 다음 프로그램까지 절삭유가 켜져 있습니다</source>
        <translation>Coolant off cut: the coolant stays on into the next program</translation>
    </message>
    <message>
        <source>좌표 변환이 바꾸거나 그 앞에 좌표계를 넣어야 할 줄이 1 MiB보다 길어 바꿀 수 없습니다</source>
        <translation>A line that placement must rewrite or put the cell&apos;s offset before is longer than 1 MiB: it cannot be changed</translation>
    </message>
    <message>
        <source>재시작 전 후퇴는 Z를 위로만 움직여야 하고(G28, G30, G53 Z 또는 G91 G00 Z+) G90으로 끝나야 합니다.</source>
        <translation>The retract before a restart must move Z up only (G28, G30, G53 Z or G91 G00 Z+) and end in G90.</translation>
    </message>
    <message>
        <source>재시작 전 후퇴가 비어 있습니다.</source>
        <translation>The retract before a restart is empty.</translation>
    </message>
    <message>
        <source>재시작 전 후퇴에 쓸 수 없는 블록이 있습니다: %1</source>
        <translation>The retract before a restart has a block it cannot hold: %1</translation>
    </message>
    <message>
        <source>블록보다 긴 줄이 있어 공구 순서로 바꾸지 않습니다</source>
        <translation>A line is longer than a block: not ordered by tool</translation>
    </message>
</context>
</TS>
