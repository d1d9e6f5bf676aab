// What "Свойства файла" tells of a plain text, counted as the file's bytes
// stream past, without holding the text: its length in the editor's
// characters (a line end is one) and its Russian letters, е and ё.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "documents/file_properties.h"
#include "documents/text_format.h"

namespace umlo {

class PlainTextCounter {
public:
    // encoding: 0 (cp1251), FormatUtf8, FormatUtf16LE or FormatUtf16BE; the
    // signature, if any, is taken off before the bytes come here.
    explicit PlainTextCounter(TextFormat encoding);
    ~PlainTextCounter();
    PlainTextCounter(const PlainTextCounter&) = delete;
    PlainTextCounter& operator=(const PlainTextCounter&) = delete;

    void Feed(std::string_view bytes);
    // After the last bytes: the reason (UTF-8) why they are not text in the
    // encoding, or empty.
    std::string Finish();
    // Whether the bytes so far decode in the encoding (for UTF-8: valid UTF-8).
    bool Decodable() const;

    std::int64_t Characters() const { return characters_ - crLf_; }
    LetterCounts Letters() const;

private:
    struct Decoding;
    void Count(unsigned char cp1251) {
        ++seen_[cp1251];
        crLf_ += afterCr_ && cp1251 == '\n' ? 1 : 0;
        afterCr_ = cp1251 == '\r';
    }
    void Utf16Unit(char16_t unit);

    std::unique_ptr<Decoding> decoding_; // absent for cp1251, counted byte by byte
    // How often each cp1251 character came: the letters are summed at the end.
    std::array<std::int64_t, 256> seen_{};
    std::int64_t characters_ = 0;
    std::int64_t crLf_ = 0; // a CR LF is one line break in the editor
    bool afterCr_ = false;
};

} // namespace umlo
