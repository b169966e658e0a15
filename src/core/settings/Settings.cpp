// The settings record, read from and written to its profile.

#include "Settings.h"

#include "Profile.h"
#include "core/os/NativeFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <variant>
#include <vector>

namespace {

const std::string kSection = "Settings";

enum class Kind
{
    Text,
    Integer,
    Flag,        // any stored non-zero value reads as 1
    Thousandths, // a real stored as an unsigned count of thousandths
};

using Member = std::variant<std::string CSettings::*, int CSettings::*, double CSettings::*>;

struct Field
{
    const char* key;
    Kind kind;
    Member member;
    std::string textDefault;
    std::uint32_t numberDefault = 0;
};

Field text(const char* key, std::string CSettings::*member, std::string value)
{
    return {key, Kind::Text, member, std::move(value)};
}

Field number(const char* key, int CSettings::*member, std::uint32_t value,
             Kind kind = Kind::Integer)
{
    return {key, kind, member, {}, value};
}

Field thousandths(const char* key, double CSettings::*member, std::uint32_t value)
{
    return {key, Kind::Thousandths, member, {}, value};
}

// Every persisted key with its default, in the order Load reads them.
const std::vector<Field>& fields()
{
    static const std::vector<Field> table = {
        text("ShellStartFolder", &CSettings::ShellStartFolder, NativeFile::defaultFolder()),
        text("ShellFileFilter", &CSettings::ShellFileFilter, "*.nc;*.i;*.cmd;*.NC;*.TAP;*.h"),
        text("DischargeRefFile", &CSettings::DischargeRefFile, ""),
        text("FolderPath", &CSettings::FolderPath, NativeFile::defaultFolder()),
        text("ToolListName", &CSettings::ToolListName, "ToolList.tlist"),
        text("FANUCToolList", &CSettings::FANUCToolList, "ToolList.tlist"),
        text("HToolList", &CSettings::HToolList, "ToolList.tlist"),
        thousandths("RoughOffset", &CSettings::RoughOffset, 250),
        thousandths("MidOffset", &CSettings::MidOffset, 100),
        thousandths("FineOffset", &CSettings::FineOffset, 70),
        thousandths("MVRZval", &CSettings::MVRZval, 50000),
        thousandths("MVRCenZval", &CSettings::MVRCenZval, 50000),
        number("ToolAssyCheck", &CSettings::ToolAssyCheck, 1),
        number("AxisCheck", &CSettings::AxisCheck, 1),
        number("ToolCheck", &CSettings::ToolCheck, 1),
        number("ExcelCheck", &CSettings::ExcelCheck, 1),
        number("PosCheck", &CSettings::PosCheck, 1),
        number("Open_Window", &CSettings::Open_Window, 0),
        number("Open_NCdata", &CSettings::Open_NCdata, 0),
        number("Del_Folder", &CSettings::Del_Folder, 1),
        number("Del_FinalFolder", &CSettings::Del_FinalFolder, 0),
        number("RowNum", &CSettings::RowNum, 5),
        number("ColumnNum", &CSettings::ColumnNum, 8),
        number("TableNum", &CSettings::TableNum, 5),
        number("ItemNameType", &CSettings::ItemNameType, 0),
        number("MachineType", &CSettings::MachineType, 0),
        number("LimitValue", &CSettings::LimitValue, 10000000),
        number("ToolAssyType", &CSettings::ToolAssyType, 1),
        number("FANUCToolChange", &CSettings::FANUCToolChange, 1),
        number("HToolChange", &CSettings::HToolChange, 1),
        number("SIMENS", &CSettings::SIMENS, 0, Kind::Flag),
        number("PER_STR", &CSettings::PER_STR, 0, Kind::Flag),
        number("DEL_UP", &CSettings::DEL_UP, 0),
        number("DEL_BTM", &CSettings::DEL_BTM, 0),
        text("OUTFILE", &CSettings::OUTFILE, ""),
        text("OUTPATH", &CSettings::OUTPATH, ""),
        text("EXTLIST", &CSettings::EXTLIST, ".txt;.nc"),
        text("EXECOMBO", &CSettings::EXECOMBO, NativeFile::defaultEditor()),
        number("LOGOALPHA", &CSettings::LOGOALPHA, 127),
        number("TFONT_SIZE", &CSettings::TFONT_SIZE, 20),
        text("First_Line", &CSettings::First_Line, "16 ; *******************************"),
        text("End_Line", &CSettings::End_Line, "17 FN 16: F-PRINT MOP-LIST.TXT / MILL-TIME.TXT"),
        number("SkipCleanPreview", &CSettings::SkipCleanPreview, 0, Kind::Flag),
        number("MergeOrder", &CSettings::MergeOrder, 0, Kind::Flag),
        text("FANUCRetract", &CSettings::FANUCRetract, "G91 G28 Z0.\nG90"),
    };
    return table;
}

constexpr const char* kSaveOrder[] = {
    "ShellStartFolder", "ShellFileFilter", "DischargeRefFile", "FolderPath",      "ToolListName",
    "FANUCToolList",    "HToolList",       "RoughOffset",      "MidOffset",       "FineOffset",
    "MVRZval",          "MVRCenZval",      "ToolAssyCheck",    "AxisCheck",       "ToolCheck",
    "ExcelCheck",       "PosCheck",        "Open_Window",      "Open_NCdata",     "RowNum",
    "ColumnNum",        "TableNum",        "Del_Folder",       "Del_FinalFolder", "ItemNameType",
    "MachineType",      "LimitValue",      "ToolAssyType",     "FANUCToolChange", "HToolChange",
    "SIMENS",           "PER_STR",         "First_Line",       "End_Line",        "OUTPATH",
    "OUTFILE",          "DEL_UP",          "DEL_BTM",          "EXTLIST",         "EXECOMBO",
    "LOGOALPHA",        "TFONT_SIZE",      "SkipCleanPreview", "MergeOrder",      "FANUCRetract",
};

const Field& fieldNamed(std::string_view key)
{
    const auto& table = fields();
    return *std::find_if(table.begin(), table.end(),
                         [key](const Field& field) { return key == field.key; });
}

std::unique_ptr<CSettings> g_sharedSettings;

} // namespace

