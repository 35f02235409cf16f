#pragma once

#include "tbatchhost.h"
#include "view/tboltview.h"

#include <QCommandLineParser>
#include <QStringList>

// The command-line analysis: reads a bolt group file into a document and writes what the
// options ask for. Each output is one step of Run, in a fixed order.
class TBatchTool {
public:
    enum TExitCode { Done = 0, Refused = 1, Usage = 2, AnalysisError = 3, FileError = 4 };

    // Parses the arguments (argv[0] first) and runs; returns the exit code.
    int Execute(const QStringList& arguments);

private:
    void DefineOptions();
    // Refuses, on standard error, an output that names the input file, the settings file or
    // another output: the same file after links, "." and ".." are resolved.
    bool CheckFileNames();
    int Run();
    // Reads the picture's view options; false (a usage error, told on standard error) when one
    // is not valid.
    bool ParseViewOptions();
    // Whether the run writes the analysis report: asked for, or no other output asked for.
    bool ReportWritten() const;
    void ApplyViewOptions(TBoltView& view) const;

    QCommandLineParser Parser;
    TBatchHost Host;
    QString InputFile;
    // The bolts read, for the message when the memory runs out.
    qint64 BoltCount = 0;
    int ViewCode = 6;
    int LensCode = 0;
    bool UserAngles = false;
    double Angles[3] = {0, 0, 0};
};
