#include "cli/text_document.h"

#include <filesystem>

#include "core/codepage.h"
#include "documents/encoding_detect.h"
#include "documents/input_file.h"
#include "documents/rtf_reader.h"
#include "documents/rtf_writer.h"
#include "documents/text_file.h"

namespace umlo::cli {
namespace {

TextFormat Utf16Format(std::string_view bytes) {
    if (bytes.starts_with("\xFE\xFF")) {
        return FormatUtf16BE;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return FormatUtf16LE;
    }
    return DetectEncodingBytes(bytes, true) == FormatUtf16BE ? FormatUtf16BE : FormatUtf16LE;
}

} // namespace

TextFormat PlainFormatFromStart(std::string_view start, EncodingChoice choice, bool& undecided) {
    undecided = false;
    switch (choice) {
    case EncodingChoice::Ansi:
        return 0;
    case EncodingChoice::Utf8:
        return FormatUtf8;
    case EncodingChoice::Utf16:
        return Utf16Format(start);
    case EncodingChoice::Auto:
        break;
    }
    const TextFormat detected = DetectEncodingBytes(start, true);
    if (HasFlag(detected, FormatSignature) || HasFlag(detected, FormatUtf16LE | FormatUtf16BE)) {
        return detected;
    }
    // The statistics take cp1251 text rich in Р and С for UTF-8; only bytes that
    // really are UTF-8 are read so, or the writing would destroy them.
    undecided = true;
    return FormatUtf8;
}

std::string WaitingNote(const std::string& path) {
    return "umlo-cli: " + path + ": в канал ещё никто не пишет; ждём (Ctrl+C - прервать)\n";
}

bool InputExists(const std::string& path, std::string& error) {
    std::error_code ec;
    if (path != "-" && !std::filesystem::exists(path, ec) && !ec) {
        error = "Файл \"" + path + "\" не найден";
        return false;
    }
    return true;
}

std::optional<EncodingChoice> ParseEncodingChoice(std::string_view name) {
    if (name == "auto") {
        return EncodingChoice::Auto;
    }
    if (name == "ansi") {
        return EncodingChoice::Ansi;
    }
    if (name == "utf-8") {
        return EncodingChoice::Utf8;
    }
    if (name == "utf-16") {
        return EncodingChoice::Utf16;
    }
    return std::nullopt;
}

TextFormat ChooseFormat(std::string_view path, std::string_view bytes, EncodingChoice choice) {
    if (const TextFormat document = DocumentFormatOf(path, bytes)) {
        return document;
    }
    // A file named .rtf that holds no rich text is plain text to be kept so;
    // standard input has no name, and is rich text when it looks so.
    if ((IsRtfName(path) || path == "-") && LooksLikeRtf(bytes)) {
        return FormatRtf;
    }
    bool undecided = false;
    const TextFormat format = PlainFormatFromStart(bytes, choice, undecided);
    return !undecided || IsValidUtf8(bytes) ? format : TextFormat(0);
}

bool RtfIsComplete(std::string_view data) {
    long depth = 0;
    bool opened = false;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\\') {
            // \binN carries N raw bytes that may hold braces.
            if (data.substr(i + 1, 3) == "bin") {
                std::size_t j = i + 4;
                std::size_t n = 0;
                while (j < data.size() && data[j] >= '0' && data[j] <= '9' && n < data.size()) {
                    n = n * 10 + static_cast<std::size_t>(data[j] - '0');
                    ++j;
                }
                if (j < data.size() && data[j] == ' ') {
                    ++j;
                }
                i = j + n - 1;
                continue;
            }
            ++i; // an escaped character, \{ \} \\ among them
        } else if (c == '{') {
            ++depth;
            opened = true;
        } else if (c == '}') {
            if (--depth < 0) {
                return false;
            }
        }
    }
    return opened && depth == 0;
}

bool ReadTextDocument(const std::string& path, EncodingChoice choice, TextDocument& out,
                      std::string& error, const std::function<void()>& waiting) {
    std::string bytes;
    if (!InputExists(path, error)) {
        return false;
    }
    if (const FileResult r = ReadWholeInput(path, bytes, waiting); !r) {
        error = r.error;
        return false;
    }
    out.fileSize = bytes.size();
    out.format = ChooseFormat(path, bytes, choice);
    if (IsDocumentFormat(out.format)) {
        if (!ReadPackageDocument(std::move(bytes), out.format, out.package, error)) {
            error = path + ": " + error;
            return false;
        }
        out.format = out.package.format;
        return true;
    }
    if (HasFlag(out.format, FormatRtf)) {
        if (!RtfIsComplete(bytes)) {
            error = path + ": файл RTF обрывается (не закрыты все группы)";
            return false;
        }
        out.rtf = ReadRtfSource(std::move(bytes));
        return true;
    }
    std::string why;
    if (!DecodePlainText(bytes, out.format, out.plain, why)) {
        error = path + ": " + why;
        return false;
    }
    out.format = out.plain.format;
    return true;
}

void LoadDocument(const TextDocument& document, TextBuffer& buffer) {
    if (IsDocumentFormat(document.format)) {
        buffer.SetAllText(document.package.text);
    } else if (HasFlag(document.format, FormatRtf)) {
        SetBufferRichText(buffer, document.rtf.text);
    } else {
        buffer.SetAllText(document.plain.text);
    }
}

std::string EncodeDocument(const TextDocument& document, const MemoryTextBuffer& buffer,
                           bool asRtf) {
    if (HasFlag(document.format, FormatRtf) && !document.rtf.bytes.empty()) {
        // umlo-cli changes letters only: the patch always applies.
        if (auto patched = PatchRtf(document.rtf, buffer)) {
            return *std::move(patched);
        }
    }
    if (asRtf || HasFlag(document.format, FormatRtf)) {
        return WriteRtf(BufferRichText(buffer));
    }
    return EncodePlainText(document.plain, buffer.Text());
}

bool EncodeDocumentFile(const std::string& path, const TextDocument& document,
                        const MemoryTextBuffer& buffer, bool asRtf, std::string& out,
                        std::string& error) {
    if (!IsDocumentFormat(document.format)) {
        out = EncodeDocument(document, buffer, asRtf);
        return true;
    }
    if (!PatchPackageDocument(document.package, buffer.Text(), out, error)) {
        error = path + " не записан: " + error;
        return false;
    }
    return true;
}

} // namespace umlo::cli
