// Builds the main dictionary that accompanies the program from a word list: one entry a line,
// sorted as the spell checker sorts its dictionaries, each line ended by CR LF.
//
//     fastenex-makedictionary WORDLIST OUTPUT

#include "foundation/tplatformerror.h"
#include "spell/twordlist.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: fastenex-makedictionary WORDLIST OUTPUT\n");
        return 2;
    }
    try {
        TWordList list;
        list.LoadFromFile(args.at(1));
        list.SaveToFile(args.at(2));
        std::printf("%lld words written to %s\n", static_cast<long long>(list.Count()),
                    qPrintable(args.at(2)));
    } catch (const TPlatformError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Text()));
        return 1;
    }
    return 0;
}
