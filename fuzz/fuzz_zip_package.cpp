// Any bytes as a zip package of each kind: no crash, no more unpacked than
// the limit, and a package that reads is rewritten (with every е made ё)
// into one that reads back as that text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "documents/package_document.h"
#include "documents/zip_package.h"
#include "fuzz/fuzz_check.h"

using umlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (const auto zip = umlo::ZipPackage::Open(input, error)) {
        for (std::size_t i = 0; i < zip->Entries().size(); ++i) {
            std::string entry;
            if (zip->Read(i, entry, error, 1 << 20)) {
                Check(entry.size() <= (1 << 20));
            }
        }
    }
    for (const umlo::TextFormat format :
         {umlo::FormatDocx, umlo::FormatOdt, umlo::FormatEpub, umlo::FormatFb2Zip}) {
        umlo::PackageDocument document;
        if (!umlo::ReadPackageDocument(input, format, document, error)) {
            continue;
        }
        std::u16string changed = document.text;
        for (const umlo::PartLetter& letter : document.letters) {
            char16_t& c = changed.at(static_cast<std::size_t>(letter.offset));
            c = c == u'е' ? u'ё' : c == u'Е' ? u'Ё' : c;
        }
        std::string patched;
        Check(umlo::PatchPackageDocument(document, changed, patched, error));
        umlo::PackageDocument again;
        Check(umlo::ReadPackageDocument(patched, format, again, error));
        Check(again.text == changed);
    }
    return 0;
}
