#include "documents/letter_patch.h"

#include <algorithm>

#include "documents/text_buffer.h"

namespace umlo {

std::optional<std::vector<LetterChange>> LetterOnlyChanges(std::u16string_view original,
                                                           std::u16string_view current) {
    if (original.size() != current.size()) {
        return std::nullopt;
    }
    std::vector<LetterChange> changes;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] == current[i]) {
            continue;
        }
        if (!IsLetterExchange(original[i], current[i])) {
            return std::nullopt;
        }
        changes.push_back({static_cast<int>(i), original[i], current[i]});
    }
    return changes;
}

std::string ApplyByteEdits(std::string_view original, std::vector<ByteEdit> edits) {
    // An insertion goes before a replacement that starts where it stands.
    std::sort(edits.begin(), edits.end(), [](const ByteEdit& a, const ByteEdit& b) {
        return a.start != b.start ? a.start < b.start : a.end < b.end;
    });
    std::string out;
    std::size_t grown = 0;
    for (const ByteEdit& e : edits) {
        grown += e.bytes.size();
    }
    out.reserve(original.size() + grown);
    std::size_t at = 0;
    for (const ByteEdit& e : edits) {
        out.append(original.substr(at, e.start - at));
        out += e.bytes;
        at = e.end;
    }
    out.append(original.substr(at));
    return out;
}

} // namespace umlo
