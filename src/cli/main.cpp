// corvane-merge: the NC merge of Corvane for scripts and CAM post-processors.

#include "core/NcMerge.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

enum ExitStatus
{
    Copied = 0,
    NothingCopied = 1,
    Failed = 2,
};

void printError(const std::string& text)
{
    std::fprintf(stderr, "corvane-merge: %s\n", text.c_str());
}

bool lineCount(const QCommandLineParser& parser, const QString& option, int& count)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    count = parser.value(option).toInt(&ok);
    if (!ok || count < 0) {
        printError("--" + option.toStdString() + " takes a whole number of lines, 0 or more");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"corvane-merge"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Merges NC programs into one: blank lines are dropped, the top lines of every file but "
        "the first and the bottom lines of every file but the last are cut, and every line ends "
        "with CR LF."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        {u"top"_s, u"Lines to cut from the top of every file but the first."_s, u"N"_s, u"0"_s});
    parser.addOption({u"bottom"_s,
                      u"Content lines to cut from the bottom of every file but the last."_s, u"N"_s,
                      u"0"_s});
    parser.addOption(
        {{u"o"_s, u"output"_s}, u"The merged program, replaced when it exists."_s, u"OUTPUT"_s});
    parser.addPositionalArgument(u"INPUT"_s, u"NC programs, in merge order."_s, u"INPUT..."_s);

    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText().toStdString());
        return Failed;
    }
    if (parser.isSet(u"help"_s))
        parser.showHelp(Copied);
    if (parser.isSet(u"version"_s))
        parser.showVersion();

    int top = 0;
    int bottom = 0;
    if (!lineCount(parser, u"top"_s, top) || !lineCount(parser, u"bottom"_s, bottom))
        return Failed;
    if (!parser.isSet(u"output"_s) || parser.value(u"output"_s).isEmpty()) {
        printError("no output file: give one with -o OUTPUT");
        return Failed;
    }
    if (parser.positionalArguments().isEmpty()) {
        printError("no input files");
        return Failed;
    }

    std::vector<std::string> inputs;
    for (const QString& input : parser.positionalArguments())
        inputs.push_back(input.toStdString());
    const std::string output = parser.value(u"output"_s).toStdString();

    const MergeReport report = MergeNcFiles(inputs, output, top, bottom);
    for (const std::string& file : report.shortFiles)
        printError("too short for the trimming, left out: " + file);
    for (const FileProblem& problem : report.unreadableFiles)
        printError("cannot read, left out: " + problem.path + ": " + problem.reason);
    if (report.status != MergeReport::Status::Written) {
        printError("nothing written: " + report.failure.path + ": " + report.failure.reason);
        return Failed;
    }
    return report.copiedFiles > 0 ? Copied : NothingCopied;
}
