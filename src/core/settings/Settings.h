#pragma once

#include <cstdint>
#include <string>

// Every user setting, persisted in the profile section "Settings" under an entry named after the
// field. Constructing a record loads it; destroying one saves it.
class CSettings
{
public:
    CSettings();
    virtual ~CSettings();

    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Both fail, changing nothing, when no profile is installed; Save also fails when the
    // profile's store could not be written.
    virtual bool Load();
    virtual bool Save();

    std::string ShellStartFolder;
    std::string ShellFileFilter;
    std::string DischargeRefFile;
    std::string FolderPath;
    double RoughOffset = 0.0;
    double MidOffset = 0.0;
    double FineOffset = 0.0;
    double MVRZval = 0.0;
    double MVRCenZval = 0.0;
    std::string ToolListName;
    std::string FANUCToolList;
    std::string HToolList;
    std::string First_Line;
    std::string End_Line;
    std::string OUTPATH;
    std::string OUTFILE;
    std::string m_strCustomExt; // not stored: extension typed in the Convert save dialog
    std::string EXTLIST;
    std::string EXECOMBO;
    int LOGOALPHA = 0;
    int DEL_UP = 0;
    int DEL_BTM = 0;
    int TFONT_SIZE = 0;
    int ToolAssyCheck = 0;
    int AxisCheck = 0;
    int ToolCheck = 0;
    int ExcelCheck = 0;
    int PosCheck = 0;
    int Open_Window = 0;
    int Open_NCdata = 0;
    int Del_Folder = 0;
    int Del_FinalFolder = 0;
    int ItemNameType = 0;
    int MachineType = 0;
    int ToolAssyType = 0;
    int FANUCToolChange = 0;
    int HToolChange = 0;
    int SIMENS = 0;
    int m_nOutputType = 0; // not stored: output extension rule of the merge, 1 to 6
    int PER_STR = 0;
    int SkipCleanPreview = 0; // 1: a merge without findings is written without its preview
    int MergeOrder = 0;       // 1: placed programs run tool by tool
    std::string FANUCRetract; // the lines that bring the tool clear before a restart, one a line
    int RowNum = 0;
    int ColumnNum = 0;
    int TableNum = 0;
    int LimitValue = 0;
};

// The program's one shared record, built (and so loaded) on the first call.
CSettings& GetSettings();

// Ends the shared record, which saves it; the next GetSettings builds a new one.
void ReleaseSettings();

// Real-valued settings are stored as whole thousandths.
double thousandthsFromStored(std::uint32_t stored);
std::int32_t storedFromThousandths(double value);
