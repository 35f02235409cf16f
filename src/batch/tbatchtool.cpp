#include "tbatchtool.h"

#include "tbatchlinebuffers.h"

#include "analysis/tanalysisreport.h"
#include "analysis/tboltgroupanalysis.h"
#include "analysis/tloadcaseanalysis.h"
#include "analysis/tloadcaseenvelope.h"
#include "analysis/tloadcases.h"
#include "document/tdocumentfile.h"
#include "document/tlinebuffers.h"
#include "document/treportformatter.h"
#include "document/treporttext.h"
#include "foundation/tplatformerror.h"
#include "document/treportpdf.h"
#include "foundation/tfileidentity.h"
#include "foundation/tsavefile.h"
#include "analysis/tboltloadscsv.h"
#include "model/tboltgroupdocument.h"
#include "model/tnisaexport.h"
#include "model/tnumberformat.h"
#include "shell/tinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const QCommandLineOption DataOption(QStringList{QStringLiteral("data")},
                                    QStringLiteral("Write the bolt group to the analysis data "
                                                   "file FILE."),
                                    QStringLiteral("FILE"));
const QCommandLineOption ReportOption(QStringList{QStringLiteral("report")},
                                      QStringLiteral("Write the analysis report to FILE as plain "
                                                     "text, as rich text when FILE ends in .rtf, "
                                                     "or as a PDF document on A4 pages when FILE "
                                                     "ends in .pdf. Without any output option the "
                                                     "report is printed on standard output."),
                                      QStringLiteral("FILE"));
const QCommandLineOption CsvOption(QStringList{QStringLiteral("csv")},
                                   QStringLiteral("Write one line per bolt to FILE as "
                                                  "comma-separated values: number, position, "
                                                  "stiffnesses, unit loads, load-case loads, "
                                                  "resultant, and axial and shear load where the "
                                                  "bolt's axial direction is defined."),
                                   QStringLiteral("FILE"));
const QCommandLineOption SettingsOption(QStringList{QStringLiteral("settings")},
                                        QStringLiteral("Enter the data and NISA files read or "
                                                       "written in the recent-file list of the "
                                                       "settings file FILE."),
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
const QCommandLineOption LoadCasesOption(
    QStringList{QStringLiteral("load-cases")},
    QStringLiteral("Analyse every load case of the table FILE, one a row: Title,FX,FY,FZ or "
                   "Title,FX,FY,FZ,X,Y,Z, with a decimal point whatever the locale; without X,Y,Z "
                   "a case acts at the input's applied-load point. A first row without numbers is "
                   "a header; a title may be quoted. The report then ends with the load case "
                   "envelope and the list of the cases, --csv gives a line per case and bolt, and "
                   "--nisa one load case per case, numbered from --load-case on."),
    QStringLiteral("FILE"));
const QCommandLineOption EnvelopeOption(
    QStringList{QStringLiteral("envelope")},
    QStringLiteral("With --load-cases: write one line per bolt to FILE as comma-separated values: "
                   "number, position, and the largest resultant, axial tension, axial compression "
                   "and shear load over the cases, each with the number and title of its case."),
    QStringLiteral("FILE"));
const QCommandLineOption VerboseOption(QStringList{QStringLiteral("verbose")},
                                       QStringLiteral("Print every status text on standard "
                                                      "error, one a line."));

void PrintLine(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
}

// Bytes on standard output, every write checked: a full disk, a file-size limit, a closed
// standard output throw with the system's reason.
void WriteStandardOutput(const QByteArray& bytes) {
    std::fflush(stdout);
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw TPlatformError(QStringLiteral("Cannot write standard output. %1")
                                     .arg(QString::fromLocal8Bit(
                                         std::strerror(written < 0 ? errno : ENOSPC))));
        data += written;
        left -= written;
    }
}

// The floating-point errors of the analysis, as opposed to the errors of file access.
bool IsAnalysisError(const TPlatformError& e) {
    return e.Text() == QLatin1String(TPlatformError::DivisionByZero) ||
           e.Text() == QLatin1String(TPlatformError::InvalidOperation);
}

// The reason a report, or anything else made from the analysis, cannot be written; empty when
// the analysis is complete.
QString AnalysisRefusal(const TBatchLineBuffers& buffers, const TBoltGroupDocument& document) {
    if (document.ActualLoadsCalculated && buffers.OutputShown)
        return QString();
    const QString reason = QString::fromLatin1(TBoltGroupAnalysis::Refusal(document));
    return reason.isEmpty() ? QStringLiteral("Analysis Not Complete") : reason;
}

