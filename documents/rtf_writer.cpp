#include "documents/rtf_writer.h"

#include <algorithm>
#include <map>

#include "core/codepage.h"

namespace umlo {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// Colour table index 0 stays "auto": black text, no background.
class ColorTable {
public:
    explicit ColorTable(const RichText& text) {
        for (const FormatRun& run : text.runs) {
            Add(run.format.text, kBlack);
            Add(run.format.back, kWhite);
        }
    }
    int Index(Color color, Color automatic) const {
        return color == automatic ? 0 : indexes_.at(color);
    }
    std::string Rtf() const {
        std::string out = "{\\colortbl;";
        for (Color c : order_) {
            out += "\\red" + std::to_string(c & 0xFF) + "\\green" +
                   std::to_string((c >> 8) & 0xFF) + "\\blue" + std::to_string((c >> 16) & 0xFF) +
                   ";";
        }
        return out + "}";
    }

private:
    void Add(Color color, Color automatic) {
        if (color != automatic &&
            indexes_.emplace(color, static_cast<int>(order_.size()) + 1).second) {
            order_.push_back(color);
        }
    }
    std::map<Color, int> indexes_;
    std::vector<Color> order_;
};

// \plain and then whatever differs from it; the space ends the last word.
std::string FormatWords(const CharFormat& f, const ColorTable& colors) {
    std::string out = "\\plain";
    if (f.text != kBlack) {
        out += "\\cf" + std::to_string(colors.Index(f.text, kBlack));
    }
    if (f.back != kWhite) {
        const std::string n = std::to_string(colors.Index(f.back, kWhite));
        out += "\\highlight" + n + "\\chcbpat" + n;
    }
    if (f.bold) {
        out += "\\b";
    }
    if (f.fontSize > 0) {
        out += "\\fs" + std::to_string(f.fontSize * 2);
    }
    return out + " ";
}

void WriteChar(char16_t c, std::string& out) {
    switch (c) {
    case u'\r':
        out += "\\par\r\n";
        return;
    case u'\t':
        out += "\\tab ";
        return;
    case u'\\':
    case u'{':
    case u'}':
        out += '\\';
        out += static_cast<char>(c);
        return;
    default:
        break;
    }
    if (c >= 0x20 && c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const char byte = Utf16ToCp1251Char(c);
    if (c >= 0x80 && byte != '?') {
        const auto b = static_cast<unsigned char>(byte);
        out += "\\'";
        out += kHex[b >> 4];
        out += kHex[b & 15];
        return;
    }
    // \uN takes a signed 16-bit number; "?" is the fallback for older readers.
    const int n = c > 32767 ? static_cast<int>(c) - 65536 : static_cast<int>(c);
    out += "\\u" + std::to_string(n) + "?";
}

} // namespace

std::string WriteRtf(const RichText& text) {
    const ColorTable colors(text);
    std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1"
                      "{\\fonttbl{\\f0\\fmodern\\fcharset204 Courier New;}}";
    out += colors.Rtf();
    out += "\r\n\\pard\\plain ";
    out.reserve(out.size() + text.text.size() * 2);
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.text.size(); ++i) {
        const FormatRun* starting = nullptr;
        while (next < text.runs.size() && static_cast<std::size_t>(text.runs[next].start) <= i) {
            starting = &text.runs[next++];
        }
        if (starting != nullptr) {
            out += FormatWords(starting->format, colors);
        }
        WriteChar(text.text[i], out);
    }
    // The mark of the last paragraph; the reader does not count it as text.
    out += "\\par\r\n}\r\n";
    return out;
}

} // namespace umlo
