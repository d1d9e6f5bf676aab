#include "cli/info_command.h"

#include <filesystem>

#include "cli/text_document.h"
#include "documents/file_properties.h"
#include "documents/memory_text_buffer.h"

namespace umlo::cli {

int RunInfo(const CliArguments& args, Console& console) {
    bool failed = false;
    bool first = true;
    for (const std::string& path : args.files) {
        TextDocument document;
        std::string error;
        if (!ReadTextDocument(path, args.encoding, document, error)) {
            console.err << "umlo-cli: " << error << "\n";
            failed = true;
            continue;
        }
        MemoryTextBuffer buffer;
        LoadDocument(document, buffer);
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(path, ec);
        const std::string shown = ec ? path : full.lexically_normal().string();
        const std::vector<PropertyRow> rows =
            PropertyRowsOf(buffer.GetAllText(), shown, document.format,
                           static_cast<std::int64_t>(document.fileSize));
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
