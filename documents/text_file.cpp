#include "documents/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "core/codepage.h"
#include "core/file_replace.h"
#include "core/system_message.h"
#include "documents/input_file.h"
#include "documents/rtf_reader.h"
#include "documents/rtf_writer.h"

namespace umlo {

namespace {

FileResult ReadFailure(const std::string& path, int error) {
    return FileResult::Failure(FileErrorMessage(FileAction::Read, path, error));
}

FileResult WriteFailure(const std::string& path, int error) {
    return FileResult::Failure(FileErrorMessage(FileAction::Write, path, error));
}

// Every CR LF, lone CR and lone LF becomes one carriage return.
std::u16string NormalizeBreaks(std::u16string text) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\n') {
            text[out++] = u'\r';
        } else if (c == u'\r') {
            text[out++] = u'\r';
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            text[out++] = c;
        }
    }
    text.resize(out);
    return text;
}

std::u16string Utf16LeToText(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    if (bytes.size() % 2 != 0) {
        text.push_back(u'\uFFFD'); // half a character: show that something is there
    }
    return text;
}

void AppendUtf16Le(std::u16string_view text, std::string& out) {
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
}

// Plain text with line breaks written as CR LF.
std::u16string WithCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (char16_t c : text) {
        out.push_back(c);
        if (c == u'\r') {
            out.push_back(u'\n');
        }
    }
    return out;
}

RichText Plain(std::u16string text) {
    RichText rich;
    rich.Append(text, CharFormat{});
    return rich;
}

// The editor repaints once, when the lock is released.
class UpdateLock {
public:
    explicit UpdateLock(TextBuffer& buffer) : buffer_(buffer) { buffer_.BeginUpdate(); }
    ~UpdateLock() { buffer_.EndUpdate(); }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    TextBuffer& buffer_;
};

} // namespace

RichText DecodeText(std::string_view bytes, TextFormat format) {
    if (HasFlag(format, FormatRtf) && LooksLikeRtf(bytes)) {
        RichText rich = ReadRtf(bytes);
        if (!rich.text.empty() && (rich.text[0] == u'\uFEFF' || rich.text[0] == u'\uFFFE')) {
            rich.text.erase(0, 1);
            for (FormatRun& run : rich.runs) {
                run.start = std::max(0, run.start - 1);
            }
            if (rich.runs.size() > 1 && rich.runs[1].start == 0) {
                rich.runs.erase(rich.runs.begin());
            }
            if (rich.text.empty()) {
                rich.runs.clear();
            }
        }
        return rich;
    }
    std::u16string text;
    if (HasFlag(format, FormatUtf8)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        text = Utf8ToUtf16(bytes);
    } else {
        text = HasFlag(format, FormatUtf16LE) ? Utf16LeToText(bytes) : Cp1251ToUtf16(bytes);
        if (!text.empty() && (text[0] == u'\uFEFF' || text[0] == u'\uFFFE')) {
            text.erase(0, 1);
        }
    }
    return Plain(NormalizeBreaks(std::move(text)));
}

std::string EncodeText(const RichText& text, TextFormat format) {
    if (HasFlag(format, FormatRtf)) {
        return WriteRtf(text);
    }
    const std::u16string crlf = WithCrLf(text.text);
    if (HasFlag(format, FormatUtf8)) {
        return "\xEF\xBB\xBF" + Utf16ToUtf8(crlf);
    }
    if (HasFlag(format, FormatUtf16LE)) {
        std::string out = "\xFF\xFE";
        out.reserve(2 + crlf.size() * 2);
        AppendUtf16Le(crlf, out);
        return out;
    }
    return Utf16ToCp1251(crlf);
}

RichText BufferRichText(const TextBuffer& buffer) {
    RichText rich;
    const std::u16string text = buffer.GetAllText();
    rich.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        rich.Append(text[i], buffer.FormatAt(static_cast<int>(i)));
    }
    return rich;
}

void SetBufferRichText(TextBuffer& buffer, const RichText& rich) {
    buffer.SetAllText(rich.text);
    const CharFormat plain;
    for (std::size_t i = 0; i < rich.runs.size(); ++i) {
        const FormatRun& run = rich.runs[i];
        if (run.format == plain) {
            continue;
        }
        const int end =
            i + 1 < rich.runs.size() ? rich.runs[i + 1].start : static_cast<int>(rich.text.size());
        buffer.SetCaret(run.start);
        buffer.SetSelLength(end - run.start);
        if (run.format.text != plain.text) {
            buffer.SetSelectionTextColor(run.format.text);
        }
        if (run.format.back != plain.back) {
            buffer.SetSelectionBackColor(run.format.back);
        }
        if (run.format.bold) {
            buffer.SetSelectionBold(true);
        }
        if (run.format.fontSize != plain.fontSize) {
            buffer.SetSelectionFontSize(run.format.fontSize);
        }
    }
    buffer.SetCaret(0);
}

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadWholeInput(path, bytes);
}

FileResult ReadTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                        std::optional<PlainText>* layout) {
    std::string bytes;
    if (FileResult r = ReadWholeFile(path, bytes); !r) {
        return r;
    }
    try {
        if (HasFlag(format, FormatRtf) && LooksLikeRtf(bytes)) {
            const RichText text = DecodeText(bytes, format);
            bytes = std::string();
            UpdateLock lock(buffer);
            SetBufferRichText(buffer, text);
            if (layout != nullptr) {
                layout->reset();
            }
            return {};
        }
        PlainText plain;
        std::string why;
        if (!DecodePlainText(bytes, format, plain, why)) {
            return FileResult::Failure("Файл \"" + path + "\": " + why);
        }
        bytes = std::string();
        {
            UpdateLock lock(buffer);
            buffer.SetAllText(plain.text);
        }
        if (layout != nullptr) {
            plain.text = std::u16string();
            *layout = std::move(plain);
        }
    } catch (const std::bad_alloc&) {
        return ReadFailure(path, ENOMEM);
    }
    return {};
}

FileResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
    const int error = ReplaceFileContents(path, bytes);
    return error == 0 ? FileResult{} : WriteFailure(path, error);
}

FileResult WriteTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                         const PlainText* layout) {
    std::string bytes;
    try {
        UpdateLock lock(buffer);
        const bool asRead = layout != nullptr && !HasFlag(format, FormatRtf) &&
                            (layout->format & kEncodingMask) == (format & kEncodingMask);
        // Only rich text needs the formats; plain text is written from the text alone.
        if (asRead) {
            bytes = EncodePlainText(*layout, buffer.GetAllText());
        } else {
            bytes = EncodeText(HasFlag(format, FormatRtf) ? BufferRichText(buffer)
                                                          : Plain(buffer.GetAllText()),
                               format);
        }
    } catch (const std::bad_alloc&) {
        return WriteFailure(path, ENOMEM);
    }
    return WriteFileReplacing(path, bytes);
}

} // namespace umlo
