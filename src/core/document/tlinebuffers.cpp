#include "tlinebuffers.h"

#include "foundation/tlineends.h"
#include "foundation/treadfile.h"
#include "foundation/tsavefile.h"

#include <QFile>
#include <QFileInfo>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Hash of a name part, case-folded character by character, so that names that compare equal
// ignoring letter case share a hash.
quint64 NameHash(QStringView name) {
    quint64 h = 1469598103934665603ull;
    for (QChar c : name) {
        h ^= c.toCaseFolded().unicode();
        h *= 1099511628211ull;
    }
    return h;
}

// The part of a line before its first "=", or a null view when the line has none.
QStringView NamePart(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QStringView();
    return QStringView(line).left(eq);
}

bool SameName(QStringView a, QStringView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

int FindIn(const QStringList& lines, int index, const QString& text) {
    if (index < 0 || index >= lines.size())
        return 0;
    return int(lines.at(index).indexOf(text)) + 1;
}

bool InRange(const QStringList& lines, int index) { return index >= 0 && index < lines.size(); }

// Splits file bytes into lines, each read as UTF-8 or as Latin-1.
QStringList SplitLines(const QByteArray& bytes, bool utf8) {
    QStringList lines;
    TLineEnds::Split(bytes.constData(), bytes.constData() + bytes.size(),
                     [&](const char* start, qsizetype length) {
                         lines.append(utf8 ? QString::fromUtf8(start, length)
                                           : QString::fromLatin1(start, length));
                     });
    return lines;
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values beyond U+10FFFF).
bool IsValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int n;
        unsigned min;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            n = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= n)
            return false;
        for (int k = 1; k <= n; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += n + 1;
    }
    return true;
}

} // namespace

TLineBuffers::TLineBuffers(TDocumentHost* host) : HostPtr(host ? host : &TDocumentHost::Null()) {}

TLineBuffers::~TLineBuffers() = default;

void TLineBuffers::SetHost(TDocumentHost* host) { HostPtr = host ? host : &TDocumentHost::Null(); }

void TLineBuffers::AddTitleLine(const QString& text) {
    if (Exist)
        Titles.append(text);
}

void TLineBuffers::AddSubtitleLine(const QString& text) {
    if (Exist)
        Subtitles.append(text);
}

// Styling needs the window's rich text; the document window supplies it.
void TLineBuffers::FormatOutput() {}

void TLineBuffers::UpdateProgress() {
    if (qint64(ProgressPosition) - qint64(ProgressShown) > 100) {
        const int percent = ProgressPercent(ProgressPosition, ProgressTotal);
        ProgressShown = ProgressPosition;
        Host().ShowProgress(percent);
        Host().ProcessEvents();
    }
}

int TLineBuffers::ProgressPercent(int position, int total) {
    if (total == 0)
        return position > 0 ? 100 : 0;
    return int(qint64(position) * 100 / total);
}

void TLineBuffers::AddBlankOutputLine() { AddOutputLine(QStringLiteral(" ")); }

void TLineBuffers::FreeLineBuffers() {
    if (!Exist)
        return;
    ClearLineBuffers();
    Output.squeeze();
    Titles.squeeze();
    Subtitles.squeeze();
    Data.squeeze();
    NextAlive.shrink_to_fit();
    IndexNext.shrink_to_fit();
    IndexHead.squeeze();
    Exist = false;
}

void TLineBuffers::ReleaseOutputLines() {
    Output = QStringList();
    OutputText = QList<QByteArray>();
#ifdef __GLIBC__
    // The lines are millions of small blocks, which the allocator would otherwise keep for the
    // process: the document that shows them would come on top of them.
    malloc_trim(0);
#endif
}

void TLineBuffers::CreateLineBuffers() { Exist = true; }

void TLineBuffers::ClearLineBuffers() {
    if (!Exist)
        return;
    Output.clear();
    OutputText.clear();
    Titles.clear();
    Subtitles.clear();
    Data.clear();
    NextAlive.clear();
    RemovedCount = 0;
    InvalidateIndex();
}

// Showing output needs the window's rich text; the document window supplies it.
void TLineBuffers::ShowOutput() {}

