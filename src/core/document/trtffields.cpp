#include "trtffields.h"

#include "trtfcodepage.h"

#include <QStringList>

namespace {

// The arguments of a field instruction: words and quoted texts, in which a backslash takes the
// next character as it is; a switch (\l) is an argument of its own. Quoted says which were
// quoted (and so no switch).
QStringList Arguments(QStringView text, QList<bool>& quoted) {
    QStringList arguments;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        QString argument;
        quoted.append(text[i] == u'"');
        if (text[i] == u'"') {
            ++i;
            while (i < n && text[i] != u'"') {
                if (text[i] == u'\\' && i + 1 < n)
                    ++i;
                argument.append(text[i++]);
            }
            ++i;
        } else {
            while (i < n && !text[i].isSpace()) {
                if (text[i] == u'\\' && i + 1 < n && (text[i + 1] == u'\\' || text[i + 1] == u'"'))
                    ++i;
                argument.append(text[i++]);
            }
        }
        arguments.append(argument);
    }
    return arguments;
}

} // namespace

QString TRtfFields::LinkOfInstruction(QStringView instruction) {
    QList<bool> quoted;
    const QStringList arguments = Arguments(instruction.left(MaxInstructionLength), quoted);
    if (arguments.isEmpty() || arguments.first().compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return QString();
    QString address;
    QString place;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (!quoted.at(i) && a.size() == 2 && a.startsWith(QLatin1Char('\\'))) {
            // \l names a place in the document; \o and \t take an argument that is no
            // address.
            const QChar option = a.at(1).toLower();
            if (option == u'l' || option == u'o' || option == u't') {
                if (option == u'l' && i + 1 < arguments.size())
                    place = arguments.at(i + 1);
                ++i;
            }
            continue;
        }
        if (address.isEmpty())
            address = a;
    }
    if (!place.isEmpty())
        address += QLatin1Char('#') + place;
    // Control characters cannot stand in an address (nor be written in one).
    address.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return address;
}

QByteArray TRtfFields::InstructionOfLink(const QString& address) {
    QString target = address;
    QString place;
    if (address.startsWith(QLatin1Char('#'))) {
        target.clear();
        place = address.mid(1);
    }
    auto quoted = [](const QString& text) {
        QByteArray out("\"");
        for (QChar ch : text) {
            const char16_t c = ch.unicode();
            // A field argument doubles its backslashes and escapes its quotes; the rich text
            // doubles the backslashes again.
            if (c == u'\\')
                out.append("\\\\\\\\");
            else if (c == u'"')
                out.append("\\\\\"");
            else if (c == u'{' || c == u'}')
                out.append('\\').append(char(c));
            else if (c >= 0x20 && c < 0x7F)
                out.append(char(c));
            else if (c >= 0x20)
                out.append("\\u" + QByteArray::number(int(qint16(c))) + '?');
        }
        return out + '"';
    };
    QByteArray instruction("HYPERLINK ");
    if (!target.isEmpty())
        instruction += quoted(target);
    if (!place.isEmpty())
        instruction += (target.isEmpty() ? "" : " ") + QByteArray("\\\\l ") + quoted(place);
    return instruction;
}

void TRtfFields::InstructionBytes(QByteArrayView bytes) {
    const qsizetype room = MaxInstructionLength - Bytes.size() - Text.size();
    if (room > 0)
        Bytes.append(bytes.first(qMin<qsizetype>(bytes.size(), room)));
}

void TRtfFields::InstructionUnit(TRtfCodePage& codePages, int codePage, int unit) {
    codePages.Decode(codePage, Bytes, Text);
    Bytes.clear();
    if (Text.size() < MaxInstructionLength)
        Text.append(QChar(char16_t(unit)));
}

int TRtfFields::EndInstruction(TRtfCodePage& codePages, int codePage) {
    codePages.Decode(codePage, Bytes, Text);
    Bytes.clear();
    const QString address = LinkOfInstruction(Text);
    Text.clear();
    if (address.isEmpty())
        return 0;
    auto it = LinkIndexes.constFind(address);
    if (it == LinkIndexes.constEnd()) {
        Links.append(address);
        it = LinkIndexes.insert(address, int(Links.size()));
    }
    return *it;
}
