#include "tbatchtool.h"

#include "document/tlinebuffers.h"
#include "document/tplatformerror.h"
#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"

#include <QFileInfo>
#include <cstdio>

namespace {

const QCommandLineOption DataOption(QStringList{QStringLiteral("data")},
                                    QStringLiteral("Write the bolt group to the analysis data "
                                                   "file FILE."),
                                    QStringLiteral("FILE"));
const QCommandLineOption VerboseOption(QStringList{QStringLiteral("verbose")},
                                       QStringLiteral("Print every status text on standard "
                                                      "error, one a line."));

void PrintLine(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

} // namespace

void TBatchTool::DefineOptions() {
    Parser.setApplicationDescription(QStringLiteral(
        "Quorvane Fastenex bolt group analysis from the command line.\n"
        "Reads INPUT (an analysis data file .dat) and writes what the options ask for; without "
        "an output option it prints a summary of the bolt group.\n\n"
        "Exit codes: 0 done, 1 refused, 2 usage, 3 analysis error, 4 file error."));
    Parser.addHelpOption();
    Parser.addOption(DataOption);
    Parser.addOption(VerboseOption);
    Parser.addPositionalArgument(QStringLiteral("INPUT"),
                                 QStringLiteral("The bolt group file to read."));
}

int TBatchTool::Execute(const QStringList& arguments) {
    DefineOptions();
    if (!Parser.parse(arguments)) {
        PrintLine(stderr, Parser.errorText());
        PrintLine(stderr, Parser.helpText());
        return Usage;
    }
    if (Parser.isSet(QStringLiteral("help"))) {
        PrintLine(stdout, Parser.helpText());
        return Done;
    }
    const QStringList positional = Parser.positionalArguments();
    if (positional.size() != 1) {
        PrintLine(stderr, positional.isEmpty() ? QStringLiteral("No input file given.")
                                               : QStringLiteral("Only one input file can be read."));
        PrintLine(stderr, Parser.helpText());
        return Usage;
    }
    InputFile = positional.first();
    Host.Verbose = Parser.isSet(VerboseOption);
    try {
        return Run();
    } catch (const TPlatformError& e) {
        PrintLine(stderr, e.Text());
        return FileError;
    }
}

int TBatchTool::Run() {
    const QFileInfo info(InputFile);
    if (!info.exists()) {
        PrintLine(stderr, QStringLiteral("Cannot open file \"%1\". No such file or directory")
                              .arg(InputFile));
        return FileError;
    }
    TLineBuffers buffers(&Host);
    buffers.FileName = info.absoluteFilePath();
    TBoltGroupDocument document(buffers);
    document.ResetModel();
    if (!document.LoadDataFile(InputFile))
        return Refused;

    bool wroteOutput = false;
    if (Parser.isSet(DataOption)) {
        wroteOutput = true;
        if (!document.SaveDataFile(Parser.value(DataOption))) {
            PrintLine(stderr, QStringLiteral("Data File Not Saved"));
            return FileError;
        }
    }
    if (!wroteOutput) {
        const TAppliedLoad& l = document.AppliedLoad;
        PrintLine(stdout, QStringLiteral("Analysis Title: ") + document.AnalysisTitle);
        PrintLine(stdout, QStringLiteral("Load Case Title: ") + document.LoadCaseTitle);
        PrintLine(stdout, QStringLiteral("Number of Bolts: ") + QString::number(document.BoltCount()));
        PrintLine(stdout, QStringLiteral("Applied Load: at (%1, %2, %3), FX %4, FY %5, FZ %6")
                              .arg(TNumberFormat::FormatGeneral(l.X), TNumberFormat::FormatGeneral(l.Y),
                                   TNumberFormat::FormatGeneral(l.Z), TNumberFormat::FormatGeneral(l.FX),
                                   TNumberFormat::FormatGeneral(l.FY),
                                   TNumberFormat::FormatGeneral(l.FZ)));
    }
    return Done;
}
