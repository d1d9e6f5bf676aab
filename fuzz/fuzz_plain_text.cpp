// Any bytes in any plain encoding: reading them whole and counting them as
// they stream past in pieces agree on whether they are text, on the length
// and on every letter count; a text read whole is written back byte for
// byte.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/file_properties.h"
#include "documents/plain_text.h"
#include "documents/plain_text_counter.h"
#include "fuzz/fuzz_check.h"

using umlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const umlo::TextFormat encodings[] = {0, umlo::FormatUtf8, umlo::FormatUtf16LE,
                                          umlo::FormatUtf16BE};
    const umlo::TextFormat encoding = encodings[data[0] & 3];
    const std::size_t piece = 1 + (data[1] % 13);
    std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

    umlo::PlainText whole;
    std::string error;
    const bool text = umlo::DecodePlainText(bytes, encoding, whole, error);
    if (text) {
        Check(umlo::EncodePlainText(whole, whole.text) == bytes);
    }

    // The counter gets the bytes without the signature the decoder took off.
    std::string_view rest = bytes;
    if (umlo::HasFlag(whole.format, umlo::FormatSignature)) {
        rest.remove_prefix(umlo::SignatureOf(encoding).size());
    }
    umlo::PlainTextCounter counter(encoding);
    while (!rest.empty()) {
        const std::size_t n = std::min(piece, rest.size());
        counter.Feed(rest.substr(0, n));
        rest.remove_prefix(n);
    }
    const std::string why = counter.Finish();
    Check(why == error);
    if (text) {
        const umlo::LetterCounts letters = umlo::CountLetters(std::u16string_view(whole.text));
        Check(counter.Characters() == static_cast<std::int64_t>(whole.text.size()));
        Check(counter.Letters().Cyrillic == letters.Cyrillic);
        Check(counter.Letters().PlainE == letters.PlainE);
        Check(counter.Letters().DiaeresisE == letters.DiaeresisE);
    }
    return 0;
}
