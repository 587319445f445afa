#include "tools/stem/PatternCheck.h"

#include <algorithm>
#include <string_view>

#include "MyLibrary/DateTimeUnit/PatternTokens.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// A piece of a section outside quotes, at its place in the pattern: a token, an escape, or a
// run of other text.
struct Piece {
    size_t start;
    size_t length;
    const PatternToken* token;  // null for an escape or text
    bool escape;
    char16_t escaped;  // what an escape stands for
};
using Section = std::vector<Piece>;

struct PatternPieces {
    std::vector<Section> sections;
    bool endsQuoted = false;  // an odd quote leaves the rest of the pattern quoted
};

// Gathers the pieces of the sections outside quotes as the pattern walk hands them over. The
// walk gives no places, but its pieces follow each other without a gap from the start of each
// section to the quote that ends it, and the text between quotes comes after that quote.
class PieceCollector {
public:
    explicit PieceCollector(std::u16string_view pattern) : pattern_(pattern) {}

    void OnSection(size_t start)
    {
        pieces_.sections.emplace_back();
        here_ = start;
        inSection_ = true;
    }

    void OnToken(const PatternToken& token) { Add({here_, token.text.size(), &token, false, 0}); }

    void OnText(std::u16string_view text)
    {
        if (!inSection_ || here_ >= pattern_.size() || pattern_[here_] == u'"') {
            inSection_ = false;
            return;
        }
        char16_t escaped = 0;
        if (EscapeAt(pattern_, here_, escaped))
            Add({here_, 2, nullptr, true, escaped});
        else
            Add({here_, text.size(), nullptr, false, 0});
    }

    PatternPieces Walk()
    {
        pieces_.endsQuoted = WalkPattern(pattern_, *this);
        return pieces_;
    }

private:
    void Add(const Piece& piece)
    {
        pieces_.sections.back().push_back(piece);
        here_ += piece.length;
    }

    const std::u16string_view pattern_;
    PatternPieces pieces_;
    size_t here_ = 0;
    bool inSection_ = false;
};

PatternPieces PiecesOf(std::u16string_view pattern)
{
    return PieceCollector(pattern).Walk();
}

std::u16string_view TextOf(std::u16string_view pattern, const Piece& piece)
{
    return pattern.substr(piece.start, piece.length);
}

bool IsText(const Piece& piece)
{
    return piece.token == nullptr && !piece.escape;
}

bool HasKind(const Piece& piece, TokenKind kind)
{
    return piece.token != nullptr && piece.token->kind == kind;
}

// The token of the kind and width; null when the language has none.
const PatternToken* TokenOf(TokenKind kind, bool fullWidth)
{
    for (const PatternToken& token : TokenTable)
        if (token.kind == kind && token.fullWidth == fullWidth)
            return &token;
    return nullptr;
}

Utf8String Held(std::u16string_view text)
{
    return WideToUtf8(WideString(text));
}

// The pattern with the pieces' texts replaced, each by the text that goes with it.
WideString Replaced(std::u16string_view pattern,
                    std::vector<std::pair<Piece, std::u16string_view>> replacements)
{
    std::sort(replacements.begin(), replacements.end(),
              [](const auto& a, const auto& b) { return a.first.start > b.first.start; });
    WideString text(pattern);
    for (const auto& [piece, replacement] : replacements)
        text.replace(piece.start, piece.length, replacement);
    return text;
}

// ---- mm for minutes: the month token between an hour and a colon, or a colon and seconds ----

bool IsColon(std::u16string_view pattern, const Piece& piece)
{
    return IsText(piece) && (TextOf(pattern, piece) == u":" || TextOf(pattern, piece) == u"：");
}

bool IsHour(const Piece& piece)
{
    return HasKind(piece, TokenKind::Hour2) || HasKind(piece, TokenKind::Hour);
}

bool IsSecond(const Piece& piece)
{
    return HasKind(piece, TokenKind::Second2) || HasKind(piece, TokenKind::Second);
}

bool IsMonthNumber(const Piece& piece)
{
    return HasKind(piece, TokenKind::Month2) || HasKind(piece, TokenKind::Month);
}

// The minute token a month number next to an hour or seconds stands in for: mm for nn.
const PatternToken& MinuteFor(const PatternToken& month)
{
    const TokenKind kind = month.kind == TokenKind::Month2 ? TokenKind::Minute2 : TokenKind::Minute;
    return *TokenOf(kind, month.fullWidth);
}

