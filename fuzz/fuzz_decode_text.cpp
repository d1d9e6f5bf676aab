// Any file content decoded in any format: no crash, line breaks only as
// carriage returns, non-empty plain input never gives an empty text, and the
// text written back in its format reads the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/text_file.h"
#include "fuzz/fuzz_check.h"

using umlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto format = static_cast<umlo::TextFormat>(data[0] & 31);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const umlo::RichText text = umlo::DecodeText(bytes, format);
    Check(text.text.find(u'\n') == std::u16string::npos || umlo::HasFlag(format, umlo::FormatRtf));
    const bool plain = !umlo::HasFlag(format, umlo::FormatRtf);
    if (plain && bytes.size() > 3) {
        Check(!text.text.empty());
    }
    // UTF-16 keeps every code unit, lone surrogates included.
    if (plain && umlo::HasFlag(format, umlo::FormatUtf16LE) &&
        !umlo::HasFlag(format, umlo::FormatUtf8)) {
        Check(umlo::DecodeText(umlo::EncodeText(text, format), format).text == text.text);
    }
    return 0;
}