void TLineBuffers::AddOutputLine(const QString& text) {
    if (!Exist)
        return;
    const bool asText = !OutputText.isEmpty() ||
                        (OutputAsTextFrom >= 0 && Output.size() >= OutputAsTextFrom);
    if (!asText) {
        Output.append(text);
        return;
    }
    // The lines so far go into the text once, when it starts.
    if (!Output.isEmpty()) {
        for (const QString& line : std::as_const(Output))
            AppendOutputText(line);
        Output = QStringList();
    }
    AppendOutputText(text);
}

void TLineBuffers::AppendOutputText(const QString& text) {
    constexpr qsizetype piece = 1 << 20;
    if (OutputText.isEmpty() || OutputText.last().size() >= piece) {
        OutputText.append(QByteArray());
        OutputText.last().reserve(piece + 4096);
    }
    OutputText.last() += text.toUtf8();
    OutputText.last() += '\n';
}

QList<QByteArray> TLineBuffers::TakeOutputText() {
    QList<QByteArray> text = std::move(OutputText);
    OutputText.clear();
    return text;
}

void TLineBuffers::AddDataLine(const QString& text) {
    if (!Exist)
        return;
    CompactDataLines();
    Data.append(text);
    InvalidateIndex();
}

int TLineBuffers::FindInDataLine(int index, const QString& text) const {
    if (!Exist)
        return 0;
    CompactDataLines();
    return FindIn(Data, index, text);
}

QString TLineBuffers::GetDataLine(int index) const {
    if (!Exist)
        return QString();
    CompactDataLines();
    return InRange(Data, index) ? Data.at(index) : QString();
}

void TLineBuffers::DeleteDataLine(int index) {
    if (!Exist)
        return;
    CompactDataLines();
    if (InRange(Data, index)) {
        Data.removeAt(index);
        InvalidateIndex();
    }
}

void TLineBuffers::InsertOutputLine(int index, const QString& text) {
    if (Exist && InRange(Output, index))
        Output.insert(index, text);
}

int TLineBuffers::FindInOutputLine(int index, const QString& text) const {
    return Exist ? FindIn(Output, index, text) : 0;
}

int TLineBuffers::OutputLineCount() const { return Exist ? int(Output.size()) : 0; }

void TLineBuffers::DeleteOutputLine(int index) {
    if (Exist && InRange(Output, index))
        Output.removeAt(index);
}

int TLineBuffers::DataLineCount() const {
    return Exist ? int(Data.size() - RemovedCount) : 0;
}

void TLineBuffers::LoadDataLines(const QString& fileName) {
    if (!Exist)
        return;
    QFileInfo info(fileName);
    if (!info.exists())
        return;
    QFile file(fileName);
    TReadFile::Open(file, MaxFileSize);
    QByteArray bytes = TReadFile::ReadAll(file, MaxFileSize);
    file.close();
    if (TLineEnds::Count(bytes) > MaxLineCount)
        throw TReadFile::TooManyLines(fileName, MaxLineCount);
    // Files are UTF-8; a file that is not (one written by an older program in a Windows code
    // page) is read byte for byte as Latin-1 so that nothing is lost or replaced.
    const bool utf8 = IsValidUtf8(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    Data = SplitLines(bytes, utf8);
    NextAlive.clear();
    RemovedCount = 0;
    InvalidateIndex();
}

QString TLineBuffers::GetOutputLine(int index) const {
    return Exist && InRange(Output, index) ? Output.at(index) : QString();
}

void TLineBuffers::SetOutputLine(int index, const QString& text) {
    if (Exist && InRange(Output, index))
        Output[index] = text;
}

void TLineBuffers::SetDataLine(int index, const QString& text) {
    if (!Exist)
        return;
    CompactDataLines();
    if (InRange(Data, index)) {
        Data[index] = text;
        InvalidateIndex();
    }
}

void TLineBuffers::SaveOutputLines(const QString& fileName) const {
    if (!Exist)
        return;
    TSaveFile file(fileName);
    QByteArray chunk;
    chunk.reserve(1 << 16);
    for (const QByteArray& piece : OutputText) {
        for (qsizetype from = 0; from < piece.size();) {
            const qsizetype end = piece.indexOf('\n', from);
            chunk += QByteArrayView(piece).sliced(from, end - from);
            chunk += "\r\n";
            from = end + 1;
        }
        file.Write(chunk);
        chunk.clear();
    }
    for (const QString& line : Output) {
        chunk += line.toUtf8();
        chunk += "\r\n";
        if (chunk.size() >= (1 << 16)) {
            file.Write(chunk);
            chunk.clear();
        }
    }
    file.Write(chunk);
    file.Commit();
}

TDataLineMatch TLineBuffers::FindDataLine(const QString& name) const {
    if (!Exist)
        return {};
    CompactDataLines();
    const int i = FindPhysical(name);
    if (i < 0)
        return {};
    return {i, Data.at(i)};
}

QString TLineBuffers::TakeDataValue(const QString& name) {
    if (!Exist)
        return QString();
    const int i = FindPhysical(name);
    if (i < 0)
        return QString();
    const QString& line = Data.at(i);
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1);
    if (value.isNull())
        value = QStringLiteral("");
    if (NextAlive.empty()) {
        NextAlive.resize(size_t(Data.size()) + 1);
        for (size_t k = 0; k < NextAlive.size(); ++k)
            NextAlive[k] = int(k);
    }
    NextAlive[size_t(i)] = i + 1;
    ++RemovedCount;
    // Advance the chain head past the removed line so that the next lookup starts beyond it.
    if (IndexValid) {
        auto head = IndexHead.find(NameHash(NamePart(line)));
        if (head != IndexHead.end() && head.value() == i)
            head.value() = IndexNext[size_t(i)];
    }
    Data[i] = QString();
    return value;
}

