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
#include "documents/letter_patch.h"
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
        return ReadRtfSource(std::string(bytes)).text;
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
                        FileOrigin* origin) {
    std::string bytes;
    if (FileResult r = ReadWholeFile(path, bytes); !r) {
        return r;
    }
    return ReadTextBytes(path, std::move(bytes), format, buffer, origin);
}

FileResult ReadTextBytes(const std::string& path, std::string bytes, TextFormat format,
                         TextBuffer& buffer, FileOrigin* origin) {
    try {
        if (IsDocumentFormat(format)) {
            auto document = std::make_shared<PackageDocument>();
            std::string why;
            if (!ReadPackageDocument(std::move(bytes), format, *document, why)) {
                return FileResult::Failure("Файл \"" + path + "\": " + why);
            }
            {
                UpdateLock lock(buffer);
                buffer.SetAllText(document->text);
            }
            if (origin != nullptr) {
                *origin = FileOrigin{std::nullopt, std::nullopt, std::move(document)};
            }
            return {};
        }
        if (HasFlag(format, FormatRtf) && LooksLikeRtf(bytes)) {
            RtfSource source = ReadRtfSource(std::move(bytes));
            {
                UpdateLock lock(buffer);
                SetBufferRichText(buffer, source.text);
            }
            if (origin != nullptr) {
                *origin = FileOrigin{std::nullopt, std::move(source), nullptr};
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
        if (origin != nullptr) {
            plain.text = std::u16string();
            *origin = FileOrigin{std::move(plain), std::nullopt, nullptr};
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

bool RichTextPatchable(const FileOrigin& origin, const TextBuffer& buffer) {
    return origin.rtf && LetterOnlyChanges(origin.rtf->text.text, buffer.GetAllText());
}

std::string EncodeBufferText(TextFormat format, TextBuffer& buffer, const FileOrigin* origin) {
    UpdateLock lock(buffer);
    if (HasFlag(format, FormatRtf)) {
        if (origin != nullptr && origin->rtf) {
            if (auto patched = PatchRtf(*origin->rtf, buffer)) {
                return *std::move(patched);
            }
        }
        return EncodeText(BufferRichText(buffer), format);
    }
    // Only rich text needs the formats; plain text is written from the text alone.
    if (origin != nullptr && origin->plain &&
        (origin->plain->format & kEncodingMask) == (format & kEncodingMask)) {
        return EncodePlainText(*origin->plain, buffer.GetAllText());
    }
    return EncodeText(Plain(buffer.GetAllText()), format);
}

FileResult EncodeDocumentBytes(const std::string& path, const FileOrigin& origin,
                               const TextBuffer& buffer, std::string& bytes) {
    if (!origin.package) {
        return FileResult::Failure("Файл \"" + path +
                                   "\" не записан: документ можно записать, только исправив "
                                   "в нём буквы, а исходный документ не прочитан");
    }
    std::string why;
    try {
        if (!PatchPackageDocument(*origin.package, buffer.GetAllText(), bytes, why)) {
            return FileResult::Failure("Файл \"" + path + "\" не записан: " + why);
        }
    } catch (const std::bad_alloc&) {
        return WriteFailure(path, ENOMEM);
    }
    return {};
}

FileResult WriteTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                         const FileOrigin* origin) {
    std::string bytes;
    if (IsDocumentFormat(format)) {
        const FileResult encoded =
            EncodeDocumentBytes(path, origin != nullptr ? *origin : FileOrigin{}, buffer, bytes);
        return encoded ? WriteFileReplacing(path, bytes) : encoded;
    }
    try {
        bytes = EncodeBufferText(format, buffer, origin);
    } catch (const std::bad_alloc&) {
        return WriteFailure(path, ENOMEM);
    }
    return WriteFileReplacing(path, bytes);
}

} // namespace umlo