// The finished analysis report as plain text with LF line ends, on standard output or, through
// a save file, in the named file; a file ending in .rtf gets it as rich text, one ending in .pdf
// as a PDF document. The analysis must be complete.
void WriteReport(const TBatchLineBuffers& buffers, const TBoltGroupDocument& document,
                 const QString& fileName) {
    const bool pdf = fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!pdf && TDocumentFile::IsRichTextName(fileName) && buffers.ShownAsText) {
        // As the report window writes a long report: a part at a time.
        TReportText(buffers.ShownText, buffers.ShownTitles, buffers.ShownSubtitles,
                    buffers.TitleStyle, buffers.SubtitleStyle)
            .WriteRtf(fileName, TReportFormatter::DefaultFont());
        return;
    }
    if (pdf || TDocumentFile::IsRichTextName(fileName)) {
        // As the report window shows it: "Courier New", titles and subtitles styled.
        QTextDocument report;
        TReportFormatter::ShowLines(report, buffers.ShownLines, TReportFormatter::DefaultFont());
        TReportFormatter::StyleLines(report, buffers.ShownTitles, buffers.ShownSubtitles,
                                     buffers.TitleStyle, buffers.SubtitleStyle);
        if (pdf)
            TReportPdf::Write(report, document.AnalysisTitle, fileName);
        else
            TDocumentFile::Save(fileName, report, true);
        return;
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
            WriteStandardOutput(chunk);
        chunk.clear();
    };
    if (buffers.ShownAsText) {
        for (const QByteArray& piece : buffers.ShownText) {
            chunk = piece;
            flush();
        }
    }
    for (const QString& line : buffers.ShownLines) {
        chunk += line.toUtf8();
        chunk += '\n';
        if (chunk.size() >= (1 << 16))
            flush();
    }
    flush();
    if (file)
        file->Commit();
}

} // namespace

void TBatchTool::DefineOptions() {
    Parser.setApplicationDescription(QStringLiteral(
        "Quorvane Fastenex bolt group analysis from the command line.\n"
        "Reads INPUT (an analysis data file .dat or a NISA input file .nis) and writes what the options ask for; without "
        "an output option it prints the analysis report.\n\n"
        "Outputs are written in the order --data, --nisa, --picture, --report, --csv, --envelope. An output "
        "that would be refused stops the run before any is written, and no output may name the "
        "input, the settings file or another output. When the analysis fails, --data is still "
        "written and the others are not. A file that cannot be written stops the run at that "
        "output; the outputs before it stay written.\n\n"
        "Exit codes: 0 done, 1 refused, 2 usage, 3 analysis error, 4 file error."));
    Parser.addHelpOption();
    Parser.addOption(DataOption);
    Parser.addOption(ReportOption);
    Parser.addOption(CsvOption);
    Parser.addOption(PictureOption);
    Parser.addOption(ViewOption);
    Parser.addOption(AnglesOption);
    Parser.addOption(LensOption);
    Parser.addOption(NoLabelsOption);
    Parser.addOption(NoShadingOption);
    Parser.addOption(NisaOption);
    Parser.addOption(LoadCaseOption);
    Parser.addOption(LoadCasesOption);
    Parser.addOption(EnvelopeOption);
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
    if (Parser.isSet(EnvelopeOption) && !Parser.isSet(LoadCasesOption)) {
        PrintLine(stderr, QStringLiteral("--envelope needs --load-cases."));
        return Usage;
    }
    if (!CheckFileNames())
        return Usage;
    if (Parser.isSet(SettingsOption)) {
        // A settings file that cannot serve is left as it is: the run never writes to it.
        const QString settings = Parser.value(SettingsOption);
        if (const QString problem = TIniFile(settings).Problem();
            problem == TIniFile::NotSettingsText()) {
            PrintLine(stderr, QStringLiteral("Settings file \"%1\" cannot be used. %2")
                                  .arg(settings, problem));
            return Usage;
        }
    }
    Host.Verbose = Parser.isSet(VerboseOption);
    Host.SettingsFile = Parser.value(SettingsOption);
    try {
        return Run();
    } catch (const TPlatformError& e) {
        PrintLine(stderr, e.Text());
        return IsAnalysisError(e) ? AnalysisError : FileError;
    } catch (const std::bad_alloc&) {
        PrintLine(stderr, QStringLiteral("Not enough memory for %1 bolts").arg(BoltCount));
        return FileError;
    }
}

