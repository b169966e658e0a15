#include "core/toollist/ToolListFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>

namespace {

const std::string kHeader = "!!!Tool List\r\n!1\t2\t3\t4\t5\t6\t7\t8\t9\r\n"
                            "!Tool\tTolMin\tTolMax\tM078\tSpindle\tFeed\tDT\tCAL\tDL\r\n";

ToolEntry tool(std::initializer_list<std::string> values)
{
    ToolEntry entry;
    std::copy(values.begin(), values.end(), entry.values.begin());
    return entry;
}

} // namespace

TEST(ToolListFile, ReadsToolLinesByTheCommaRule)
{
    TempFolder folder;
    const std::string longValue(3000, 'x');
    const std::string path =
        folder.write("list.tlist", kHeader +
                                       "*starred comment\n"
                                       "T1,10 Flat,-0.01,0.01,M08,8000,1200,0,O,0\r\n"
                                       "T2,,6 Ball,0\n"
                                       "T3,two\n"
                                       "1,2,3,4,5,6,7,8,9,10,11,12\n"
                                       "\n"
                                       " !T5,100%\r\n" +
                                       longValue + ",end\n,,,\n,,,");
    const ToolListReadResult list = ReadToolList(path);
    ASSERT_TRUE(list.read);
    const std::vector<ToolEntry> expected = {
        tool({"T1", "10 Flat", "-0.01", "0.01", "M08", "8000", "1200", "0", "O", "0"}),
        tool({"T2", "6 Ball", "0"}), // the empty value is lost: the rest moves left
        tool({"T3", "two"}),
        tool({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
        tool({}),
        tool({" !T5", "100%"}),
        tool({longValue, "end"}),
        tool({}), // commas and a line end: one empty tool; without the line end: nothing
    };
    EXPECT_EQ(list.tools, expected);
}

TEST(ToolListFile, OnlyARegularFileOfSaneSizeIsReadAndLongListsStopAtTheLimit)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "folder.tlist");
    std::ofstream(folder.file("huge.tlist")).close();
    std::filesystem::resize_file(folder.path() / "huge.tlist", std::uintmax_t(65) << 20);
    const std::pair<const char*, FileError> refusals[] = {
        {"none.tlist", FileError::system(ENOENT)}, {"huge.tlist", FileError::Cause::TooLarge}};
    for (const auto& [name, why] : refusals) {
        const ToolListReadResult refused = ReadToolList(folder.file(name));
        EXPECT_FALSE(refused.read) << name;
        EXPECT_EQ(refused.error, why) << name;
    }
    // Not a regular file, or on Windows not to be opened at all.
    const ToolListReadResult fromFolder = ReadToolList(folder.file("folder.tlist"));
    EXPECT_FALSE(fromFolder.read);
    EXPECT_TRUE(fromFolder.error);

    std::string lines = kHeader;
    for (int i = 0; i < 503; ++i)
        lines += "T" + std::to_string(i) + "\n";
    const ToolListReadResult list = ReadToolList(folder.write("long.tlist", lines), 500);
    EXPECT_EQ(list.tools.size(), 500u);
    EXPECT_EQ(list.tools.back().values[0], "T499");
    EXPECT_EQ(list.leftOut, 3);
}

TEST(ToolListFile, WritesHeaderAndRowsThatReadBackUnchanged)
{
    TempFolder folder;
    const std::vector<ToolEntry> rows = {
        tool({"T1", "10 R0.5", "-0.01", "0.01", "M07", "8000", "1200", "0.5", "X", "0"}),
        tool({"\xB0\xA1", "100%", "%d", " a ", "b", "c", "d", "e", "f", "g"}),
    };
    FileError error;
    ASSERT_TRUE(WriteToolList(folder.file("out.tlist"), rows, error));
    EXPECT_EQ(readFile(folder.file("out.tlist")),
              kHeader + "T1,10 R0.5,-0.01,0.01,M07,8000,1200,0.5,X,0\r\n"
                        "\xB0\xA1,100%,%d, a ,b,c,d,e,f,g\r\n");
    EXPECT_EQ(ReadToolList(folder.file("out.tlist")).tools, rows);

    ASSERT_TRUE(WriteToolList(folder.file("empty.tlist"), {}, error));
    EXPECT_EQ(readFile(folder.file("empty.tlist")), kHeader);
    EXPECT_FALSE(WriteToolList(folder.file("no/such/folder.tlist"), rows, error));
    EXPECT_EQ(error, FileError::system(ENOENT));
}

TEST(ToolListFile, FindsValuesThatWouldNotReadBack)
{
    using Reason = UnwritableValue::Reason;
    const auto check = [](const ToolEntry& row) {
        return findUnwritableValue({tool({"ok"}), row});
    };
    EXPECT_FALSE(check(tool({"T1", "a", "b"})));
    EXPECT_FALSE(check(tool({})));
    for (const auto& [row, column, reason] :
         {std::tuple{tool({"T1", "a,b"}), 1, Reason::Comma},
          {tool({"T1", "a", "x\ny"}), 2, Reason::LineBreak},
          {tool({"T1", "", "b"}), 1, Reason::EmptyBeforeValue},
          {tool({"", "", "", "", "", "", "", "", "", "DL"}), 0, Reason::EmptyBeforeValue},
          {tool({"!T1"}), 0, Reason::CommentMark},
          {tool({"*T1"}), 0, Reason::CommentMark}}) {
        const auto found = check(row);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->row, 1);
        EXPECT_EQ(found->column, column);
        EXPECT_EQ(found->reason, reason);
    }
}

TEST(ToolListFile, ToolDescriptions)
{
    EXPECT_EQ(MakeToolDescription(10, 0), "10 Flat");
    EXPECT_EQ(MakeToolDescription(10, 5), "10 Ball");
    EXPECT_EQ(MakeToolDescription(10, 0.5f), "10 R0.5");
    EXPECT_EQ(formatG(1234567.0), "1.23457e+06");
    // A desktop that writes decimal commas changes nothing in the files.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "German"))
        GTEST_SKIP() << "no comma-decimal locale here";
    EXPECT_EQ(MakeToolDescription(10, 0.5f), "10 R0.5");
    std::setlocale(LC_NUMERIC, "C");
}
