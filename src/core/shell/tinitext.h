#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// One key and its value of a settings section, as stored.
using TIniEntry = std::pair<QString, QString>;

// The text of a settings file of the classic sectioned kind, held line by line: a line
// "[Name]" opens a section, a line "Key=Value" is an entry of the section above it, every other
// line (blank lines, comment lines starting with ";", lines before the first section) is kept as
// it is and ignored.
//
// Names of sections and keys are compared without regard to letter case, and blanks around
// names and values are not part of them, nor is one pair of matching quotation marks (' or ")
// around a whole value. Sections of the same name count as one section whose
// entries follow each other in file order, and the first entry of a key wins. Lines that are
// not changed are written back exactly as they were read, so a hand-written file keeps its
// comments, spacing and letter case.
class TIniText {
public:
    // Lines end with CR LF, a lone CR or a lone LF. The bytes are read as UTF-16 when they start
    // with its byte-order mark, otherwise as UTF-8, or in the Windows code page of Western
    // Europe (1252) when they are not valid UTF-8; a leading byte-order mark is dropped.
    static TIniText Parse(const QByteArray& bytes);
    // Every line followed by CR LF, in UTF-8.
    QByteArray ToBytes() const;

    bool IsEmpty() const { return Lines.empty(); }
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // The value of the first entry of the key in the section; no value when there is none.
    std::optional<QString> Value(const QString& section, const QString& key) const;
    QString Value(const QString& section, const QString& key, const QString& fallback) const;
    // A decimal integer (or hexadecimal with "0x" or "$"); the fallback when the key is missing
    // or its value is not a 32-bit integer.
    qint32 IntegerValue(const QString& section, const QString& key, qint32 fallback) const;
    // Stored as an integer: true when it is not 0; the fallback when missing or not an integer.
    bool BoolValue(const QString& section, const QString& key, bool fallback) const;
    // The section's entries in file order (keys as stored, duplicates included).
    QList<TIniEntry> Entries(const QString& section) const;
    // The names of the sections in file order, each name once.
    QStringList SectionNames() const;

    // Replaces the value of the key's first entry, keeping the key's stored spelling; a new key
    // goes after the last entry of its section, a new section at the end of the text. Line
    // breaks in names and values are replaced by spaces, so that a value can never add lines of
    // its own.
    void SetValue(const QString& section, const QString& key, const QString& value);
    void SetInteger(const QString& section, const QString& key, qint32 value);
    // Written as 1 or 0.
    void SetBool(const QString& section, const QString& key, bool value);
    // Removes every entry of the key from the section.
    void DeleteKey(const QString& section, const QString& key);
    // Removes every section of that name with all its lines.
    void EraseSection(const QString& section);
    // Erases the section and writes it anew, at the end of the text, with the given entries.
    void ReplaceSection(const QString& section, const QList<TIniEntry>& entries);

    // The integer rule of IntegerValue, for texts read elsewhere.
    static std::optional<qint32> ParseInteger(QStringView text);

private:
    enum class TLineKind { Other, Section, Entry };
    struct TLine {
        TLineKind Kind = TLineKind::Other;
        QString Text;  // the whole line as read or written
        QString Name;  // section name or key, without surrounding blanks
        QString Value; // an entry's value, without surrounding blanks
    };

    static TLine ParseLine(const QString& text);
    static TLine MakeSection(const QString& name);
    static TLine MakeEntry(const QString& key, const QString& value);
    static QString Clean(const QString& text);
    // Index of the first entry of the key in the section; -1 when absent.
    qsizetype FindEntry(const QString& section, const QString& key) const;
    // Calls visit(index) for every entry line of the section, in order, until it returns false.
    template <typename TVisit> void VisitEntries(const QString& section, TVisit visit) const;
    void AppendSection(const QString& section, const QList<TIniEntry>& entries);

    std::vector<TLine> Lines;
};
