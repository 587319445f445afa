#include "MyLibrary/DelimitedTextUnit/DelimitedTextUnit.h"

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/Errors.h"

namespace stem {

namespace {

bool KeepsDelimiters(DelimitStyle style)
{
    return style == KeepDelimitersDropEmpty || style == KeepDelimitersKeepEmpty;
}

bool KeepsEmptyPieces(DelimitStyle style)
{
    return style == DropDelimitersKeepEmpty || style == KeepDelimitersKeepEmpty;
}

// The first delimiter in array order found at the position, or null.
const WideString* DelimiterAt(const WideString& text, int position,
                              const TWideStringDynArray& delimiters)
{
    for (const WideString& delimiter : delimiters)
        if (CodeUnitsMatchAt(delimiter, text, position))
            return &delimiter;
    return nullptr;
}

// Adds the piece from first to last (1-based, inclusive); an empty piece only when kept.
void EmitPiece(TWideStringRecordListAccess& pieces, const WideString& text, int first, int last,
               DelimitStyle style)
{
    if (last < first && !KeepsEmptyPieces(style))
        return;
    pieces.AddText(SliceByPositions(text, first, last));
}

void SplitInto(TWideStringRecordListAccess& pieces, const WideString& text,
               const TWideStringDynArray& delimiters, DelimitStyle style)
{
    const int length = static_cast<int>(text.size());
    int pieceStart = 1;
    int position = 1;
    while (position <= length) {
        const WideString* delimiter = DelimiterAt(text, position, delimiters);
        if (delimiter == nullptr) {
            ++position;
            continue;
        }
        EmitPiece(pieces, text, pieceStart, position - 1, style);
        if (KeepsDelimiters(style))
            pieces.AddText(*delimiter);
        position += static_cast<int>(delimiter->size());
        pieceStart = position;
    }
    EmitPiece(pieces, text, pieceStart, length, style);
}

}  // namespace

DelimitStyle SplitFlagsToDelimitStyle(uint8_t flags)
{
    switch (flags) {
    case 0: return DropDelimitersDropEmpty;
    case KeepDelimiters: return KeepDelimitersDropEmpty;
    case KeepEmptyPieces: return DropDelimitersKeepEmpty;
    case KeepDelimiters | KeepEmptyPieces: return KeepDelimitersKeepEmpty;
    default: break;
    }
    throw AssertionFailure(FormatAssertionMessage("Error SplitFlagsToDelimitStyle",
                                                  "DelimitedTextUnit.cpp", __LINE__));
}

TWideStringDynArray SplitDelimitedText(const WideString& text,
                                       const TWideStringDynArray& delimiters, uint8_t flags)
{
    const DelimitStyle style = SplitFlagsToDelimitStyle(flags);
    TWideStringRecordListAccess pieces;
    pieces.ClearTexts();
    SplitInto(pieces, text, delimiters, style);
    TWideStringDynArray result(static_cast<size_t>(pieces.TextCount()));
    for (int32_t i = 0; i < pieces.TextCount(); ++i)
        result[static_cast<size_t>(i)] = pieces.TextAt(i);
    return result;
}

}  // namespace stem
