#include "documents/rtf_patch.h"

#include <algorithm>
#include <map>

#include "documents/letter_patch.h"
#include "documents/rtf_codepages.h"

namespace umlo {
namespace {

constexpr char kHex[] = "0123456789abcdef";

std::string HexEscape(unsigned char byte) {
    return std::string("\\'") + kHex[byte >> 4] + kHex[byte & 15];
}

// The byte of a code page that holds a character, if it has one.
std::optional<unsigned char> CodePageByte(char16_t c, int codePage) {
    for (int b = 0x80; b < 0x100; ++b) {
        if (CodePageToUtf16(static_cast<unsigned char>(b), codePage) == c) {
            return static_cast<unsigned char>(b);
        }
    }
    return std::nullopt;
}

// The letter written where the old one stood, in the same form.
std::string LetterBytes(const RtfLetter& at, char16_t c) {
    if (at.form == RtfLetter::Form::Unicode) {
        return std::to_string(static_cast<int>(c));
    }
    if (const auto byte = CodePageByte(c, at.codePage)) {
        return at.form == RtfLetter::Form::Hex ? HexEscape(*byte)
                                               : std::string(1, static_cast<char>(*byte));
    }
    // The code page there has no such letter: Unicode, in a group of its own
    // so that its one fallback character cannot take anything of the text.
    return "{\\uc1\\u" + std::to_string(static_cast<int>(c)) + "?}";
}

// The colour table grown by the colours the marks need.
class MarkColors {
public:
    explicit MarkColors(const std::vector<std::optional<Color>>& table) : count_(table.size()) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i] && !index_.count(*table[i])) {
                index_[*table[i]] = static_cast<int>(i);
            }
        }
        // An empty or missing table gets its "auto" entry first, as usual.
        autoEntry_ = table.empty();
        firstIsColour_ = !table.empty() && table[0].has_value();
        if (autoEntry_) {
            count_ = 1;
        }
    }
    // Black is "auto" where the table has that entry first.
    int TextIndex(Color c) { return c == kBlack && (autoEntry_ || !firstIsColour_) ? 0 : Index(c); }
    int Index(Color c) {
        if (const auto it = index_.find(c); it != index_.end()) {
            return it->second;
        }
        const int index = static_cast<int>(count_ + added_.size());
        added_.push_back(c);
        index_[c] = index;
        return index;
    }
    bool Grown() const { return !added_.empty(); }
    std::string Entries() const {
        std::string out = autoEntry_ ? ";" : "";
        for (const Color c : added_) {
            out += "\\red" + std::to_string(c & 0xFF) + "\\green" +
                   std::to_string((c >> 8) & 0xFF) + "\\blue" + std::to_string((c >> 16) & 0xFF) +
                   ";";
        }
        return out;
    }

private:
    std::size_t count_;
    bool autoEntry_ = false;
    bool firstIsColour_ = false;
    std::map<Color, int> index_;
    std::vector<Color> added_;
};

// The old letter's one fallback character rewritten for the new letter, when
// it is that letter in the code page; other fallbacks stay.
std::string Fallback(std::string_view fallback, const RtfLetter& at, const LetterChange& change) {
    const auto old = CodePageByte(change.from, at.codePage);
    const auto now = CodePageByte(change.to, at.codePage);
    if (old && now) {
        if (fallback == HexEscape(*old)) {
            return HexEscape(*now);
        }
        if (fallback == std::string(1, static_cast<char>(*old))) {
            return std::string(1, static_cast<char>(*now));
        }
    }
    return std::string(fallback);
}

CharFormat FormatIn(const RichText& text, int offset) {
    const auto it = std::upper_bound(text.runs.begin(), text.runs.end(), offset,
                                     [](int at, const FormatRun& run) { return at < run.start; });
    return it == text.runs.begin() ? CharFormat{} : std::prev(it)->format;
}

} // namespace