const QStringList& TLineBuffers::DataLines() const {
    CompactDataLines();
    return Data;
}

void TLineBuffers::CompactDataLines() const {
    if (RemovedCount == 0)
        return;
    QStringList kept;
    kept.reserve(Data.size() - RemovedCount);
    for (qsizetype i = 0; i < Data.size(); ++i) {
        if (!IsRemoved(i))
            kept.append(std::move(Data[i]));
    }
    Data = std::move(kept);
    NextAlive.clear();
    RemovedCount = 0;
    InvalidateIndex();
}

void TLineBuffers::InvalidateIndex() const {
    IndexValid = false;
    IndexHead.clear();
    IndexNext.clear();
}

void TLineBuffers::BuildIndex() const {
    IndexHead.clear();
    IndexHead.reserve(Data.size());
    IndexNext.assign(size_t(Data.size()), -1);
    for (qsizetype i = Data.size() - 1; i >= 0; --i) {
        const QStringView name = NamePart(Data.at(i));
        if (name.isNull())
            continue;
        const quint64 hash = NameHash(name);
        auto head = IndexHead.find(hash);
        if (head == IndexHead.end()) {
            IndexHead.insert(hash, int(i));
        } else {
            IndexNext[size_t(i)] = head.value();
            head.value() = int(i);
        }
    }
    IndexValid = true;
}

int TLineBuffers::FirstAliveFrom(int i) const {
    if (NextAlive.empty())
        return i;
    int root = i;
    while (NextAlive[size_t(root)] != root)
        root = NextAlive[size_t(root)];
    while (NextAlive[size_t(i)] != root) {
        const int next = NextAlive[size_t(i)];
        NextAlive[size_t(i)] = root;
        i = next;
    }
    return root;
}

int TLineBuffers::FindPhysical(QStringView name) const {
    // Readers ask for the lines mostly in the order they were written, so look at the first few
    // lines still there before using the name index: a match there is the first match, because
    // every line before the first remaining one has been removed. The index is built only when
    // a file's lines are out of order.
    constexpr int Window = 8;
    const int count = int(Data.size());
    int i = FirstAliveFrom(0);
    for (int k = 0; k < Window && i < count; ++k) {
        if (SameName(NamePart(Data.at(i)), name))
            return i;
        i = FirstAliveFrom(i + 1);
    }
    if (i >= count)
        return -1;
    if (!IndexValid)
        BuildIndex();
    auto it = IndexHead.constFind(NameHash(name));
    if (it == IndexHead.constEnd())
        return -1;
    for (int j = it.value(); j >= 0; j = IndexNext[size_t(j)]) {
        if (IsRemoved(j))
            continue;
        if (SameName(NamePart(Data.at(j)), name))
            return j;
    }
    return -1;
}
