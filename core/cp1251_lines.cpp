#include "core/cp1251_lines.h"

#include <algorithm>

#include "core/codepage.h"

namespace umlo {

void Cp1251Lines::Load(Kept& kept, int line) {
    kept.line = line;
    kept.start = buffer_.LineStart(line);
    if (kept.start < 0) {
        kept.text.clear();
        return;
    }
    const std::u16string text = buffer_.LineText(line);
    kept.text.resize(text.size());
    std::transform(text.begin(), text.end(), kept.text.begin(), Utf16ToCp1251Char);
}

std::string_view Cp1251Lines::ScanLine(int line) {
    if (scan_.line != line) {
        // A neighbour read just before is taken over rather than read again.
        const auto kept = std::find_if(others_.begin(), others_.end(),
                                       [line](const Kept& k) { return k.line == line; });
        if (kept != others_.end()) {
            std::swap(scan_, *kept);
            kept->line = -1;
        } else {
            Load(scan_, line);
        }
    }
    return scan_.text;
}

std::string_view Cp1251Lines::Line(int line) {
    if (scan_.line == line) {
        return scan_.text;
    }
    ++uses_;
    auto kept = std::find_if(others_.begin(), others_.end(),
                             [line](const Kept& k) { return k.line == line; });
    if (kept == others_.end()) {
        kept = std::min_element(others_.begin(), others_.end(),
                                [](const Kept& a, const Kept& b) { return a.lastUse < b.lastUse; });
        Load(*kept, line);
    }
    kept->lastUse = uses_;
    return kept->text;
}

void Cp1251Lines::PatchKept(Kept& kept, int offset, char byte) {
    if (kept.line < 0 || offset < kept.start) {
        return;
    }
    const auto at = static_cast<size_t>(offset - kept.start);
    if (at < kept.text.size()) {
        kept.text[at] = byte;
    }
}

void Cp1251Lines::Patch(int offset, char byte) {
    PatchKept(scan_, offset, byte);
    for (Kept& kept : others_) {
        PatchKept(kept, offset, byte);
    }
}

void Cp1251Lines::Forget() {
    scan_.line = -1;
    for (Kept& kept : others_) {
        kept.line = -1;
    }
}

} // namespace umlo
