#pragma once

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <cstdio>

// The dictionary a spell benchmark reads: the first argument, or else Dictionary.dic in the
// build's bin folder. Empty, after saying so, when there is no such file.
inline QString BenchDictionary(int argc, char* argv[]) {
    const QString dictionary = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../bin/Dictionary.dic");
    if (!QFileInfo(dictionary).isFile()) {
        std::fprintf(stderr, "No dictionary at %s\n", qPrintable(dictionary));
        return QString();
    }
    return dictionary;
}
