// The text's lines as the scan reads them: cp1251, one byte per character.
// Each line is fetched and converted once while the scan works on it, so that
// looking around a word costs what is read, not the length of its line; the
// letters the pass writes are patched into the lines kept here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/text_buffer.h"

namespace umlo {

class Cp1251Lines {
public:
    explicit Cp1251Lines(const TextBuffer& buffer) : buffer_(buffer) {}

    int LineCount() const { return buffer_.LineCount(); }

    // The scan's own line, kept until the next call; empty when the line
    // does not exist. The view stays valid while other lines are read.
    std::string_view ScanLine(int line);
    // Any line, without its line break; the view is valid until the next
    // call of Line.
    std::string_view Line(int line);

    // The pass wrote one letter into the buffer at a text offset.
    void Patch(int offset, char byte);
    // The buffer changed in some other way: everything is read again.
    void Forget();

private:
    struct Kept {
        int line = -1;
        int start = 0; // text offset of the line's first character
        std::string text;
        std::uint64_t lastUse = 0;
    };
    void Load(Kept& kept, int line);
    static void PatchKept(Kept& kept, int offset, char byte);

    const TextBuffer& buffer_;
    Kept scan_;
    // A few neighbours for the look-arounds, least recently used goes first.
    std::array<Kept, 3> others_;
    std::uint64_t uses_ = 0;
};

} // namespace umlo
