#include "documents/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/codepage.h"
#include "documents/letter_patch.h"
#include "documents/rtf_codepages.h"

namespace umlo {

namespace {

enum class Dest : std::uint8_t {
    Normal,
    Skip,       // an ignored destination: only \bin data needs care
    FontTable,  // collects the fonts' character sets
    ColorTable, // collects the colours
    Upr,        // the ANSI half of \upr, skipped in favour of its \ud half
};

struct Group {
    Dest dest = Dest::Normal;
    bool bold = false;
    std::uint8_t uc = 1; // fallback characters after \uN
    int halfPoints = 0;  // 0: the editor's default size
    int textColor = 0;   // colour table indexes
    int highlight = 0;
    int shading = 0;
    int font = -1; // -1: the default font
};

struct Font {
    int charset = 1;
    int codePage = 0;
};

// Deeper groups than this share the state of the deepest one: the stack stays
// bounded whatever the input.
constexpr std::size_t kMaxDepth = 1 << 20;
// Control words are at most 32 letters; longer ones are unknown anyway.
constexpr std::size_t kMaxWord = 32;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSkippedDestination(std::string_view w) {
    static constexpr std::array<std::string_view, 50> kWords = {"stylesheet",
                                                                "info",
                                                                "pict",
                                                                "object",
                                                                "objdata",
                                                                "fldinst",
                                                                "header",
                                                                "headerl",
                                                                "headerr",
                                                                "headerf",
                                                                "footer",
                                                                "footerl",
                                                                "footerr",
                                                                "footerf",
                                                                "footnote",
                                                                "xe",
                                                                "tc",
                                                                "txe",
                                                                "rxe",
                                                                "listtable",
                                                                "listoverridetable",
                                                                "revtbl",
                                                                "rsidtbl",
                                                                "generator",
                                                                "themedata",
                                                                "colorschememapping",
                                                                "latentstyles",
                                                                "datastore",
                                                                "xmlnsdecl",
                                                                "pgdsctbl",
                                                                "shp",
                                                                "shpinst",
                                                                "nonshppict",
                                                                "do",
                                                                "atnid",
                                                                "atnauthor",
                                                                "annotation",
                                                                "bkmkstart",
                                                                "bkmkend",
                                                                "template",
                                                                "filetbl",
                                                                "private",
                                                                "pntxta",
                                                                "pntxtb",
                                                                "userprops",
                                                                "docvar",
                                                                "nesttableprops",
                                                                "listpicture",
                                                                "fchars",
                                                                "lchars"};
    return std::find(kWords.begin(), kWords.end(), w) != kWords.end();
}

class Reader {
public:
    // Outside the document's group nothing is text (a signature, blanks).
    Reader(std::string_view data, RtfLayout* layout) : data_(data), layout_(layout) {
        stack_.push_back(Group{Dest::Skip});
    }

    RichText Run() {
        while (pos_ < data_.size() && !finished_) {
            tokenStart_ = pos_;
            const char c = data_[pos_++];
            switch (c) {
            case '{':
                OpenGroup();
                break;
            case '}':
                CloseGroup();
                break;
            case '\\':
                Control();
                break;
            case '\r':
            case '\n':
            case '\0':
                break;
            default:
                Character(static_cast<unsigned char>(c));
                break;
            }
        }
        if (layout_ != nullptr) {
            layout_->colors = colors_;
            if (layout_->colorTablePlace == RtfLayout::npos) {
                layout_->colorTablePlace = headerEnd_;
            }
        }
        // The document's last paragraph mark ends the text; it is no line of its own.
        if (!out_.text.empty() && out_.text.back() == u'\r') {
            out_.text.pop_back();
            if (!out_.runs.empty() &&
                out_.runs.back().start >= static_cast<int>(out_.text.size())) {
                out_.runs.pop_back();
            }
        }
        return std::move(out_);
    }

private:
    Group& Top() { return stack_.back(); }

    void OpenGroup() {
        skip_ = 0;
        pendingIgnorable_ = false;
        if (stack_.size() >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.size() == 1 ? Group{} : Top());
    }

    void CloseGroup() {
        skip_ = 0;
        pendingIgnorable_ = false;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.size() <= 1) {
            return; // an unbalanced brace: nothing to close
        }
        const Dest closed = stack_.back().dest;
        stack_.pop_back();
        if (stack_.size() == 1) {
            finished_ = true; // the document's group is closed; the rest is not RTF
        }
        if (layout_ != nullptr && stack_.size() == 2) {
            // pos_ is past the brace: a colour table goes before it, or after
            // the font table when the file has none.
            if (closed == Dest::ColorTable && layout_->colorTableEnd == RtfLayout::npos) {
                layout_->colorTableEnd = pos_ - 1;
            } else if (closed == Dest::FontTable) {
                layout_->colorTablePlace = pos_;
            }
        }
    }

