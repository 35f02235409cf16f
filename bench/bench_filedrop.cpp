// Collecting the files of a drop: a folder tree of 20,000 files in 200 folders, 10 levels deep,
// with hidden entries and a link back to the top in every folder, walked as a dropped folder.
//
//     bench_filedrop [FOLDERS FILES-PER-FOLDER]     (default 200 100)

#include "shell/tdroppedfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int folders = argc > 2 ? std::max(1, atoi(argv[1])) : 200;
    const int perFolder = argc > 2 ? std::max(1, atoi(argv[2])) : 100;
    QTemporaryDir dir;
    const QString top = dir.filePath(QStringLiteral("drop"));
    QElapsedTimer timer;
    timer.start();
    for (int f = 0; f < folders; ++f) {
        // Ten chains of nested folders, so the walk goes deep as well as wide.
        QString path = top;
        for (int level = 0; level <= f % 20; ++level)
            path += QStringLiteral("/d%1_%2").arg(f / 20).arg(level);
        QDir().mkpath(path);
        for (int i = 0; i < perFolder; ++i) {
            QFile file(QStringLiteral("%1/file%2.txt").arg(path).arg(i));
            file.open(QIODevice::WriteOnly);
        }
        QFile hidden(path + QStringLiteral("/.hidden"));
        hidden.open(QIODevice::WriteOnly);
        QFile::link(top, path + QStringLiteral("/loop"));
    }
    std::printf("tree of %d folders x %d files made in %.0f ms\n", folders, perFolder,
                double(timer.elapsed()));

    std::vector<double> times;
    qsizetype found = 0;
    for (int round = 0; round < 5; ++round) {
        TDroppedFiles files;
        timer.restart();
        files.AddFileOrDirectory(top);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        found = files.Files.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("walk: %lld files found, median %.1f ms, best %.1f ms (%.2f us per file)\n",
                static_cast<long long>(found), times[times.size() / 2], times.front(),
                times[times.size() / 2] * 1000.0 / double(std::max<qsizetype>(found, 1)));
    return found == qsizetype(folders) * perFolder ? 0 : 1;
}