bool TBatchTool::CheckFileNames() {
    // Every file the run writes, by the option that names it; the settings file is rewritten
    // whenever a file enters its list.
    QList<std::pair<QString, QString>> outputs;
    for (const QCommandLineOption* option : {&DataOption, &NisaOption, &PictureOption,
                                             &ReportOption, &CsvOption, &EnvelopeOption,
                                             &SettingsOption}) {
        if (Parser.isSet(*option))
            outputs.append({QStringLiteral("--") + option->names().first(), Parser.value(*option)});
    }
    const TFileIdentity input(InputFile);
    const std::optional<TFileIdentity> caseTable =
        Parser.isSet(LoadCasesOption)
            ? std::optional<TFileIdentity>(TFileIdentity(Parser.value(LoadCasesOption)))
            : std::nullopt;
    QList<TFileIdentity> identities;
    for (const auto& [option, fileName] : std::as_const(outputs)) {
        const TFileIdentity output(fileName);
        if (output == input || (caseTable && output == *caseTable)) {
            PrintLine(stderr, QStringLiteral("%1 \"%2\" names the %3 file; it would be "
                                             "overwritten.")
                                  .arg(option, fileName,
                                       output == input ? QStringLiteral("input")
                                                       : QStringLiteral("load case")));
            return false;
        }
        for (qsizetype i = 0; i < identities.size(); ++i) {
            if (identities.at(i) == output) {
                PrintLine(stderr, QStringLiteral("%1 and %2 name the same file \"%3\".")
                                      .arg(outputs.at(i).first, option, fileName));
                return false;
            }
        }
        identities.append(output);
    }
    return true;
}

