#include "documents/rtf_codepages.h"

#include "core/codepage.h"

namespace umlo {

namespace {

// cp1252 differs from Latin-1 only in 80..9F; 0 marks the five unused bytes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t Cp866ToUtf16(unsigned char byte) {
    if (byte < 0xB0) {
        return static_cast<char16_t>(0x0410 + (byte - 0x80)); // А..я without р..я
    }
    if (byte >= 0xE0 && byte < 0xF0) {
        return static_cast<char16_t>(0x0440 + (byte - 0xE0)); // р..я
    }
    switch (byte) {
    case 0xF0:
        return u'Ё';
    case 0xF1:
        return u'ё';
    case 0xFF:
        return 0x00A0;
    default:
        return u'?'; // box drawing and the rest: nothing a text needs
    }
}

} // namespace

char16_t CodePageToUtf16(unsigned char byte, int codePage) {
    if (byte < 0x80) {
        return byte;
    }
    switch (codePage) {
    case 1251:
        return Cp1251ToUtf16Char(byte);
    case 866:
        return Cp866ToUtf16(byte);
    case 1252:
        if (byte < 0xA0) {
            const char16_t c = kCp1252High[byte - 0x80];
            return c != 0 ? c : byte;
        }
        return byte;
    default:
        return byte;
    }
}

int CharsetCodePage(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 204:
        return 1251;
    case 238:
        return 1250;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 163:
        return 1258;
    case 222:
        return 874;
    case 77:
        return 10000;
    case 255:
        return 437;
    default:
        return 0; // 1 (default), 2 (symbol) and unknown sets: the document's page
    }
}

} // namespace umlo