    void Character(unsigned char c) {
        // "\*" marks the control word right after it; text in between ends
        // the mark, as any group or symbol does (a patch's mark group must
        // not change what follows).
        pendingIgnorable_ = false;
        if (skip_ > 0) {
            --skip_;
            NoteFallback(tokenStart_, pos_);
            return;
        }
        switch (Top().dest) {
        case Dest::ColorTable:
            if (c == ';') {
                colors_.push_back(hasColor_ ? std::optional<Color>(pendingColor_) : std::nullopt);
                pendingColor_ = 0;
                hasColor_ = false;
            }
            return;
        case Dest::Normal:
            if (c == '\t') {
                Emit(u'\t');
            } else if (c >= 0x20) {
                EmitLetter(CodePageToUtf16(c, CurrentCodePage()), RtfLetter::Form::Literal,
                           tokenStart_, pos_);
            }
            return;
        default:
            return;
        }
    }

    void Control() {
        if (pos_ >= data_.size()) {
            return;
        }
        const char c = data_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            Symbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < data_.size() && IsLetter(data_[pos_])) {
            ++pos_;
        }
        const std::string_view word = data_.substr(start, pos_ - start);
        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (pos_ < data_.size() && data_[pos_] == '-' && pos_ + 1 < data_.size() &&
            IsDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        paramStart_ = pos_;
        while (pos_ < data_.size() && IsDigit(data_[pos_])) {
            hasParam = true;
            param = std::min<std::int64_t>(param * 10 + (data_[pos_] - '0'), INT32_MAX);
            ++pos_;
        }
        paramEnd_ = pos_;
        if (pos_ < data_.size() && data_[pos_] == ' ') {
            ++pos_;
        }
        const int value = static_cast<int>(negative ? -param : param);
        if (word.size() > kMaxWord) {
            pendingIgnorable_ = false;
            return;
        }
        Word(word, hasParam, value);
    }

    void Symbol(char c) {
        if (c == '*') {
            pendingIgnorable_ = true;
            return;
        }
        pendingIgnorable_ = false;
        if (c == '\'') {
            int byte = -1;
            if (pos_ + 1 < data_.size()) {
                const int h = HexDigitValue(data_[pos_]);
                const int l = HexDigitValue(data_[pos_ + 1]);
                if (h >= 0 && l >= 0) {
                    byte = h * 16 + l;
                    pos_ += 2;
                }
            }
            if (byte < 0) {
                return;
            }
            if (skip_ > 0) {
                --skip_;
                NoteFallback(tokenStart_, pos_);
                return;
            }
            if (Top().dest == Dest::Normal) {
                EmitLetter(CodePageToUtf16(static_cast<unsigned char>(byte), CurrentCodePage()),
                           RtfLetter::Form::Hex, tokenStart_, pos_);
            }
            return;
        }
        if (skip_ > 0) {
            // A control symbol stands for one fallback character too; a patch
            // must keep it with its \uN.
            --skip_;
            NoteFallback(tokenStart_, pos_);
            return;
        }
        if (Top().dest != Dest::Normal) {
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Emit(static_cast<char16_t>(c));
            break;
        case '~':
            Emit(0x00A0);
            break;
        case '_':
            Emit(0x2011);
            break;
        case '\r':
        case '\n':
            Emit(u'\r');
            break;
        default:
            break; // \- (an optional hyphen shows only at a line end), \| \: and the rest
        }
    }