double thousandthsFromStored(std::uint32_t stored)
{
    return static_cast<double>(stored) * 0.001;
}

std::int32_t storedFromThousandths(double value)
{
    const double scaled = value * 1000.0;
    if (!std::isfinite(scaled))
        return 0;
    // A value that is a whole number of thousandths but for the binary representation error of
    // loading it (4007 * 0.001 * 1000 is 4006.99...) keeps that number; truncating it would make
    // the stored value drift down by one on every load and save.
    const double nearest = std::round(scaled);
    const double whole = std::abs(scaled - nearest) <= 1e-9 * std::max(1.0, std::abs(nearest))
                             ? nearest
                             : std::trunc(scaled);
    const double limit = 9.0e18;
    const auto wide = static_cast<std::int64_t>(std::clamp(whole, -limit, limit));
    // Stored values are 32-bit: keep the low 32 bits, as a value read as unsigned came in.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
}

CSettings::CSettings()
{
    Load();
}

CSettings::~CSettings()
{
    Save();
}

bool CSettings::Load()
{
    const Profile* profile = installedProfile();
    if (!profile)
        return false;
    for (const Field& field : fields()) {
        switch (field.kind) {
        case Kind::Text:
            this->*std::get<std::string CSettings::*>(field.member) =
                profile->readString(kSection, field.key, field.textDefault);
            break;
        case Kind::Integer:
            this->*std::get<int CSettings::*>(field.member) = static_cast<std::int32_t>(
                profile->readInt(kSection, field.key, field.numberDefault));
            break;
        case Kind::Flag:
            this->*std::get<int CSettings::*>(field.member) =
                profile->readInt(kSection, field.key, field.numberDefault) != 0 ? 1 : 0;
            break;
        case Kind::Thousandths:
            this->*std::get<double CSettings::*>(field.member) =
                thousandthsFromStored(profile->readInt(kSection, field.key, field.numberDefault));
            break;
        }
    }
    return true;
}

bool CSettings::Save()
{
    Profile* profile = installedProfile();
    if (!profile)
        return false;
    for (const char* key : kSaveOrder) {
        const Field& field = fieldNamed(key);
        switch (field.kind) {
        case Kind::Text:
            profile->writeString(kSection, key,
                                 this->*std::get<std::string CSettings::*>(field.member));
            break;
        case Kind::Integer:
        case Kind::Flag:
            profile->writeInt(kSection, key, this->*std::get<int CSettings::*>(field.member));
            break;
        case Kind::Thousandths:
            profile->writeInt(
                kSection, key,
                storedFromThousandths(this->*std::get<double CSettings::*>(field.member)));
            break;
        }
    }
    return profile->flush();
}

CSettings& GetSettings()
{
    if (!g_sharedSettings)
        g_sharedSettings = std::make_unique<CSettings>();
    return *g_sharedSettings;
}

void ReleaseSettings()
{
    g_sharedSettings.reset();
}
