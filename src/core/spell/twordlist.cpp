#include "twordlist.h"

#include "foundation/tlineends.h"
#include "foundation/treadfile.h"
#include "foundation/tsavefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <numeric>

namespace {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    TLineEnds::Split(text.constData(), text.constData() + text.size(),
                     [&](const QChar* start, qsizetype length) {
                         lines.append(QString(start, length));
                     });
    return lines;
}

// Compares UTF-16 texts unit by unit; inline, as the searches spend their time here.
inline int CompareUnits(const QChar* a, qsizetype aLength, const QChar* b, qsizetype bLength) {
    const qsizetype n = std::min(aLength, bLength);
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return a[i].unicode() < b[i].unicode() ? -1 : 1;
    }
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

} // namespace

TWordList::TWordList() : TWordList(QLocale()) {}

TWordList::TWordList(const QLocale& locale) : Collator(locale) {
    Collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The C locale's collator compares texts ignoring letter case but makes its keys letter case
    // counting, so there the key is the case-folded text itself.
    FoldForKeys = locale.language() == QLocale::C;
}

QStringList TWordList::Entries() const {
    QStringList list;
    list.reserve(Count());
    for (const TItem& item : Items)
        list.append(item.Text);
    return list;
}

TWordList::TKey TWordList::Key(const QString& text) const {
    TKey key;
    if (FoldForKeys)
        key.Folded = text.toCaseFolded();
    else
        key.Collated = Collator.sortKey(text);
    return key;
}

TWordList::TItem TWordList::MakeItem(const QString& text, TKey&& key) {
    if (FoldForKeys) {
        const qsizetype at = FoldedKeys.size();
        FoldedKeys += key.Folded;
        return TItem{text, at, key.Folded.size()};
    }
    CollatedKeys.push_back(*key.Collated);
    return TItem{text, qsizetype(CollatedKeys.size()) - 1, 0};
}

int TWordList::Compare(const TItem& item, const TKey& key) const {
    if (FoldForKeys)
        return CompareUnits(FoldedKeys.constData() + item.KeyAt, item.KeyLength,
                            key.Folded.constData(), key.Folded.size());
    return CollatedKeys[size_t(item.KeyAt)].compare(*key.Collated);
}

int TWordList::Compare(const TItem& a, const TItem& b) const {
    if (FoldForKeys)
        return CompareUnits(FoldedKeys.constData() + a.KeyAt, a.KeyLength,
                            FoldedKeys.constData() + b.KeyAt, b.KeyLength);
    return CollatedKeys[size_t(a.KeyAt)].compare(CollatedKeys[size_t(b.KeyAt)]);
}

void TWordList::Sort(std::vector<TItem>& items) const {
    std::stable_sort(items.begin(), items.end(),
                     [this](const TItem& a, const TItem& b) { return Compare(a, b) < 0; });
}

TWordList::TSearch TWordList::Search(const TKey& key) const {
    const auto it = std::partition_point(Items.begin(), Items.end(), [&](const TItem& item) {
        return Compare(item, key) < 0;
    });
    TSearch result;
    result.Position = qsizetype(it - Items.begin());
    result.Found = it != Items.end() && Compare(*it, key) == 0;
    return result;
}

qsizetype TWordList::UpperBound(const TKey& key) const {
    const auto it = std::partition_point(Items.begin(), Items.end(), [&](const TItem& item) {
        return Compare(item, key) <= 0;
    });
    return qsizetype(it - Items.begin());
}

bool TWordList::ContainsExactly(const QString& text) const {
    const TKey key = Key(text);
    for (qsizetype i = Search(key).Position; i < Count(); ++i) {
        const TItem& item = Items[size_t(i)];
        if (Compare(item, key) != 0)
            break;
        if (item.Text == text)
            return true;
    }
    return false;
}

void TWordList::Add(const QString& text) {
    TKey key = Key(text);
    const qsizetype at = UpperBound(key);
    Items.insert(Items.begin() + at, MakeItem(text, std::move(key)));
}

