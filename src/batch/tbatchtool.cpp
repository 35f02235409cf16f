#include "tbatchtool.h"

#include "tbatchlinebuffers.h"

#include "analysis/tboltgroupanalysis.h"
#include "document/tdocumentfile.h"
#include "document/tlinebuffers.h"
#include "document/treportformatter.h"
#include "document/tplatformerror.h"
#include "document/tsavefile.h"
#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"

#include <QFileInfo>
#include <QTextDocument>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const QCommandLineOption DataOption(QStringList{QStringLiteral("data")},
                                    QStringLiteral("Write the bolt group to the analysis data "
                                                   "file FILE."),
                                    QStringLiteral("FILE"));
const QCommandLineOption ReportOption(QStringList{QStringLiteral("report")},
                                      QStringLiteral("Write the analysis report to FILE as plain "
                                                     "text, or as rich text when FILE ends in "
                                                     ".rtf. Without any output option the report "
                                                     "is printed on standard output."),
                                      QStringLiteral("FILE"));
const QCommandLineOption SettingsOption(QStringList{QStringLiteral("settings")},
                                        QStringLiteral("Enter every file read or written in the "
                                                       "recent-file list of the settings file "
                                                       "FILE."),
                                        QStringLiteral("FILE"));
const QCommandLineOption PictureOption(QStringList{QStringLiteral("picture")},
                                       QStringLiteral("Write the plot of the bolt group to FILE as "
                                                      "a 24-bit bitmap, whatever its extension."),
                                       QStringLiteral("FILE"));
const QCommandLineOption ViewOption(QStringList{QStringLiteral("view")},
                                    QStringLiteral("Standard view of the picture: 0 Front, 1 Back, "
                                                   "2 Left, 3 Right, 4 Top, 5 Bottom, 6 Iso 1 "
                                                   "(default), 7 Iso 2, 8 Iso 3, 9 Iso 4."),
                                    QStringLiteral("CODE"));
const QCommandLineOption AnglesOption(QStringList{QStringLiteral("angles")},
                                      QStringLiteral("User-defined view of the picture: rotations "
                                                     "about X, Y and Z in degrees, for example "
                                                     "-45,0,45."),
                                      QStringLiteral("X,Y,Z"));
const QCommandLineOption LensOption(QStringList{QStringLiteral("lens")},
                                    QStringLiteral("Perspective of the picture: 0 none (default), "
                                                   "1 wide angle, 2 standard, 3 telephoto."),
                                    QStringLiteral("CODE"));
const QCommandLineOption NoLabelsOption(QStringList{QStringLiteral("no-labels")},
                                        QStringLiteral("Draw the picture without bolt numbers."));
const QCommandLineOption NoShadingOption(QStringList{QStringLiteral("no-shading")},
                                         QStringLiteral("Draw the picture without depth "
                                                        "shading."));
const QCommandLineOption NisaOption(QStringList{QStringLiteral("nisa")},
                                    QStringLiteral("Write the bolt loads as a NISA load fragment "
                                                   "to FILE. Every bolt needs a NISA node "
                                                   "number."),
                                    QStringLiteral("FILE"));
const QCommandLineOption LoadCaseOption(QStringList{QStringLiteral("load-case")},
                                        QStringLiteral("Load case number of the NISA fragment "
                                                       "(default 1; a text that is not an "
                                                       "integer gives 1)."),
                                        QStringLiteral("ID"), QStringLiteral("1"));
const QCommandLineOption VerboseOption(QStringList{QStringLiteral("verbose")},
                                       QStringLiteral("Print every status text on standard "
                                                      "error, one a line."));

void PrintLine(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

// The floating-point errors of the analysis, as opposed to the errors of file access.
bool IsAnalysisError(const TPlatformError& e) {
    return e.Text() == QLatin1String(TPlatformError::DivisionByZero) ||
           e.Text() == QLatin1String(TPlatformError::InvalidOperation);
}

// The finished analysis report as plain text with LF line ends, on standard output or, through
// a save file, in the named file; a file ending in .rtf gets it as rich text. Refused, with the
// reason on standard error, when the analysis could not run.
int WriteReport(const TBatchLineBuffers& buffers, const TBoltGroupDocument& document,
                const QString& fileName) {
    if (!document.ActualLoadsCalculated || !buffers.OutputShown) {
        const QString reason = QString::fromLatin1(TBoltGroupAnalysis::Refusal(document));
        PrintLine(stderr, reason.isEmpty() ? QStringLiteral("Analysis Not Complete") : reason);
        return TBatchTool::Refused;
    }
    if (TDocumentFile::IsRichTextName(fileName)) {
        // As the report window shows it: "Courier New", titles and subtitles styled.
        QTextDocument report;
        TReportFormatter::ShowLines(report, buffers.ShownLines, TReportFormatter::DefaultFont());
        TReportFormatter::StyleLines(report, buffers.ShownTitles, buffers.ShownSubtitles,
                                     buffers.TitleStyle, buffers.SubtitleStyle);
        TDocumentFile::Save(fileName, report, true);
        return TBatchTool::Done;
    }
    // Standard output when no file is named; a file is written whole or not at all (a failure
    // throws and ends the run with the file-error code).
    std::optional<TSaveFile> file;
    if (!fileName.isEmpty())
        file.emplace(fileName);
    QByteArray chunk;
    auto flush = [&] {
        if (file)
            file->Write(chunk);
        else
            std::fwrite(chunk.constData(), 1, size_t(chunk.size()), stdout);
        chunk.clear();
    };
    for (const QString& line : buffers.ShownLines) {
        chunk += line.toUtf8();
        chunk += '\n';
        if (chunk.size() >= (1 << 16))
            flush();
    }
    flush();
    if (file)
        file->Commit();
    return TBatchTool::Done;
}

} // namespace

