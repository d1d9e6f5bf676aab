// Any bytes through the rich-text reader: no crash, runs that fit the text,
// and whatever it read survives our writer and a second reading unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/rtf_reader.h"
#include "documents/rtf_writer.h"
#include "fuzz/fuzz_check.h"

using umlo::fuzz::Check;

namespace {

void CheckRuns(const umlo::RichText& rich) {
    if (rich.text.empty()) {
        Check(rich.runs.empty());
        return;
    }
    Check(!rich.runs.empty() && rich.runs.front().start == 0);
    for (std::size_t i = 1; i < rich.runs.size(); ++i) {
        Check(rich.runs[i - 1].start < rich.runs[i].start);
        Check(!(rich.runs[i - 1].format == rich.runs[i].format));
    }
    Check(rich.runs.back().start < static_cast<int>(rich.text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const umlo::RichText rich = umlo::ReadRtf(input);
    CheckRuns(rich);
    Check(umlo::ReadRtf(umlo::WriteRtf(rich)) == rich);
    return 0;
}
