#pragma once

#include "tdocumentpictures.h"
#include "trtfwords.h"

#include <QByteArray>
#include <QSizeF>

// Reads one picture group ({\pict ...}) of rich text: the word that names its format, its
// sizes (\picw, \pich, \picwgoal, \pichgoal, \picscalex, \picscaley) and its data, written in
// hexadecimal digits or as raw bytes after \binN. Data past MaxData bytes is not kept, and
// the picture is then refused.
class TRtfPictureReader {
public:
    void Begin();
    void Word(TRtfWord word, QByteArrayView name, int parameter, bool hasParameter);
    void Hex(QByteArrayView text);
    void Binary(QByteArrayView data);
    // The picture read and the size to show it at (the document's pixels; empty when the file
    // gave none, when the picture's own size times the scale stands); false when its data was
    // over the limit.
    bool Finish(TPictureSource& source, QSizeF& size, QSizeF& scale) const;

    static constexpr qint64 MaxData = qint64(64) << 20;

private:
    TPictureSource Source;
    int GoalWidth = 0;
    int GoalHeight = 0;
    int ScaleX = 100;
    int ScaleY = 100;
    int Nibble = -1;
    bool OverLimit = false;
};
