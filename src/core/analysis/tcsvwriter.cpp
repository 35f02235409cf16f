#include "tcsvwriter.h"

#include <QLocale>

namespace {
constexpr qsizetype ChunkSize = 1 << 16;

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
} // namespace

TCsvWriter::TCsvWriter(const QString& fileName) : File(fileName) { Chunk.reserve(ChunkSize + 1024); }

void TCsvWriter::Add(const QByteArray& line) {
    Chunk += line;
    if (Chunk.size() >= ChunkSize) {
        File.Write(Chunk);
        Chunk.clear();
    }
}

void TCsvWriter::Commit() {
    File.Write(Chunk);
    Chunk.clear();
    File.Commit();
}

void TCsvWriter::AppendNumber(QByteArray& line, double value) {
    line += ',';
    line += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray TCsvWriter::Field(const QString& text) {
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                        (!text.isEmpty() && (IsBlank(text.front()) || IsBlank(text.back())));
    QByteArray bytes = text.toUtf8();
    if (!quoted)
        return bytes;
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}