RtfSource ReadRtfSource(std::string bytes) {
    RtfSource source;
    source.bytes = std::move(bytes);
    source.text = ReadRtf(source.bytes, &source.layout);
    RichText& rich = source.text;
    if (!rich.text.empty() && (rich.text[0] == u'\uFEFF' || rich.text[0] == u'\uFFFE')) {
        rich.text.erase(0, 1);
        for (FormatRun& run : rich.runs) {
            run.start = std::max(0, run.start - 1);
        }
        if (rich.runs.size() > 1 && rich.runs[1].start == 0) {
            rich.runs.erase(rich.runs.begin());
        }
        if (rich.text.empty()) {
            rich.runs.clear();
        }
        for (RtfLetter& letter : source.layout.letters) {
            --letter.offset;
        }
    }
    return source;
}

std::optional<std::string> PatchRtf(const RtfSource& source, const TextBuffer& buffer) {
    const auto changes = LetterOnlyChanges(source.text.text, buffer.GetAllText());
    if (!changes) {
        return std::nullopt;
    }
    const std::vector<RtfLetter>& letters = source.layout.letters;
    const std::string_view bytes = source.bytes;
    MarkColors colors(source.layout.colors);
    std::vector<ByteEdit> edits;
    for (const LetterChange& change : *changes) {
        const auto it = std::lower_bound(
            letters.begin(), letters.end(), change.offset,
            [](const RtfLetter& letter, int offset) { return letter.offset < offset; });
        if (it == letters.end() || it->offset != change.offset) {
            return std::nullopt; // a letter the file holds in no form we can rewrite
        }
        // The bytes that stand for the letter, and what stands there now.
        std::size_t from = it->start;
        std::size_t to = it->end;
        std::string token = LetterBytes(*it, change.to);
        if (it->form == RtfLetter::Form::Unicode) {
            // The control word with its delimiter and its fallback character,
            // which readers without Unicode show.
            from = it->wordStart;
            to = std::max(it->end, it->fallbackEnd);
            std::string word(bytes.substr(from, to - from));
            if (it->fallbackEnd > it->fallbackStart) {
                const std::size_t f = it->fallbackStart - from;
                word.replace(
                    f, it->fallbackEnd - it->fallbackStart,
                    Fallback(bytes.substr(it->fallbackStart, it->fallbackEnd - it->fallbackStart),
                             *it, change));
            }
            word.replace(it->start - from, it->end - it->start, token);
            token = std::move(word);
        }
        const CharFormat was = FormatIn(source.text, change.offset);
        const CharFormat is = buffer.FormatAt(change.offset);
        if (is.text != was.text || is.back != was.back) {
            // A marked letter: a group of its own with its colours.
            const std::string text = std::to_string(colors.TextIndex(is.text));
            const std::string back =
                is.back == kWhite ? "0" : std::to_string(colors.Index(is.back));
            token = "{\\cf" + text + "\\highlight" + back + "\\chcbpat" + back + " " + token + "}";
            // A space that ended \uN belongs to it: left behind the group's
            // brace it would become text.
            if (it->form == RtfLetter::Form::Unicode && to < bytes.size() && bytes[to] == ' ' &&
                to == it->end) {
                token.insert(token.size() - 1, " ");
                ++to;
            }
        }
        edits.push_back({from, to, std::move(token)});
    }
    if (colors.Grown()) {
        const RtfLayout& layout = source.layout;
        if (layout.colorTableEnd != RtfLayout::npos) {
            edits.push_back({layout.colorTableEnd, layout.colorTableEnd, colors.Entries()});
        } else if (layout.colors.empty() && layout.colorTablePlace != RtfLayout::npos &&
                   layout.colorTablePlace > 0) {
            edits.push_back({layout.colorTablePlace, layout.colorTablePlace,
                             "{\\colortbl" + colors.Entries() + "}"});
        } else {
            // Colours from a table out of its place (inside another group),
            // or no document group to put one in: a new table would change
            // what the other colours mean, so the file is written anew.
            return std::nullopt;
        }
    }
    return ApplyByteEdits(bytes, std::move(edits));
}

} // namespace umlo
