// Any bytes as the XML of a FictionBook: no crash; when it is read, every
// recorded letter stands where the text has it, and exchanging every е for ё
// patches the file into one that reads back as that text, no longer or
// shorter than before.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/package_document.h"
#include "fuzz/fuzz_check.h"

using umlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    umlo::PackageDocument document;
    std::string error;
    if (!umlo::ReadPackageDocument(input, umlo::FormatFb2, document, error)) {
        Check(!error.empty());
        return 0;
    }
    std::u16string changed = document.text;
    for (const umlo::PartLetter& letter : document.letters) {
        char16_t& c = changed.at(static_cast<std::size_t>(letter.offset));
        Check(c == u'е' || c == u'ё' || c == u'Е' || c == u'Ё');
        c = c == u'е' ? u'ё' : c == u'Е' ? u'Ё' : c;
    }
    std::string patched;
    Check(umlo::PatchPackageDocument(document, changed, patched, error));
    Check(patched.size() == input.size());
    umlo::PackageDocument again;
    Check(umlo::ReadPackageDocument(patched, umlo::FormatFb2, again, error));
    Check(again.text == changed);
    return 0;
}
