#include "trtfpicturereader.h"

#include "tdocumentunits.h"

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsMetafile(const QByteArray& kind) {
    return kind == "wmetafile" || kind == "emfblip" || kind == "pmmetafile" || kind == "macpict";
}

} // namespace

void TRtfPictureReader::Begin() { *this = TRtfPictureReader(); }

void TRtfPictureReader::Word(TRtfWord word, QByteArrayView name, int p, bool has) {
    switch (word) {
    case TRtfWord::PictureFormat:
        Source.Kind = name.toByteArray();
        Source.KindParameter = has ? Clamp(p, 0, 1 << 20) : -1;
        break;
    case TRtfWord::PictureWidth:
        Source.Width = Clamp(p, 0, 1 << 24);
        break;
    case TRtfWord::PictureHeight:
        Source.Height = Clamp(p, 0, 1 << 24);
        break;
    case TRtfWord::PictureGoalWidth:
        GoalWidth = Clamp(p, 0, 1 << 22);
        break;
    case TRtfWord::PictureGoalHeight:
        GoalHeight = Clamp(p, 0, 1 << 22);
        break;
    case TRtfWord::PictureScaleX:
        ScaleX = has && p > 0 ? Clamp(p, 1, 10000) : 100;
        break;
    case TRtfWord::PictureScaleY:
        ScaleY = has && p > 0 ? Clamp(p, 1, 10000) : 100;
        break;
    default:
        break;
    }
}

void TRtfPictureReader::Hex(QByteArrayView text) {
    if (OverLimit)
        return;
    for (char c : text) {
        const int v = HexValue(c);
        if (v < 0)
            continue;
        if (Nibble < 0) {
            Nibble = v;
            continue;
        }
        if (Source.Data.size() >= MaxData) {
            OverLimit = true;
            return;
        }
        Source.Data.append(char(Nibble * 16 + v));
        Nibble = -1;
    }
}

void TRtfPictureReader::Binary(QByteArrayView data) {
    if (OverLimit)
        return;
    if (Source.Data.size() + data.size() > MaxData) {
        OverLimit = true;
        return;
    }
    Source.Data.append(data);
}

bool TRtfPictureReader::Finish(TPictureSource& source, QSizeF& size, QSizeF& scale) const {
    if (OverLimit)
        return false;
    source = Source;
    scale = QSizeF(ScaleX / 100.0, ScaleY / 100.0);
    // The size in twips: the goal size, else the picture's own: metafiles in hundredths of a
    // millimetre, other pictures in pixels of 96 to the inch.
    auto twips = [&](int goal, int own) -> qint64 {
        if (goal > 0)
            return goal;
        if (IsMetafile(Source.Kind))
            return qint64(own) * 1440 / 2540;
        return qint64(own) * 15;
    };
    const qint64 w = twips(GoalWidth, Source.Width) * ScaleX / 100;
    const qint64 h = twips(GoalHeight, Source.Height) * ScaleY / 100;
    if (w <= 0 || h <= 0) {
        size = QSizeF();
        return true;
    }
    constexpr qint64 limit = 31680 * 4;
    size = QSizeF(TDocumentUnits::TwipsToPixels(int(qMin(w, limit))),
                  TDocumentUnits::TwipsToPixels(int(qMin(h, limit))));
    return true;
}
