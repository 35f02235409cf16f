#pragma once

#include "trtfstate.h"
#include "trtfwords.h"

// The words of rich text that set how characters and paragraphs look (\\b, \\fs, \\qc, \\li,
// \\tx, ...), applied to the character and paragraph properties of a group.
class TRtfFormatWords {
public:
    // Applies the word; false when it is no formatting word.
    static bool Apply(TRtfWord word, int parameter, bool hasParameter, TRtfCharProps& c, TRtfParaProps& para);

    static constexpr int MaxIndent = 31680; // 22 inches in twips
    static constexpr int MaxTabs = 64;
};
