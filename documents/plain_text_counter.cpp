#include "documents/plain_text_counter.h"

#include "core/codepage.h"
#include "documents/plain_text.h"

namespace umlo {

// The units of UTF-8 and UTF-16 go to Utf16Unit.
struct PlainTextCounter::Decoding {
    struct Sink {
        PlainTextCounter& counter;
        void Unit(char16_t u) { counter.Utf16Unit(u); }
    };
    Decoding(PlainTextCounter& counter, TextFormat encoding)
        : sink{counter}, decoder(encoding, sink) {}
    Sink sink;
    UnitDecoder<Sink> decoder;
};

PlainTextCounter::PlainTextCounter(TextFormat encoding) {
    if (HasFlag(encoding, FormatUtf8 | FormatUtf16LE | FormatUtf16BE)) {
        decoding_ = std::make_unique<Decoding>(*this, encoding);
    }
}

PlainTextCounter::~PlainTextCounter() = default;

void PlainTextCounter::Utf16Unit(char16_t unit) {
    ++characters_;
    Count(static_cast<unsigned char>(Utf16ToCp1251Char(unit)));
}

LetterCounts PlainTextCounter::Letters() const {
    LetterCounts letters;
    for (int byte = 0; byte < 256; ++byte) {
        LetterCounts one;
        one.Add(static_cast<unsigned char>(byte));
        letters.Cyrillic += one.Cyrillic * seen_[static_cast<size_t>(byte)];
        letters.PlainE += one.PlainE * seen_[static_cast<size_t>(byte)];
        letters.DiaeresisE += one.DiaeresisE * seen_[static_cast<size_t>(byte)];
    }
    return letters;
}

void PlainTextCounter::Feed(std::string_view bytes) {
    if (decoding_) {
        decoding_->decoder.Feed(bytes);
        return;
    }
    characters_ += static_cast<std::int64_t>(bytes.size());
    for (const char c : bytes) {
        Count(static_cast<unsigned char>(c));
    }
}

std::string PlainTextCounter::Finish() {
    if (!decoding_) {
        return seen_[0] > 0 ? kNotTextZeroBytes : "";
    }
    decoding_->decoder.Finish();
    return NotTextReason(decoding_->decoder);
}

bool PlainTextCounter::Decodable() const {
    return !decoding_ || !decoding_->decoder.Invalid();
}

} // namespace umlo
