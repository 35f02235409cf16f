// Feeds arbitrary bytes to the spell checker: the first part as a dictionary file, the rest as the
// text to check and as a file of words to import. Loading, checking, suggestions and import must
// never crash or hang, a check in which every problem is ignored must give back the text
// exactly, its separators made spaces, and the corrections of a check must turn the text into the
// corrected text.
#include "spell/tspelldictionaries.h"
#include "spell/tspellengine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QTemporaryDir* Dir = nullptr;

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(bytes);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!Dir) {
        static int argc = 1;
        static char name[] = "fuzz_spell";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        Dir = new QTemporaryDir(QStringLiteral("/dev/shm/fuzz-spell-XXXXXX"));
        if (!Dir->isValid())
            Dir = new QTemporaryDir();
    }
    if (size < 2)
        return 0;
    const unsigned options = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype split = bytes.size() / 2;
    const QString mainName = Dir->filePath(QStringLiteral("Dictionary.dic"));
    const QString sourceName = Dir->filePath(QStringLiteral("words.txt"));
    if (!WriteFile(mainName, bytes.left(split)) || !WriteFile(sourceName, bytes.mid(split)))
        return 0;

    TSpellDictionaries dictionaries;
    dictionaries.LoadDictionaries(mainName, Dir->filePath(QStringLiteral("none/Custom.dic")),
                                  TSharedFolders({Dir->filePath(QStringLiteral("data"))},
                                                 Dir->filePath(QStringLiteral("program/fuzz_spell"))));
    dictionaries.CustomDictionary.Assign(dictionaries.MainDictionary.Entries().mid(0, 5));

    TSpellEngine engine(dictionaries);
    engine.IgnoreNumbers = options & 1;
    engine.IgnoreDuplicateWords = options & 2;
    engine.IgnoreIrregularCapitals = options & 4;
    engine.SentenceCapital = options & 8;
    engine.SourceText = (options & 16) ? QString::fromLatin1(bytes.mid(split)) : QString::fromUtf8(bytes.mid(split));
    engine.PrepareCheck();
    QString expected = engine.SourceText;
    for (QChar& c : expected)
        if (c.unicode() < 32 || c.unicode() > 127)
            c = u' ';
    int problems = 0;
    while (engine.ContinueCheck() != TSpellProblem::None) {
        if (++problems > 2 * expected.size() + 2)
            std::abort();  // the check must make progress
        (void)engine.ContextBefore();
        (void)engine.ContextAfter();
        (void)engine.ProposedReplacement();
        engine.Ignore();
    }
    if (!engine.Complete() || engine.CheckedText != expected)
        std::abort();

    // Again with corrections of every kind: the corrections applied to the text from the last to
    // the first must give the corrected text.
    engine.PrepareCheck();
    unsigned choice = options;
    problems = 0;
    while (engine.ContinueCheck() != TSpellProblem::None) {
        if (++problems > 2 * expected.size() + 2)
            std::abort();
        choice = choice * 1103515245u + 12345u;
        switch ((choice >> 16) % 5) {
        case 0: engine.Replace(engine.ProposedReplacement()); break;
        case 1: engine.Replace(QStringLiteral("a lot ")); break;
        case 2: engine.Replace(QString()); break;
        case 3: engine.AddWord(); break;
        default: engine.Ignore(); break;
        }
    }
    QString corrected = expected;
    for (auto edit = engine.Edits.rbegin(); edit != engine.Edits.rend(); ++edit) {
        if (edit->Start < 0 || edit->Length < 0 || edit->Start + edit->Length > corrected.size())
            std::abort();
        corrected.replace(edit->Start, edit->Length, edit->Text);
    }
    if (corrected != engine.CheckedText)
        std::abort();

    dictionaries.AddFileToMainDictionary(sourceName);
    for (qsizetype i = 1; i < dictionaries.MainDictionary.Count(); ++i)
        if (!dictionaries.MainDictionary.Search(dictionaries.MainDictionary.At(i)).Found)
            std::abort();
    return 0;
}
