// Plain-text bytes turned into UTF-16 units as they arrive, in pieces of any
// size, and the line ends among the units told apart: what reads a file
// whole and what counts it as it streams past decode it the same way.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/codepage.h"
#include "documents/text_format.h"

namespace umlo {

// The three line ends a plain text may hold, each one line break in the text.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr };

// Decodes cp1251 (encoding 0), UTF-8, UTF-16LE or UTF-16BE for a sink with
// void Unit(char16_t). A signature is not taken off here. Bytes that are not
// text in the encoding are noted; the units given for them are of no use.
template <typename Sink> class UnitDecoder {
public:
    UnitDecoder(TextFormat encoding, Sink& sink)
        : encoding_(HasFlag(encoding, FormatUtf8)      ? FormatUtf8
                    : HasFlag(encoding, FormatUtf16LE) ? FormatUtf16LE
                    : HasFlag(encoding, FormatUtf16BE) ? FormatUtf16BE
                                                       : TextFormat(0)),
          sink_(sink) {}

    void Feed(std::string_view bytes) {
        switch (encoding_) {
        case FormatUtf8:
            for (const char c : bytes) {
                Utf8Byte(static_cast<unsigned char>(c));
            }
            break;
        case FormatUtf16LE:
        case FormatUtf16BE:
            for (const char c : bytes) {
                Utf16Byte(static_cast<unsigned char>(c));
            }
            break;
        default:
            for (const char c : bytes) {
                const auto byte = static_cast<unsigned char>(c);
                zero_ = zero_ || byte == 0;
                sink_.Unit(Cp1251ToUtf16Char(byte));
            }
            break;
        }
    }
    // After the last bytes: a sequence or a unit left half-read is not text.
    void Finish() {
        if (pending_ != 0) {
            (encoding_ == FormatUtf8 ? invalid_ : oddLength_) = true;
            pending_ = 0;
        }
    }

    bool Utf16() const { return encoding_ == FormatUtf16LE || encoding_ == FormatUtf16BE; }
    // A zero byte (UTF-16: a zero character).
    bool SawZero() const { return zero_; }
    // Bytes that are no UTF-8.
    bool Invalid() const { return invalid_; }
    // UTF-16 with an odd number of bytes.
    bool OddLength() const { return oddLength_; }

private:
    void Utf8Byte(unsigned char b) {
        zero_ = zero_ || b == 0;
        if (pending_ > 0) {
            if ((b & 0xC0) == 0x80) {
                code_ = (code_ << 6) | (b & 0x3F);
                if (--pending_ == 0) {
                    Utf8Complete();
                }
                return;
            }
            invalid_ = true; // a sequence cut short; b starts afresh
            pending_ = 0;
        }
        if (b < 0x80) {
            sink_.Unit(b);
        } else if (b >= 0xC2 && b <= 0xDF) {
            Utf8Lead(1, b & 0x1F, 0x80);
        } else if (b >= 0xE0 && b <= 0xEF) {
            Utf8Lead(2, b & 0x0F, 0x800);
        } else if (b >= 0xF0 && b <= 0xF4) {
            Utf8Lead(3, b & 0x07, 0x10000);
        } else {
            invalid_ = true;
        }
    }
    void Utf8Lead(int extra, char32_t bits, char32_t least) {
        pending_ = extra;
        code_ = bits;
        least_ = least;
    }
    void Utf8Complete() {
        if (code_ < least_ || code_ > 0x10FFFF || (code_ >= 0xD800 && code_ <= 0xDFFF)) {
            invalid_ = true;
        } else if (code_ >= 0x10000) {
            const char32_t v = code_ - 0x10000;
            sink_.Unit(static_cast<char16_t>(0xD800 + (v >> 10)));
            sink_.Unit(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            sink_.Unit(static_cast<char16_t>(code_));
        }
    }
    void Utf16Byte(unsigned char b) {
        if (pending_ == 0) {
            first_ = b;
            pending_ = 1;
            return;
        }
        pending_ = 0;
        const auto unit = static_cast<char16_t>(encoding_ == FormatUtf16BE ? (first_ << 8) | b
                                                                           : (b << 8) | first_);
        zero_ = zero_ || unit == 0;
        sink_.Unit(unit);
    }

    TextFormat encoding_;
    Sink& sink_;
    int pending_ = 0; // continuation bytes awaited, or a UTF-16 half read
    char32_t code_ = 0;
    char32_t least_ = 0;
    unsigned char first_ = 0;
    bool zero_ = false;
    bool invalid_ = false;
    bool oddLength_ = false;
};

// Takes units and hands on, for a sink with void Unit(char16_t) and
// void Break(LineEnd), every unit that is no line end and each line end
// (CR LF, LF or CR) as one break.
template <typename Sink> class LineEndSplitter {
public:
    explicit LineEndSplitter(Sink& sink) : sink_(sink) {}
    void Unit(char16_t u) {
        if (cr_) {
            cr_ = false;
            if (u == u'\n') {
                sink_.Break(LineEnd::CrLf);
                return;
            }
            sink_.Break(LineEnd::Cr);
        }
        if (u == u'\r') {
            cr_ = true;
        } else if (u == u'\n') {
            sink_.Break(LineEnd::Lf);
        } else {
            sink_.Unit(u);
        }
    }
    void Finish() {
        if (cr_) {
            cr_ = false;
            sink_.Break(LineEnd::Cr);
        }
    }

private:
    Sink& sink_;
    bool cr_ = false;
};

} // namespace umlo
