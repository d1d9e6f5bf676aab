#include "documents/xml_text_extract.h"

#include <algorithm>
#include <cstdint>

#include "documents/letter_patch.h"

namespace umlo {
namespace {

bool Listed(const std::vector<std::string_view>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

struct Line {
    std::u16string text;
    std::vector<PartLetter> letters; // offsets within the line
};

// The lines of a paragraph that is still open, and those of the paragraphs
// inside it, which follow it.
struct Frame {
    std::vector<Line> done;
    Line current;
    std::vector<Line> inner;
};

enum Kind : std::uint8_t { kPlain = 0, kText = 1, kParagraph = 2, kBlock = 4 };

class Collector : public XmlSink {
public:
    Collector(const TextRules& rules, int part) : rules_(rules), part_(part) {
        frames_.emplace_back();
    }

    void StartElement(const XmlTag& tag) override {
        ++depth_;
        if (skipFrom_ >= 0) {
            kinds_.push_back(kPlain);
            return;
        }
        const std::string_view name = tag.LocalName();
        if (Listed(rules_.skipped, name)) {
            skipFrom_ = depth_;
            kinds_.push_back(kPlain);
            return;
        }
        std::uint8_t kind = kPlain;
        if (Listed(rules_.textOnlyIn, name)) {
            kind |= kText;
            ++textDepth_;
        }
        if (Listed(rules_.paragraphs, name)) {
            kind |= kParagraph;
            frames_.emplace_back();
        } else if (rules_.blocks && !Listed(rules_.inlines, name)) {
            kind |= kBlock;
            EndLoose();
        }
        kinds_.push_back(kind);
        for (const auto& [element, c] : rules_.characters) {
            if (element == name) {
                Put(c);
            }
        }
    }

    void EndElement(std::string_view) override {
        const std::uint8_t kind = kinds_.back();
        kinds_.pop_back();
        if (skipFrom_ == depth_) {
            skipFrom_ = -1;
        }
        --depth_;
        if ((kind & kText) != 0) {
            --textDepth_;
        }
        if ((kind & kParagraph) != 0) {
            CloseParagraph();
        } else if ((kind & kBlock) != 0) {
            EndLoose();
        }
    }

    void Character(char32_t c, const XmlCharSource& source) override {
        if (skipFrom_ >= 0 || (!rules_.textOnlyIn.empty() && textDepth_ == 0)) {
            return;
        }
        Line& line = frames_.back().current;
        // A line or paragraph separator in the data would be a line break
        // in the editor: it is a space, like a line end in the data.
        if (c == U' ' || c == U'\n' || c == U'\r' || c == 0x2028 || c == 0x2029 ||
            (c == U'\t' && rules_.collapseSpaces)) {
            if (rules_.collapseSpaces && (line.text.empty() || line.text.back() == u' ')) {
                return;
            }
            line.text.push_back(u' ');
            return;
        }
        if (c >= 0x10000) {
            const char32_t v = c - 0x10000;
            line.text.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            line.text.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
            return;
        }
        const auto unit = static_cast<char16_t>(c);
        if (IsChangeableLetter(unit)) {
            line.letters.push_back(
                {static_cast<int>(line.text.size()), part_, source.start, source.end});
        }
        line.text.push_back(unit);
    }

    // The lines of the part, once it is scanned.
    std::vector<Line> Finish() {
        EndLoose();
        return std::move(lines_);
    }

private:
    void Trim(Line& line) const {
        if (rules_.collapseSpaces && !line.text.empty() && line.text.back() == u' ') {
            line.text.pop_back();
        }
    }

    // A character an element stands for.
    void Put(char16_t c) {
        Frame& frame = frames_.back();
        if (c != u'\r') {
            frame.current.text.push_back(c);
            return;
        }
        Trim(frame.current);
        if (frames_.size() > 1) {
            frame.done.push_back(std::move(frame.current));
        } else {
            // Outside paragraphs a break ends the line, or makes an empty one.
            lines_.push_back(std::move(frame.current));
        }
        frame.current = Line{};
    }

    // Ends the line of text that stands outside paragraphs, if it has any.
    void EndLoose() {
        if (frames_.size() != 1) {
            return;
        }
        Line& line = frames_.front().current;
        Trim(line);
        if (!line.text.empty()) {
            lines_.push_back(std::move(line));
        }
        line = Line{};
    }

    void CloseParagraph() {
        Frame frame = std::move(frames_.back());
        frames_.pop_back();
        Trim(frame.current);
        frame.done.push_back(std::move(frame.current));
        std::vector<Line>& target = frames_.size() > 1 ? frames_.back().inner : lines_;
        if (frames_.size() == 1) {
            EndLoose(); // text before the paragraph comes first
        }
        for (Line& line : frame.done) {
            target.push_back(std::move(line));
        }
        for (Line& line : frame.inner) {
            target.push_back(std::move(line));
        }
    }

    const TextRules& rules_;
    int part_;
    int depth_ = 0;
    int skipFrom_ = -1;
    int textDepth_ = 0;
    std::vector<std::uint8_t> kinds_;
    std::vector<Frame> frames_; // the first holds the text outside paragraphs
    std::vector<Line> lines_;
};

} // namespace

bool ExtractXmlText(std::string_view bytes, XmlEncoding encoding, const TextRules& rules, int part,
                    ExtractedText& out, std::string& error) {
    Collector collector(rules, part);
    if (!ScanXml(bytes, encoding, collector, error)) {
        return false;
    }
    for (Line& line : collector.Finish()) {
        if (!out.empty) {
            out.text.push_back(u'\r');
        }
        out.empty = false;
        const int base = static_cast<int>(out.text.size());
        out.text += line.text;
        for (PartLetter& letter : line.letters) {
            letter.offset += base;
            out.letters.push_back(letter);
        }
    }
    return true;
}

} // namespace umlo