void CheckMinutes(const Utf8String& key, std::u16string_view pattern, const PatternPieces& pieces,
                  std::vector<PatternFinding>& findings)
{
    std::vector<std::pair<Piece, std::u16string_view>> fixes;
    std::u16string_view seen;  // the first hour, colon and month found, or colon and seconds
    for (const Section& section : pieces.sections) {
        for (size_t i = 0; i < section.size(); ++i) {
            if (!IsMonthNumber(section[i]))
                continue;
            const bool afterHour =
                i >= 2 && IsColon(pattern, section[i - 1]) && IsHour(section[i - 2]);
            const bool beforeSeconds = i + 2 < section.size() && IsColon(pattern, section[i + 1]) &&
                                       IsSecond(section[i + 2]);
            if (!afterHour && !beforeSeconds)
                continue;
            if (fixes.empty()) {
                const size_t from = afterHour ? section[i - 2].start : section[i].start;
                const Piece& last = afterHour ? section[i] : section[i + 2];
                seen = pattern.substr(from, last.start + last.length - from);
            }
            fixes.push_back({section[i], MinuteFor(*section[i].token).text});
        }
    }
    if (fixes.empty())
        return;
    const PatternToken& month = *fixes[0].first.token;
    findings.push_back({&rule::MonthForMinutes, "in the pattern of " + key + ", " +
                                                    Held(month.text) + " (in " + Held(seen) +
                                                    ") is the month; minutes are " +
                                                    Held(MinuteFor(month).text) + ": write " +
                                                    Held(Replaced(pattern, fixes))});
}

// ---- Other programs' letters: date-format letters of other conventions, copied as text ----

struct ForeignLetters {
    std::u16string_view text;
    const char* write;  // the tokens that say it here
};

// Letters of one kind in a row, as spreadsheets and programming languages write formats, and the
// C library's "%" conversions.
constexpr ForeignLetters OtherLetters[] = {
    {u"YYYY", "yyyy"},
    {u"YY", "yy"},
    {u"DD", "dd"},
    {u"HH", "hh"},
    {u"MM", "mm for the month, nn for minutes"},
    {u"SS", "ss"},
    {u"tt", "AM/PM"},
    {u"%Y", "yyyy"},
    {u"%y", "yy"},
    {u"%m", "mm"},
    {u"%d", "dd"},
    {u"%e", "d"},
    {u"%H", "hh"},
    {u"%I", "hh and AM/PM"},
    {u"%M", "nn"},
    {u"%S", "ss"},
    {u"%p", "AM/PM"},
    {u"%a", "a"},
    {u"%A", "aa"},
    {u"%b", "mmm"},
    {u"%B", "mmmm"},
};

const ForeignLetters* OtherLettersOf(std::u16string_view text)
{
    for (const ForeignLetters& letters : OtherLetters)
        if (letters.text == text)
            return &letters;
    return nullptr;
}

bool IsAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The other programs' letters a word of ASCII letters is made of; none when any run of one
// letter in it is not theirs (a word such as "CLASS" or "Little" is text).
std::vector<const ForeignLetters*> LettersOfWord(std::u16string_view word)
{
    std::vector<const ForeignLetters*> found;
    for (size_t start = 0, end = 0; start < word.size(); start = end) {
        end = word.find_first_not_of(word[start], start);
        end = end == std::u16string_view::npos ? word.size() : end;
        const ForeignLetters* letters = OtherLettersOf(word.substr(start, end - start));
        if (letters == nullptr)
            return {};
        found.push_back(letters);
    }
    return found;
}

// The other programs' letters in a run of text, in order: words made of them, and "%" with the
// letter after it (which may be a token: "%d").
void FindOtherLetters(std::u16string_view pattern, const Piece& piece,
                      std::vector<const ForeignLetters*>& found)
{
    const size_t end = piece.start + piece.length;
    for (size_t i = piece.start; i < end;) {
        if (pattern[i] == u'%') {
            if (const ForeignLetters* letters = OtherLettersOf(pattern.substr(i, 2)))
                found.push_back(letters);
            ++i;
            continue;
        }
        if (!IsAsciiLetter(pattern[i])) {
            ++i;
            continue;
        }
        const size_t wordStart = i;
        while (i < end && IsAsciiLetter(pattern[i]))
            ++i;
        const bool afterPercent = wordStart > 0 && pattern[wordStart - 1] == u'%';
        for (const ForeignLetters* letters :
             LettersOfWord(pattern.substr(wordStart, i - wordStart)))
            if (!afterPercent)
                found.push_back(letters);
    }
}

void CheckOtherLetters(const Utf8String& key, std::u16string_view pattern,
                       const PatternPieces& pieces, std::vector<PatternFinding>& findings)
{
    std::vector<const ForeignLetters*> found;
    for (const Section& section : pieces.sections)
        for (const Piece& piece : section)
            if (IsText(piece))
                FindOtherLetters(pattern, piece, found);
    if (found.empty())
        return;
    Utf8String named;
    for (const ForeignLetters* letters : found) {
        const Utf8String item = Held(letters->text) + " (write " + letters->write + ")";
        if (named.find(item) == Utf8String::npos)
            named += (named.empty() ? "" : ", ") + item;
    }
    findings.push_back({&rule::OtherProgramsLetters,
                        "the pattern of " + key +
                            " holds letters of other programs' date formats, which are no tokens "
                            "here and come out as they stand: " +
                            named});
}

