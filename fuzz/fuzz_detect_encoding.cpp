// Any first bytes of a file through the encoding check, with and without the
// statistics and with any read length: only the documented results come out.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/encoding_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int utfLength = data[0] * 4 - 8; // also zero and negative lengths
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    for (bool statistics : {true, false}) {
        for (int length : {utfLength, umlo::kDefaultUtfLength}) {
            const umlo::TextFormat f = umlo::DetectEncodingBytes(bytes, statistics, length);
            if (f != 0 && f != 2 && f != 4 && f != 8 && f != 18 && f != 20 && f != 24) {
                std::abort();
            }
            if (!statistics && (f == 4 || f == 8)) {
                std::abort(); // byte statistics are off
            }
        }
    }
    return 0;
}