int TBatchTool::Run() {
    const QFileInfo info(InputFile);
    if (!info.exists()) {
        PrintLine(stderr, QStringLiteral("Cannot open file \"%1\". No such file or directory")
                              .arg(InputFile));
        return FileError;
    }
    // The load case table is read first, so that a table that is refused writes nothing.
    const bool withCases = Parser.isSet(LoadCasesOption);
    TLoadCases cases;
    if (withCases && !cases.Read(Parser.value(LoadCasesOption))) {
        PrintLine(stderr, Parser.value(LoadCasesOption) + QStringLiteral(": ") + cases.Error);
        return Refused;
    }
    TBatchLineBuffers buffers(&Host);
    buffers.FileName = info.absoluteFilePath();
    // The report's text is built only when it is written, and kept as UTF-8 text unless it is
    // written as a PDF document; nothing but the report adds output lines while the file is
    // read and analysed.
    buffers.ReportLinesWanted = ReportWritten();
    const QString reportName = Parser.value(ReportOption);
    buffers.OutputAsTextFrom =
        ReportWritten() && !reportName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? 0 : -1;
    TBoltGroupDocument document(buffers);
    ApplyViewOptions(document.View);
    // Every read plots; a picture that is not written needs no bolt numbers.
    if (!Parser.isSet(PictureOption))
        document.View.ShowBoltLabels = false;
    document.ResetModel();
    // A NISA input file is taken by its extension, as the bolt group window does. An analysis
    // that fails leaves the bolt group read, so the data file can still be written.
    const bool nisaInput = info.suffix().toLower() == QLatin1String("nis");
    QString analysisError;
    try {
        if (!(nisaInput ? document.ImportNisaFile(InputFile) : document.LoadDataFile(InputFile)))
            return Refused;
    } catch (const TPlatformError& e) {
        if (!IsAnalysisError(e))
            throw;
        analysisError = e.Text();
    }
    BoltCount = document.BoltCount();
    buffers.OutputAsTextFrom = -1;

    // The load cases are analysed for the report and the outputs made of their loads; those
    // outputs need no loads of the input's own.
    const bool casesUsed = withCases && (ReportWritten() || Parser.isSet(CsvOption) ||
                                         Parser.isSet(NisaOption) || Parser.isSet(EnvelopeOption));
    const bool reportWanted = ReportWritten() || (Parser.isSet(CsvOption) && !casesUsed);
    qint64 firstCaseId = 1;
    if (analysisError.isEmpty()) {
        // Everything that would refuse an output is found before any output is written.
        if (casesUsed && document.BoltCount() <= 2) {
            PrintLine(stderr, QStringLiteral("Not Enough Bolts"));
            return Refused;
        }
        if (casesUsed && Parser.isSet(NisaOption)) {
            firstCaseId =
                TNisaExport::NormaliseLoadCaseId(Parser.value(LoadCaseOption)).toLongLong();
            if (firstCaseId + cases.Cases.size() - 1 > std::numeric_limits<qint32>::max()) {
                PrintLine(stderr, QStringLiteral("Load case numbers from %1 on leave no room for "
                                                 "%2 load cases")
                                      .arg(firstCaseId)
                                      .arg(cases.Cases.size()));
                return Refused;
            }
        }
        if (Parser.isSet(NisaOption)) {
            if (!casesUsed && !document.ActualLoadsCalculated) {
                PrintLine(stderr, QStringLiteral("No Actual Loads Calculated"));
                return Refused;
            }
            for (qint32 i = 0; i < document.BoltCount(); ++i) {
                if (document.Bolts.at(i).NodeNumber == 0) {
                    PrintLine(stderr, QStringLiteral("Bolt %1 has no NISA node number").arg(i + 1));
                    return Refused;
                }
            }
        }
        if (Parser.isSet(PictureOption) && !document.View.PlotComplete) {
            PrintLine(stderr, QStringLiteral("Plotting Bolts Aborted"));
            return Refused;
        }
        if (reportWanted) {
            const QString refusal = AnalysisRefusal(buffers, document);
            if (!refusal.isEmpty()) {
                PrintLine(stderr, refusal);
                return Refused;
            }
        }
    }

    // The cases are all analysed, and their envelope formed, before anything is written, so that
    // an analysis error leaves no output but the data file.
    std::optional<TLoadCaseAnalysis> caseAnalysis;
    std::optional<TLoadCaseEnvelope> envelope;
    if (casesUsed && analysisError.isEmpty()) {
        cases.SetDefaultPosition(document.AppliedLoad);
        try {
            caseAnalysis.emplace(document.Bolts, cases.Cases, Host);
            envelope.emplace(document.Bolts);
            caseAnalysis->ForEachCase([&](qsizetype c, const QList<TBoltUnitLoads>&,
                                          const QList<TBoltActualLoads>& loads) {
                envelope->Add(c, loads);
            });
        } catch (const TPlatformError& e) {
            if (!IsAnalysisError(e))
                throw;
            analysisError = e.Text();
        }
    }

    if (Parser.isSet(DataOption)) {
        const QString fileName = Parser.value(DataOption);
        if (!document.SaveDataFile(fileName)) {
            PrintLine(stderr, QStringLiteral("Data File Not Saved"));
            if (!document.SaveDataError.isEmpty())
                PrintLine(stderr, document.SaveDataError);
            return FileError;
        }
    }
    if (!analysisError.isEmpty()) {
        PrintLine(stderr, analysisError);
        return AnalysisError;
    }
    if (Parser.isSet(NisaOption) && casesUsed) {
        const bool exported = TNisaExport(document, buffers)
                                  .ExportNisaLoadCases(Parser.value(NisaOption), firstCaseId,
                                                       [&](const TNisaExport::TCaseLoads& add) {
            caseAnalysis->ForEachCase([&](qsizetype, const QList<TBoltUnitLoads>&,
                                          const QList<TBoltActualLoads>& loads) { add(loads); });
        });
        if (!exported)
            return Refused;
    } else if (Parser.isSet(NisaOption)) {
        // The load case number is the input box's pre-filled answer, which the host accepts.
        document.NisaLoadCaseId = Parser.value(LoadCaseOption);
        if (!document.ExportNisaLoads(Parser.value(NisaOption)))
            return Refused;
    }
    if (Parser.isSet(PictureOption))
        document.SavePicture(Parser.value(PictureOption));
    if (ReportWritten()) {
        if (casesUsed) {
            TLineBuffers section(&Host);
            section.CreateLineBuffers();
            TAnalysisReport::WriteLoadCaseReport(document, cases.Cases, *envelope, section);
            buffers.AppendShown(section);
        }
        WriteReport(buffers, document, Parser.value(ReportOption));
    }
    if (Parser.isSet(CsvOption) && casesUsed)
        TBoltLoadsCsv::WriteLoadCases(document.Bolts, cases.Cases, *caseAnalysis,
                                      Parser.value(CsvOption));
    else if (Parser.isSet(CsvOption))
        TBoltLoadsCsv::Write(document, Parser.value(CsvOption));
    if (Parser.isSet(EnvelopeOption))
        envelope->WriteCsv(Parser.value(EnvelopeOption), cases.Cases);
    return Done;
}

bool TBatchTool::ReportWritten() const {
    return Parser.isSet(ReportOption) ||
           !(Parser.isSet(DataOption) || Parser.isSet(NisaOption) || Parser.isSet(PictureOption) ||
             Parser.isSet(CsvOption) || Parser.isSet(EnvelopeOption));
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
