#include "cli/info_command.h"

#include <filesystem>
#include <memory>

#include "cli/text_document.h"
#include "documents/file_properties.h"
#include "documents/input_file.h"
#include "documents/memory_text_buffer.h"
#include "documents/package_document.h"
#include "documents/plain_text_counter.h"
#include "documents/text_format.h"
#include "documents/zip_package.h"

namespace umlo::cli {
namespace {

// Enough of a file to tell its encoding (the check reads its first kilobyte).
constexpr std::size_t kStartBytes = 4096;

std::string ShownPath(const std::string& path) {
    if (path == "-") {
        return path;
    }
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

// Rich text and documents are read whole: their letters are known only once
// they are parsed.
bool WholeFileRows(const std::string& path, EncodingChoice choice, std::vector<PropertyRow>& rows,
                   std::string& error, const std::function<void()>& waiting) {
    TextDocument document;
    if (!ReadTextDocument(path, choice, document, error, waiting)) {
        return false;
    }
    MemoryTextBuffer buffer;
    LoadDocument(document, buffer);
    rows = PropertyRowsOf(buffer.Text(), ShownPath(path), document.format,
                          static_cast<std::int64_t>(document.fileSize));
    return true;
}

// Plain text is counted as it streams past; it is never held whole.
bool PlainTextRows(const std::string& path, EncodingChoice choice, std::vector<PropertyRow>& rows,
                   std::string& error, const std::function<void()>& waiting) {
    InputFile input;
    if (FileResult r = input.Open(path, waiting); !r) {
        error = r.error;
        return false;
    }
    std::string start;
    std::string piece;
    do {
        if (FileResult r = input.Next(piece); !r) {
            error = r.error;
            return false;
        }
        start += piece;
    } while (!piece.empty() && start.size() < kStartBytes);

    // A document with a name that does not say so is known by its content.
    if (LooksLikeZip(start) || DocumentFormatOf(path, start) != 0) {
        while (!piece.empty()) {
            if (FileResult r = input.Next(piece); !r) {
                error = r.error;
                return false;
            }
            start += piece;
        }
        if (const TextFormat document = DocumentFormatOf(path, start)) {
            PackageDocument package;
            if (!ReadPackageDocument(std::move(start), document, package, error)) {
                error = path + ": " + error;
                return false;
            }
            rows = PropertyRowsOf(package.text, ShownPath(path), package.format, input.Done());
            return true;
        }
    }

    bool undecided = false;
    TextFormat format = PlainFormatFromStart(start, choice, undecided);
    const std::string_view signature = SignatureOf(format);
    std::string_view first = start;
    if (!undecided && !signature.empty() && first.starts_with(signature)) {
        format |= FormatSignature;
        first.remove_prefix(signature.size());
    }
    // Undecided, the file is counted as UTF-8 and as cp1251 until it shows
    // which it is.
    std::unique_ptr<PlainTextCounter> counter = std::make_unique<PlainTextCounter>(format);
    std::unique_ptr<PlainTextCounter> asCp1251;
    if (undecided) {
        asCp1251 = std::make_unique<PlainTextCounter>(0);
    }
    const auto feed = [&](std::string_view bytes) {
        if (counter) {
            counter->Feed(bytes);
            if (undecided && !counter->Decodable()) {
                counter.reset();
            }
        }
        if (asCp1251) {
            asCp1251->Feed(bytes);
        }
    };
    feed(first);
    while (!piece.empty()) {
        if (FileResult r = input.Next(piece); !r) {
            error = r.error;
            return false;
        }
        feed(piece);
    }
    std::string why = counter ? counter->Finish() : std::string();
    if (undecided && (!counter || !counter->Decodable())) {
        counter = std::move(asCp1251);
        format = 0;
        why = counter->Finish();
    }
    if (!why.empty()) {
        error = path + ": " + why;
        return false;
    }
    rows = PropertyRowsOf(counter->Letters(), counter->Characters(), ShownPath(path), format,
                          input.Done());
    return true;
}

} // namespace

int RunInfo(const CliArguments& args, Console& console) {
    bool failed = false;
    bool first = true;
    for (const std::string& path : args.files) {
        std::vector<PropertyRow> rows;
        std::string error;
        const auto waiting = [&console, &path] { console.err << WaitingNote(path) << std::flush; };
        const bool whole = IsRtfName(path) || (DocumentFormatOfName(path) != 0 &&
                                               DocumentFormatOfName(path) != FormatFb2);
        const bool read = InputExists(path, error) &&
                          (whole ? WholeFileRows(path, args.encoding, rows, error, waiting)
                                 : PlainTextRows(path, args.encoding, rows, error, waiting));
        if (!read) {
            console.err << "umlo-cli: " << error << "\n";
            failed = true;
            continue;
        }
        if (!first) {
            console.out << "\n"; // files apart
        }
        first = false;
        for (const PropertyRow& row : rows) {
            console.out << row.Name << "\t" << row.Value << "\n";
        }
    }
    console.out.flush();
    return failed ? kExitFailure : kExitOk;
}

} // namespace umlo::cli
