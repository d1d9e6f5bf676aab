#include "documents/file_properties.h"
#include "core/system_message.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <system_error>

#include "core/codepage.h"
#include "core/words.h"
#include "documents/package_document.h"

namespace umlo {

void LetterCounts::Add(unsigned char cp1251) {
    Cyrillic += IsLetter(cp1251) ? 1 : 0;
    PlainE += IsPlainE(cp1251) ? 1 : 0;
    DiaeresisE += IsDiaeresisE(cp1251) ? 1 : 0;
}

LetterCounts CountLetters(std::string_view cp1251Text) {
    LetterCounts counts;
    for (char c : cp1251Text) {
        counts.Add(static_cast<unsigned char>(c));
    }
    return counts;
}

LetterCounts CountLetters(std::u16string_view text) {
    LetterCounts counts;
    for (char16_t unit : text) {
        counts.Add(static_cast<unsigned char>(Utf16ToCp1251Char(unit)));
    }
    return counts;
}

std::int64_t RestorationDegree(std::int64_t plainE, std::int64_t diaeresisE) {
    if (plainE == 0) {
        return diaeresisE > 0 ? 100 : 0;
    }
    // nearbyint rounds in the default mode, to nearest with halves to even.
    return static_cast<std::int64_t>(
        std::nearbyint(static_cast<double>(diaeresisE) * 1500.0 / static_cast<double>(plainE)));
}

std::string RestorationVerdict(std::int64_t degree) {
    if (degree <= 0) {
        return "не ёфицировано";
    }
    if (degree < 75) {
        return "возможно, ёфицировано не полностью";
    }
    return "возможно, ёфицировано";
}

std::string FormatDescription(TextFormat format) {
    if (IsDocumentFormat(format)) {
        // Only FictionBook may be in windows-1251; the packages are UTF-8.
        const bool fictionBook =
            DocumentBits(format) == FormatFb2 || DocumentBits(format) == FormatFb2Zip;
        return std::string(fictionBook && !HasFlag(format, FormatUtf8) ? "ANSI" : "UTF-8") + ", " +
               std::string(DocumentFormatName(format));
    }
    std::string text;
    if (HasFlag(format, FormatUtf8)) {
        text = "UTF-8";
    } else if (HasFlag(format, FormatUtf16LE)) {
        text = "UTF-16LE";
    } else if (HasFlag(format, FormatUtf16BE)) {
        text = "UTF-16BE";
    } else {
        text = "ANSI";
    }
    if (HasFlag(format, FormatSignature)) {
        text += "sgn";
    }
    text += HasFlag(format, FormatRtf) ? ", rich text" : ", plain text";
    return text;
}

std::vector<PropertyRow> PropertyRowsOf(std::u16string_view text, std::string_view path,
                                        TextFormat format, std::optional<std::int64_t> fileSize) {
    return PropertyRowsOf(CountLetters(text), static_cast<std::int64_t>(text.size()), path, format,
                          fileSize);
}

std::vector<PropertyRow> PropertyRowsOf(const LetterCounts& counts, std::int64_t characters,
                                        std::string_view path, TextFormat format,
                                        std::optional<std::int64_t> fileSize) {
    const std::int64_t degree = RestorationDegree(counts.PlainE, counts.DiaeresisE);
    const bool hasFile = !path.empty();
    std::vector<PropertyRow> rows;
    rows.push_back({"Имя файла", std::string(path)});
    rows.push_back({"Формат файла", hasFile ? FormatDescription(format) : std::string()});
    rows.push_back(
        {"Длина файла в байтах", hasFile && fileSize ? std::to_string(*fileSize) : std::string()});
    rows.push_back({"Длина текста в символах", std::to_string(characters)});
    rows.push_back({"Число символов кириллицы", std::to_string(counts.Cyrillic)});
    rows.push_back({"Число е", std::to_string(counts.PlainE)});
    rows.push_back({"Число ё", std::to_string(counts.DiaeresisE)});
    rows.push_back(
        {"Степень ёфикации", std::to_string(degree) + "% (" + RestorationVerdict(degree) + ")"});
    return rows;
}

std::optional<std::vector<PropertyRow>>
FilePropertyRows(const TextBuffer& editor, std::string_view path, TextFormat format, Host& host) {
    std::optional<std::int64_t> size;
    if (!path.empty()) {
        errno = 0;
        std::ifstream file{std::string(path), std::ios::binary | std::ios::ate};
        if (!file) {
            const int code = errno != 0 ? errno : ENOENT;
            host.ShowError(FileErrorMessage(FileAction::Read, path, code));
            return std::nullopt;
        }
        const std::streamoff end = file.tellg();
        if (end < 0) {
            host.ShowError(FileErrorMessage(FileAction::Read, path, EIO));
            return std::nullopt;
        }
        size = static_cast<std::int64_t>(end);
    }
    std::vector<PropertyRow> rows = PropertyRowsOf(editor.GetAllText(), path, format, size);
    // The editor's own count: each line break is one character there.
    rows[3].Value = std::to_string(editor.TextLength());
    return rows;
}

} // namespace umlo
