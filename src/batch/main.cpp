#include "tbatchtool.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fastenex-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
    TBatchTool tool;
    return tool.Execute(QCoreApplication::arguments());
}
