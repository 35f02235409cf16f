#pragma once

#include "tbatchhost.h"

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
    int Run();

    QCommandLineParser Parser;
    TBatchHost Host;
    QString InputFile;
};
