#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A sorted list of words as the spell checker keeps its dictionaries: ordered, and searched, by
// the locale's comparison without regard to letter case. Every entry carries its collation key,
// so sorting and the binary search compare keys instead of collating text again.
//
// Equal entries (equal ignoring letter case) may stand side by side; Add keeps them, AddUnique
// refuses them. A search returns whether the text is present and the position of the first entry
// that is not less than it, which is where it is or would be inserted.
class TWordList {
public:
    struct TSearch {
        bool Found = false;
        qsizetype Position = 0;
    };

    // The collation key of a text; texts equal ignoring letter case have equal keys. In the C
    // locale the key is the case-folded text; in any other the locale's collator's key.
    class TKey {
        friend class TWordList;
        QString Folded;
        std::optional<QCollatorSortKey> Collated;
    };

    // A list ordered by the comparison of the default locale (QLocale()).
    TWordList();
    explicit TWordList(const QLocale& locale);

    qsizetype Count() const { return qsizetype(Items.size()); }
    bool IsEmpty() const { return Items.empty(); }
    const QString& At(qsizetype index) const { return Items[size_t(index)].Text; }
    QStringList Entries() const;

    TKey Key(const QString& text) const;
    TSearch Search(const QString& text) const { return Search(Key(text)); }
    TSearch Search(const TKey& key) const;
    bool Contains(const QString& text) const { return Search(text).Found; }
    // Whether an entry has exactly this text, letter case counting.
    bool ContainsExactly(const QString& text) const;

    // Inserts the text at its sorted place, after any equal entries.
    void Add(const QString& text);
    // Inserts the text unless an equal entry is there already; true when it was inserted.
    bool AddUnique(const QString& text);
    // The same as AddUnique for each text in turn, done as one merge so that adding many words to
    // a large list stays fast. Returns the number of entries inserted; when the list would then
    // hold more than maxCount entries (a negative maxCount means no limit), nothing is inserted
    // and the result is -1.
    qsizetype AddUniqueAll(const QStringList& texts, qsizetype maxCount = -1);
    void Clear();

    // Replaces the entries by the texts and sorts them once; equal entries keep their order.
    void Assign(const QStringList& texts);
    // Replaces the entries by the lines of the file, read unsorted and then sorted once. A file
    // larger than MaxFileSize or with more than MaxEntries lines is refused with TPlatformError,
    // as are files that cannot be opened or read.
    void LoadFromFile(const QString& fileName);
    // Writes the entries in their sorted order, each line ended by CR LF, in UTF-8, through a
    // save file (creating the folder when needed); a failure throws TPlatformError and leaves the
    // previous file whole.
    void SaveToFile(const QString& fileName) const;

    // Reads a text file as lines ended by CR LF, a lone CR or a lone LF. UTF-8 when the bytes are
    // valid UTF-8, otherwise Latin-1 byte for byte; a leading byte-order mark is dropped. Refuses
    // files larger than MaxFileSize or with more than maxLines lines.
    static QStringList ReadLines(const QString& fileName, qsizetype maxLines);
    // The bytes of a file of at most MaxFileSize bytes; TPlatformError otherwise.
    static QByteArray ReadFile(const QString& fileName);

    static constexpr qint64 MaxFileSize = qint64(64) << 20;
    static constexpr qsizetype MaxEntries = 2'000'000;

private:
    // An entry and where its key is: a stretch of FoldedKeys in the C locale, otherwise an index
    // of CollatedKeys. Keys are kept apart from the texts, packed, so that a binary search touches
    // little memory.
    struct TItem {
        QString Text;
        qsizetype KeyAt;
        qsizetype KeyLength;
    };

    TItem MakeItem(const QString& text, TKey&& key);
    int Compare(const TItem& item, const TKey& key) const;
    int Compare(const TItem& a, const TItem& b) const;
    qsizetype UpperBound(const TKey& key) const;
    void Sort(std::vector<TItem>& items) const;

    QCollator Collator;
    bool FoldForKeys = false;
    std::vector<TItem> Items;
    QString FoldedKeys;
    std::vector<QCollatorSortKey> CollatedKeys;
};