// ---- Full-width letters: typed with the input method in full-width mode ----

bool IsFullWidthAscii(char16_t c)
{
    return c >= u'！' && c <= u'～';
}

// The pattern with its full-width ASCII characters in half width, all but the double quote and
// the backslash, so that its quotes and escapes stay where they are.
WideString HalfWidthLetters(std::u16string_view pattern)
{
    WideString text(pattern);
    for (char16_t& c : text)
        if (IsFullWidthAscii(c) && c != u'＂' && c != u'＼')
            c = static_cast<char16_t>(c - (u'！' - u'!'));
    return text;
}

bool AllFullWidth(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), IsFullWidthAscii);
}

bool HasToken(const Section& section, const Piece& wanted)
{
    return std::any_of(section.begin(), section.end(), [&](const Piece& piece) {
        return piece.start == wanted.start && piece.length == wanted.length &&
               piece.token != nullptr && piece.token->kind == wanted.token->kind;
    });
}

Utf8String FullWidthTokens()
{
    Utf8String tokens;
    for (const PatternToken& token : TokenTable)
        if (token.fullWidth)
            tokens += (tokens.empty() ? "" : " ") + Held(token.text);
    return tokens;
}

// Full-width text that would be a token in half width and is none as typed (ａａａａ, ａｍ／ｐｍ):
// the tokens of the half-width pattern that stand on full-width characters alone, and that the
// pattern as typed does not have in the same place.
void CheckFullWidth(const Utf8String& key, std::u16string_view pattern, const PatternPieces& pieces,
                    std::vector<PatternFinding>& findings)
{
    if (std::none_of(pattern.begin(), pattern.end(), IsFullWidthAscii))
        return;
    const WideString halfWidth = HalfWidthLetters(pattern);
    const PatternPieces meant = PiecesOf(halfWidth);
    Utf8String named;
    for (size_t s = 0; s < meant.sections.size() && s < pieces.sections.size(); ++s) {
        for (const Piece& piece : meant.sections[s]) {
            const std::u16string_view typed = TextOf(pattern, piece);
            if (piece.token == nullptr || !AllFullWidth(typed) ||
                HasToken(pieces.sections[s], piece))
                continue;
            const PatternToken* twin = TokenOf(piece.token->kind, true);
            named += (named.empty() ? "" : ", ") + Held(typed) + " (write " +
                     Held(twin != nullptr ? twin->text : piece.token->text) + ")";
        }
    }
    if (named.empty())
        return;
    findings.push_back({&rule::FullWidthLetters,
                        "the pattern of " + key +
                            " holds full-width letters that are a token only in half width: " +
                            named + "; the full-width tokens are " + FullWidthTokens()});
}

// ---- \0: the escape of a NUL character, where the editor's text ends ----

void CheckNul(const Utf8String& key, const PatternPieces& pieces,
              std::vector<PatternFinding>& findings)
{
    for (const Section& section : pieces.sections)
        for (const Piece& piece : section)
            if (piece.escape && piece.escaped == u'\0') {
                findings.push_back({&rule::NulInPattern,
                                    "the pattern of " + key +
                                        " holds \\0, a NUL character, where the text a press "
                                        "inserts ends: what follows it never appears; take the "
                                        "\\0 out"});
                return;
            }
}

// ---- Unpaired double quotes: after an unpaired one, the rest is literal ----

void CheckQuotes(const Utf8String& key, std::u16string_view pattern, const PatternPieces& pieces,
                 std::vector<PatternFinding>& findings)
{
    if (!pieces.endsQuoted)
        return;
    const std::u16string_view rest = pattern.substr(pattern.rfind(u'"') + 1);
    if (rest.empty())
        findings.push_back({&rule::UnpairedQuotes,
                            "the pattern of " + key +
                                " ends with a double quote that has no partner; it is dropped"});
    else
        findings.push_back({&rule::UnpairedQuotes,
                            "the pattern of " + key +
                                " has an odd number of double quotes: the text after the last one "
                                "is copied as written, its tokens and escapes not replaced: \"" +
                                Held(rest) + "\""});
}

}  // namespace

std::vector<PatternFinding> CheckPattern(const Utf8String& key, const WideString& pattern)
{
    const PatternPieces pieces = PiecesOf(pattern);
    std::vector<PatternFinding> findings;
    CheckQuotes(key, pattern, pieces, findings);
    CheckMinutes(key, pattern, pieces, findings);
    CheckOtherLetters(key, pattern, pieces, findings);
    CheckFullWidth(key, pattern, pieces, findings);
    CheckNul(key, pieces, findings);
    return findings;
}

}  // namespace stem