bool TWordList::AddUnique(const QString& text) {
    TKey key = Key(text);
    const TSearch found = Search(key);
    if (found.Found)
        return false;
    Items.insert(Items.begin() + found.Position, MakeItem(text, std::move(key)));
    return true;
}

qsizetype TWordList::AddUniqueAll(const QStringList& texts, qsizetype maxCount) {
    // Candidates are sorted stably, so that of equal new texts the first one given is kept.
    std::vector<TItem> fresh;
    fresh.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        fresh.push_back(MakeItem(text, Key(text)));
    Sort(fresh);
    std::vector<TItem> kept;
    for (TItem& item : fresh) {
        if (!kept.empty() && Compare(kept.back(), item) == 0)
            continue;
        const auto it = std::partition_point(Items.begin(), Items.end(), [&](const TItem& old) {
            return Compare(old, item) < 0;
        });
        if (it != Items.end() && Compare(*it, item) == 0)
            continue;
        kept.push_back(std::move(item));
    }
    if (kept.empty())
        return 0;
    if (maxCount >= 0 && Count() + qsizetype(kept.size()) > maxCount)
        return -1;
    std::vector<TItem> merged;
    merged.reserve(Items.size() + kept.size());
    std::merge(std::make_move_iterator(Items.begin()), std::make_move_iterator(Items.end()),
               std::make_move_iterator(kept.begin()), std::make_move_iterator(kept.end()),
               std::back_inserter(merged),
               [this](const TItem& a, const TItem& b) { return Compare(a, b) < 0; });
    Items = std::move(merged);
    return qsizetype(kept.size());
}

void TWordList::Clear() {
    Items.clear();
    FoldedKeys.clear();
    CollatedKeys.clear();
}

void TWordList::Assign(const QStringList& texts) {
    Clear();
    std::vector<TItem> items;
    items.reserve(size_t(texts.size()));
    if (!FoldForKeys)
        CollatedKeys.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        items.push_back(MakeItem(text, Key(text)));
    Sort(items);
    Items = std::move(items);
}

QByteArray TWordList::ReadFile(const QString& fileName) {
    QFile file(fileName);
    TReadFile::Open(file, MaxFileSize);
    const auto tooLarge = [&] { return TReadFile::TooLarge(fileName, MaxFileSize); };
    // Read into a buffer of the file's size (grown for files that do not know theirs), so that
    // a small file never costs a buffer of the largest size allowed.
    QByteArray bytes(qsizetype(file.size()) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > MaxFileSize)
                throw tooLarge();
            bytes.resize(qsizetype(std::min<qint64>(2 * qint64(used), MaxFileSize + 1)));
        }
        const qint64 n = file.read(bytes.data() + used, bytes.size() - used);
        if (n < 0)
            throw TReadFile::ReadFailed(file);
        if (n == 0)
            break;
        used += qsizetype(n);
    }
    if (used > MaxFileSize)
        throw tooLarge();
    bytes.truncate(used);
    file.close();
    return bytes;
}

QStringList TWordList::ReadLines(const QString& fileName, qsizetype maxLines) {
    QByteArray bytes = ReadFile(fileName);
    const bool unended = !bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r');
    if (TLineEnds::Count(bytes) + (unended ? 1 : 0) > maxLines)
        throw TReadFile::TooManyLines(fileName, maxLines);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Dictionaries are UTF-8; one that is not (written in a Windows code page) is read byte for
    // byte as Latin-1 so that nothing is lost or replaced.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    bytes.clear();
    return SplitLines(text);
}

void TWordList::LoadFromFile(const QString& fileName) {
    Assign(ReadLines(fileName, MaxEntries));
}

void TWordList::SaveToFile(const QString& fileName) const {
    const QFileInfo info(fileName);
    QDir().mkpath(info.absolutePath());
    TSaveFile file(fileName);
    QByteArray chunk;
    chunk.reserve(1 << 16);
    for (const TItem& item : Items) {
        chunk += item.Text.toUtf8();
        chunk += "\r\n";
        if (chunk.size() >= (1 << 16)) {
            file.Write(chunk);
            chunk.clear();
        }
    }
    file.Write(chunk);
    file.Commit();
}