void TBatchTool::DefineOptions() {
    Parser.setApplicationDescription(QStringLiteral(
        "Quorvane Fastenex bolt group analysis from the command line.\n"
        "Reads INPUT (an analysis data file .dat or a NISA input file .nis) and writes what the options ask for; without "
        "an output option it prints the analysis report.\n\n"
        "Exit codes: 0 done, 1 refused, 2 usage, 3 analysis error, 4 file error."));
    Parser.addHelpOption();
    Parser.addOption(DataOption);
    Parser.addOption(ReportOption);
    Parser.addOption(PictureOption);
    Parser.addOption(ViewOption);
    Parser.addOption(AnglesOption);
    Parser.addOption(LensOption);
    Parser.addOption(NoLabelsOption);
    Parser.addOption(NoShadingOption);
    Parser.addOption(NisaOption);
    Parser.addOption(LoadCaseOption);
    Parser.addOption(VerboseOption);
    Parser.addOption(SettingsOption);
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
    if (!ParseViewOptions())
        return Usage;
    Host.Verbose = Parser.isSet(VerboseOption);
    Host.SettingsFile = Parser.value(SettingsOption);
    try {
        return Run();
    } catch (const TPlatformError& e) {
        PrintLine(stderr, e.Text());
        return IsAnalysisError(e) ? AnalysisError : FileError;
    }
}

int TBatchTool::Run() {
    const QFileInfo info(InputFile);
    if (!info.exists()) {
        PrintLine(stderr, QStringLiteral("Cannot open file \"%1\". No such file or directory")
                              .arg(InputFile));
        return FileError;
    }
    TBatchLineBuffers buffers(&Host);
    buffers.FileName = info.absoluteFilePath();
    TBoltGroupDocument document(buffers);
    ApplyViewOptions(document.View);
    document.ResetModel();
    // A NISA input file is taken by its extension, as the bolt group window does.
    const bool nisaInput = info.suffix().toLower() == QLatin1String("nis");
    if (!(nisaInput ? document.ImportNisaFile(InputFile) : document.LoadDataFile(InputFile)))
        return Refused;

    bool wroteOutput = false;
    if (Parser.isSet(DataOption)) {
        wroteOutput = true;
        if (!document.SaveDataFile(Parser.value(DataOption))) {
            PrintLine(stderr, QStringLiteral("Data File Not Saved"));
            return FileError;
        }
    }
    if (Parser.isSet(NisaOption)) {
        wroteOutput = true;
        // The load case number is the input box's pre-filled answer, which the host accepts.
        document.NisaLoadCaseId = Parser.value(LoadCaseOption);
        if (!document.ExportNisaLoads(Parser.value(NisaOption)))
            return Refused;
    }
    if (Parser.isSet(PictureOption)) {
        wroteOutput = true;
        if (!document.View.PlotComplete) {
            PrintLine(stderr, QStringLiteral("Plotting Bolts Aborted"));
            return Refused;
        }
        document.SavePicture(Parser.value(PictureOption));
    }
    if (Parser.isSet(ReportOption) || !wroteOutput) {
        const int code = WriteReport(buffers, document, Parser.value(ReportOption));
        if (code != Done)
            return code;
    }
    return Done;
}

bool TBatchTool::ParseViewOptions() {
    const auto parseCode = [this](const QCommandLineOption& option, int last, int& code) {
        const std::optional<qint32> value = TNumberFormat::ParseInteger(Parser.value(option));
        if (!value || *value < 0 || *value > last) {
            PrintLine(stderr, QStringLiteral("--%1 takes a code from 0 to %2.")
                                  .arg(option.names().first())
                                  .arg(last));
            return false;
        }
        code = *value;
        return true;
    };
    if (Parser.isSet(ViewOption) && !parseCode(ViewOption, 9, ViewCode))
        return false;
    if (Parser.isSet(LensOption) && !parseCode(LensOption, 3, LensCode))
        return false;
    if (Parser.isSet(AnglesOption)) {
        if (Parser.isSet(ViewOption)) {
            PrintLine(stderr, QStringLiteral("--view and --angles cannot be given together."));
            return false;
        }
        const QStringList parts = Parser.value(AnglesOption).split(QLatin1Char(','));
        bool valid = parts.size() == 3;
        for (int i = 0; valid && i < 3; ++i) {
            bool ok = false;
            Angles[i] = QLocale::c().toDouble(parts[i].trimmed(), &ok);
            valid = ok && std::isfinite(Angles[i]);
        }
        if (!valid) {
            PrintLine(stderr, QStringLiteral("--angles takes three numbers X,Y,Z in degrees, "
                                             "for example -45,0,45."));
            return false;
        }
        UserAngles = true;
    }
    return true;
}

void TBatchTool::ApplyViewOptions(TBoltView& view) const {
    view.SetViewingAngle(ViewCode);
    if (UserAngles) {
        view.ViewingAngle = qint8(TBoltView::UserDefinedView);
        view.ViewRotX = Angles[0];
        view.ViewRotY = Angles[1];
        view.ViewRotZ = Angles[2];
    }
    view.ChangeLens(LensCode);
    view.ShowBoltLabels = !Parser.isSet(NoLabelsOption);
    view.DepthShaded = !Parser.isSet(NoShadingOption);
}
