// Any bytes read as rich text, every е of the text turned into ё (marked, as
// a pass marks it) and written back by patching the file: the patch reads
// back as exactly the changed text, and turning the letters back gives the
// file's own text again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "documents/memory_text_buffer.h"
#include "documents/rtf_patch.h"
#include "documents/rtf_reader.h"
#include "documents/text_file.h"
#include "fuzz/fuzz_check.h"

using umlo::fuzz::Check;

namespace {

void SwapAll(umlo::MemoryTextBuffer& buffer, char16_t from, char16_t to, bool mark) {
    const std::u16string text = buffer.GetAllText();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == from) {
            umlo::LetterColors colors;
            if (mark) {
                colors.text = 16711680;
                colors.back = 65535;
            }
            Check(buffer.ReplaceLetter(static_cast<int>(i), to, colors));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const umlo::RtfSource source =
        umlo::ReadRtfSource(std::string(reinterpret_cast<const char*>(data), size));
    umlo::MemoryTextBuffer buffer;
    umlo::SetBufferRichText(buffer, source.text);
    SwapAll(buffer, u'е', u'ё', true);
    SwapAll(buffer, u'Е', u'Ё', false);
    const auto patched = umlo::PatchRtf(source, buffer);
    if (!patched) {
        return 0; // a letter the file holds in a form that cannot be rewritten
    }
    const umlo::RtfSource again = umlo::ReadRtfSource(*patched);
    Check(again.text.text == buffer.GetAllText());
    return 0;
}