    void Word(std::string_view w, bool hasParam, int value) {
        Group& g = Top();
        if (w == "bin") {
            // Binary data follows; its length is trusted no further than the input.
            const auto n = static_cast<std::size_t>(std::max(value, 0));
            pos_ += std::min(n, data_.size() - pos_);
            pendingIgnorable_ = false;
            return;
        }
        const bool ignorable = pendingIgnorable_;
        pendingIgnorable_ = false;
        if (ignorable) {
            const bool unicodeHalf =
                w == "ud" && stack_.size() >= 2 && stack_[stack_.size() - 2].dest == Dest::Upr;
            g.dest = unicodeHalf ? Dest::Normal : Dest::Skip;
            return;
        }
        if (g.dest == Dest::Skip || g.dest == Dest::Upr) {
            return;
        }
        if (g.dest == Dest::FontTable) {
            FontTableWord(w, value);
            return;
        }
        if (g.dest == Dest::ColorTable) {
            ColorTableWord(w, value);
            return;
        }
        if (skip_ > 0) {
            --skip_;
            NoteFallback(tokenStart_, pos_);
            return;
        }
        if (w == "rtf" && stack_.size() == 2) {
            headerEnd_ = pos_;
        }
        if (w == "fonttbl") {
            g.dest = Dest::FontTable;
        } else if (w == "colortbl") {
            g.dest = Dest::ColorTable;
            colors_.clear();
        } else if (w == "upr") {
            g.dest = Dest::Upr;
        } else if (IsSkippedDestination(w)) {
            g.dest = Dest::Skip;
        } else if (w == "par" || w == "line") {
            Emit(u'\r');
        } else if (w == "sect" || w == "page") {
            if (!out_.text.empty() && out_.text.back() != u'\r') {
                Emit(u'\r');
            }
        } else if (w == "tab") {
            Emit(u'\t');
        } else if (w == "cell" || w == "nestcell") {
            Emit(u'\t');
            cellTabEnd_ = out_.text.size();
        } else if (w == "row" || w == "nestrow") {
            if (cellTabEnd_ == out_.text.size() && cellTabEnd_ > 0) {
                out_.text.back() = u'\r'; // the row's last cell ends the line
            } else {
                Emit(u'\r');
            }
        } else if (w == "u" && hasParam) {
            int unit = value;
            if (unit < 0) {
                unit += 65536;
            }
            EmitLetter(unit >= 0 && unit <= 0xFFFF ? static_cast<char16_t>(unit) : u'?',
                       RtfLetter::Form::Unicode, paramStart_, paramEnd_);
            skip_ = g.uc;
            awaitingFallback_ = awaitingFallback_ && g.uc > 0;
        } else if (w == "uc") {
            g.uc = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
        } else if (w == "b") {
            g.bold = !hasParam || value != 0;
        } else if (w == "fs") {
            g.halfPoints = hasParam ? std::clamp(value, 0, 3276) : 24;
        } else if (w == "cf") {
            g.textColor = value;
        } else if (w == "highlight") {
            g.highlight = value;
        } else if (w == "cb" || w == "chcbpat") {
            g.shading = value;
        } else if (w == "plain") {
            g.bold = false;
            g.halfPoints = 0;
            g.textColor = 0;
            g.highlight = 0;
            g.shading = 0;
            g.font = -1;
        } else if (w == "f") {
            g.font = value;
        } else if (w == "deff") {
            defaultFont_ = value;
        } else if (w == "ansicpg") {
            documentCodePage_ = value;
        } else if (w == "ansi") {
            documentCodePage_ = 1252;
        } else if (w == "mac") {
            documentCodePage_ = 10000;
        } else if (w == "pc") {
            documentCodePage_ = 437;
        } else if (w == "pca") {
            documentCodePage_ = 850;
        } else if (w == "emdash") {
            Emit(0x2014);
        } else if (w == "endash") {
            Emit(0x2013);
        } else if (w == "lquote") {
            Emit(0x2018);
        } else if (w == "rquote") {
            Emit(0x2019);
        } else if (w == "ldblquote") {
            Emit(0x201C);
        } else if (w == "rdblquote") {
            Emit(0x201D);
        } else if (w == "bullet") {
            Emit(0x2022);
        } else if (w == "emspace") {
            Emit(0x2003);
        } else if (w == "enspace") {
            Emit(0x2002);
        } else if (w == "qmspace") {
            Emit(0x2005);
        }
        // Every other word (paragraph layout, languages, ...) changes nothing we keep.
    }

    void FontTableWord(std::string_view w, int value) {
        if (w == "f") {
            tableFont_ = value;
        } else if (w == "fcharset") {
            fonts_[tableFont_].charset = value;
        } else if (w == "cpg") {
            fonts_[tableFont_].codePage = value;
        }
    }

    void ColorTableWord(std::string_view w, int value) {
        const auto component = static_cast<Color>(std::clamp(value, 0, 255));
        if (w == "red") {
            pendingColor_ = (pendingColor_ & 0xFFFF00) | component;
        } else if (w == "green") {
            pendingColor_ = (pendingColor_ & 0xFF00FF) | (component << 8);
        } else if (w == "blue") {
            pendingColor_ = (pendingColor_ & 0x00FFFF) | (component << 16);
        } else {
            return;
        }
        hasColor_ = true;
    }

    int CurrentCodePage() const {
        const int font = stack_.back().font >= 0 ? stack_.back().font : defaultFont_;
        if (const auto it = fonts_.find(font); it != fonts_.end()) {
            if (it->second.codePage > 0) {
                return it->second.codePage;
            }
            if (const int cp = CharsetCodePage(it->second.charset); cp != 0) {
                return cp;
            }
        }
        return documentCodePage_;
    }

    std::optional<Color> TableColor(int index) const {
        if (index < 0 || static_cast<std::size_t>(index) >= colors_.size()) {
            return std::nullopt;
        }
        return colors_[static_cast<std::size_t>(index)];
    }

    CharFormat CurrentFormat() const {
        const Group& g = stack_.back();
        CharFormat f;
        f.text = TableColor(g.textColor).value_or(kBlack);
        // Index 0 of a background means none, whatever the table holds there.
        std::optional<Color> back;
        if (g.highlight > 0) {
            back = TableColor(g.highlight);
        }
        if (!back && g.shading > 0) {
            back = TableColor(g.shading);
        }
        f.back = back.value_or(kWhite);
        f.bold = g.bold;
        f.fontSize = g.halfPoints > 0 ? (g.halfPoints + 1) / 2 : 0;
        return f;
    }

    void Emit(char16_t c) { out_.Append(c, CurrentFormat()); }

    // A character from the bytes [start, end): a changeable letter's place is noted.
    void EmitLetter(char16_t c, RtfLetter::Form form, std::size_t start, std::size_t end) {
        awaitingFallback_ = false;
        if (layout_ != nullptr && IsChangeableLetter(c)) {
            RtfLetter letter;
            letter.offset = static_cast<int>(out_.text.size());
            letter.start = start;
            letter.end = end;
            letter.wordStart = tokenStart_;
            letter.form = form;
            letter.codePage = CurrentCodePage();
            layout_->letters.push_back(letter);
            awaitingFallback_ = form == RtfLetter::Form::Unicode;
        }
        Emit(c);
    }

    // The characters skipped after the last \uN (as many as \ucN says), when
    // it stood for a letter: a patch keeps them with it.
    void NoteFallback(std::size_t start, std::size_t end) {
        if (awaitingFallback_) {
            RtfLetter& letter = layout_->letters.back();
            if (letter.fallbackEnd == letter.fallbackStart) {
                letter.fallbackStart = start;
            }
            letter.fallbackEnd = end;
        }
        awaitingFallback_ = awaitingFallback_ && skip_ > 0;
    }

    std::string_view data_;
    RtfLayout* layout_;
    std::size_t pos_ = 0;
    std::size_t tokenStart_ = 0; // where the character or control being read began
    std::size_t paramStart_ = 0; // the digits of the last control word's parameter
    std::size_t paramEnd_ = 0;
    bool awaitingFallback_ = false;
    std::vector<Group> stack_;
    std::size_t overflow_ = 0;
    bool finished_ = false;
    bool pendingIgnorable_ = false;
    int skip_ = 0; // fallback characters of the last \uN still to skip
    std::size_t cellTabEnd_ = 0;

    std::size_t headerEnd_ = 0; // after "{\rtf1"
    int documentCodePage_ = 1252;
    int defaultFont_ = 0;
    int tableFont_ = 0;
    std::unordered_map<int, Font> fonts_;
    std::vector<std::optional<Color>> colors_;
    Color pendingColor_ = 0;
    bool hasColor_ = false;

    RichText out_;
};

} // namespace

bool LooksLikeRtf(std::string_view data) {
    if (data.starts_with("\xEF\xBB\xBF")) {
        data.remove_prefix(3);
    }
    const auto first = data.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && data.substr(first).starts_with("{\\rtf");
}

bool RtfHasEmbeddedObjects(std::string_view data) {
    for (const std::string_view word : {"\\pict", "\\object", "\\shppict"}) {
        for (auto at = data.find(word); at != std::string_view::npos;
             at = data.find(word, at + 1)) {
            const std::size_t end = at + word.size();
            const bool wholeWord = end == data.size() || !((data[end] >= 'a' && data[end] <= 'z') ||
                                                           (data[end] >= 'A' && data[end] <= 'Z'));
            // A control word, not the escaped backslash "\\pict" of the text.
            const bool escaped = at > 0 && data[at - 1] == '\\';
            if (wholeWord && !escaped) {
                return true;
            }
        }
    }
    return false;
}

RichText ReadRtf(std::string_view data, RtfLayout* layout) {
    if (layout != nullptr) {
        *layout = RtfLayout();
    }
    return Reader(data, layout).Run();
}

} // namespace umlo
