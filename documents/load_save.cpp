#include "documents/load_save.h"

#include <filesystem>
#include <utility>

#include "core/system_message.h"
#include "documents/encoding_detect.h"
#include "documents/input_file.h"
#include "documents/package_document.h"
#include "documents/text_file.h"

namespace umlo {

namespace {

constexpr std::string_view kUtf8Question =
    "Внимание! Файлы формата UTF-8 обычно обрабатываются программой очень медленно.\rВы уверены, "
    "что хотите загружать подобные файлы?";
constexpr std::string_view kLossQuestion =
    "При сохранении файла в данном формате\rнекоторые символы могут быть потеряны.\r Продолжить?";
constexpr std::string_view kSaveChangesQuestion = "Файл был изменён. Сохранить изменения?";
constexpr std::string_view kRichTextLossQuestion =
    "Текст изменён не только в буквах е и ё.\rФайл RTF будет записан заново, и в нём пропадёт "
    "оформление, которого программа не показывает: шрифты, курсив, отступы, таблицы, рисунки, "
    "сноски.\rПродолжить?";

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// A pipe (process substitution, /dev/stdin), a FIFO or a device.
bool IsStreamInput(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
           !std::filesystem::is_directory(status);
}

// The editor's hourglass for the length of a file operation.
class EditorBusy {
public:
    explicit EditorBusy(TextBuffer& editor) : editor_(editor) { editor_.SetBusyCursor(true); }
    ~EditorBusy() { editor_.SetBusyCursor(false); }
    EditorBusy(const EditorBusy&) = delete;
    EditorBusy& operator=(const EditorBusy&) = delete;

private:
    TextBuffer& editor_;
};

} // namespace

std::string LettersOnlyExplanation(TextFormat format) {
    return "Документ " + std::string(DocumentFormatName(format)) +
           " можно только ёфицировать: при сохранении в нём меняются лишь буквы е и ё, а всё "
           "остальное (оформление, сноски, рисунки) остаётся как было.\rЧтобы править текст, "
           "сохраните его как простой текст или RTF (\"Сохранить текст как\").";
}

bool ConfirmOverwrite(Host& host, std::string_view path) {
    return host.AskYesNo("Файл " + std::string(path) + " существует. Переписать?");
}

TextFiles::TextFiles(TextBuffer& editor, TextIoHost& host, RecentFiles& recent,
                     const TOptions& options, SettingsValues& values)
    : editor_(editor), host_(host), recent_(recent), options_(options), values_(values) {}

const TextFiles::StreamInput* TextFiles::Stream(const std::string& path) const {
    if (stream_ && stream_->path == path) {
        return &*stream_;
    }
    if (!IsStreamInput(path)) {
        return nullptr;
    }
    StreamInput input{path, {}, {}};
    input.read = ReadWholeInput(path, input.bytes);
    stream_ = std::move(input);
    return &*stream_;
}

TextFormat TextFiles::ResolveFormat(const std::string& path, TextFormat dialogFormat) const {
    if (const StreamInput* stream = Stream(path)) {
        if (const TextFormat document = DocumentFormatOf(path, stream->bytes)) {
            return document;
        }
        return ResolveFormatOfBytes(path, stream->bytes, dialogFormat, options_.AutoUnicode,
                                    values_.UTFLength);
    }
    if (const TextFormat document = DocumentFormatOfFile(path)) {
        return document;
    }
    return umlo::ResolveFormat(path, dialogFormat, options_.AutoUnicode, values_.UTFLength);
}

bool TextFiles::LoadText(const std::string& path, TextFormat format) {
    if (!FileExists(path)) {
        host_.ShowError("Файл \"" + path + "\" не найден");
        return false;
    }
    // A stream's bytes are taken here: a later load reads it again.
    std::optional<StreamInput> stream;
    if (Stream(path) != nullptr) {
        stream = std::exchange(stream_, std::nullopt);
    }
    // A document is never read as plain text, from wherever its format came.
    if (!IsDocumentFormat(format)) {
        if (const TextFormat document =
                stream ? DocumentFormatOf(path, stream->bytes) : DocumentFormatOfFile(path)) {
            format = document;
        }
    }
    {
        BusyStatus busy(host_, "Загрузка файла " + path + " ...");
        host_.ApplyWordWrap(options_.WordWrap);
        {
            EditorBusy hourglass(editor_);
            FileOrigin origin;
            FileResult read = !stream        ? ReadTextFile(path, format, editor_, &origin)
                              : stream->read ? ReadTextBytes(path, std::move(stream->bytes), format,
                                                             editor_, &origin)
                                             : stream->read;
            if (!read) {
                // The editor still holds the previous text, which stays current.
                host_.ShowError(read.error);
                return false;
            }
            host_.SetCaption(path);
            host_.SetModified(false);
            if (origin.package) {
                format = origin.package->format; // with the encoding found in it
            }
            origin_ = std::move(origin);
            editor_.SetLettersOnly(IsDocumentFormat(format));
        }
        currentFormat_ = format;
        if (stream) {
            // Nothing to save back to or to open again: "Сохранить текст
            // как" names a file, and the recent list stays as it was.
            editor_.GotoOffset(0);
            currentPath_.clear();
        } else {
            editor_.GotoOffset(recent_.RecentPosition(path));
            currentPath_ = path;
            recent_.AddRecent(path, editor_.SelStart(), format);
            values_.TextDirectory = FolderOf(path);
        }
        host_.ShowCaretPosition(editor_.SelStart());
        host_.SetModified(false);
        host_.ClearPassLists();
    }
    host_.RefreshCommands();
    return true;
}

bool TextFiles::OpenText() {
    if (!AskSaveChanges()) {
        return false;
    }
    FileDialogSetup setup;
    setup.folder = values_.TextDirectory;
    setup.encodingEnabled = !options_.AutoUnicode;
    setup.encodingIndex = EncodingIndexOf(openDialogFormat_);
    if (!openDialogShown_) {
        setup.filterIndex = kOpenFilterAllTypes;
    }
    const auto choice = host_.ShowOpenDialog(setup);
    openDialogShown_ = true;
    if (!choice) {
        return false;
    }
    const TextFormat format =
        ResolveFormat(choice->path, DialogChoiceFormat(choice->encodingIndex, choice->filterIndex));
    openDialogFormat_ = format;
    if (HasFlag(format, FormatUtf8) && !IsDocumentFormat(format) && values_.UTF8Warning) {
        if (!host_.AskYesNo(kUtf8Question)) {
            return false;
        }
        values_.UTF8Warning = false;
    }
    EditorBusy hourglass(editor_);
    recent_.RememberPosition(currentPath_, editor_);
    return LoadText(choice->path, format);
}

bool TextFiles::LoadDropped(const std::vector<std::string>& paths) {
    if (paths.empty() || !AskSaveChanges()) {
        return false;
    }
    recent_.RememberPosition(currentPath_, editor_);
    return LoadText(paths.front(), ResolveFormat(paths.front(), 0));
}

bool TextFiles::WriteDocument(const std::string& path, TextFormat format) {
    std::string bytes;
    {
        BusyStatus busy(host_);
        EditorBusy hourglass(editor_);
        FileResult written = EncodeDocumentBytes(path, origin_, editor_, bytes);
        if (written) {
            written = WriteFileReplacing(path, bytes);
        }
        if (!written) {
            host_.ShowError(written.error);
            return false;
        }
        // What was written is what later saves patch.
        auto document = std::make_shared<PackageDocument>();
        std::string why;
        if (ReadPackageDocument(std::move(bytes), format, *document, why)) {
            origin_.package = std::move(document);
        }
    }
    host_.SetModified(false);
    return true;
}

bool TextFiles::Write(const std::string& path, TextFormat format) {
    if (IsDocumentFormat(format)) {
        return WriteDocument(path, format);
    }
    if (HasFlag(format, FormatRtf) && origin_.rtf && !RichTextPatchable(origin_, editor_) &&
        !host_.AskYesNo(kRichTextLossQuestion)) {
        return false;
    }
    std::string bytes;
    {
        BusyStatus busy(host_);
        EditorBusy hourglass(editor_);
        try {
            bytes = EncodeBufferText(format, editor_, &origin_);
        } catch (const std::bad_alloc&) {
            host_.ShowError(FileErrorMessage(FileAction::Write, path, ENOMEM));
            return false;
        }
        if (FileResult written = WriteFileReplacing(path, bytes); !written) {
            // The text stays marked as changed, with the path and format of
            // the text as it is on disk.
            host_.ShowError(written.error);
            return false;
        }
    }
    if (HasFlag(format, FormatRtf)) {
        origin_ = FileOrigin{std::nullopt, ReadRtfSource(std::move(bytes)), nullptr};
    } else if (!origin_.plain ||
               (origin_.plain->format & kEncodingMask) != (format & kEncodingMask)) {
        origin_ = {}; // written in the default way: saved so from now on
    }
    host_.SetModified(false);
    return true;
}

bool TextFiles::SaveCurrent() {
    return !currentPath_.empty() && Write(currentPath_, currentFormat_);
}

bool TextFiles::SaveAs() {
    saveDialogFormat_ = currentFormat_;
    FileDialogSetup setup;
    setup.fileName = currentPath_;
    setup.encodingEnabled = true;
    setup.encodingIndex = EncodingIndexOf(saveDialogFormat_);
    setup.filterIndex = HasFlag(saveDialogFormat_, FormatRtf) ? kRichTextFilter : 0;
    const bool document = IsDocumentFormat(currentFormat_) && origin_.package;
    if (document) {
        // The document itself, or its text exported as plain or rich text.
        setup.filter = std::string(kSaveFilter) + "|" +
                       std::string(DocumentFormatName(currentFormat_)) + "|" +
                       std::string(DocumentFormatPattern(currentFormat_));
        setup.filterIndex = kDocumentFilter;
    }
    const auto choice = host_.ShowSaveDialog(setup);
    if (!choice) {
        return false;
    }
    const std::string& path = choice->path;
    if (FileExists(path) && !ConfirmOverwrite(host_, path)) {
        return false;
    }
    const TextFormat format = document && choice->filterIndex == kDocumentFilter
                                  ? currentFormat_
                                  : DialogChoiceFormat(choice->encodingIndex, choice->filterIndex);
    saveDialogFormat_ = format;
    const bool losesRichText = HasFlag(currentFormat_, FormatRtf) && !HasFlag(format, FormatRtf);
    const bool unicode = HasFlag(currentFormat_, kEncodingMask) || IsDocumentFormat(currentFormat_);
    const bool losesUnicode =
        unicode && !HasFlag(format, kEncodingMask) && !IsDocumentFormat(format);
    if ((losesRichText || losesUnicode) && !host_.AskYesNo(kLossQuestion)) {
        return false;
    }
    if (!Write(path, format)) {
        return false; // path and format stay those of the text as it is on disk
    }
    currentFormat_ = format;
    editor_.SetLettersOnly(IsDocumentFormat(format));
    values_.TextDirectory = FolderOf(path);
    currentPath_ = path;
    host_.SetCaption(path);
    recent_.AddRecent(path, editor_.SelStart(), format);
    return true;
}

bool TextFiles::AskSaveChanges() {
    if (editor_.TextLength() == 0 || !host_.Modified()) {
        return true;
    }
    const MessageResult answer = host_.ShowMessage(MessageKind::Warning, kSaveChangesQuestion,
                                                   MessageButtons::YesNoCancel, MessageResult::Yes);
    if (answer == MessageResult::No) {
        return true;
    }
    if (answer != MessageResult::Yes) {
        return false;
    }
    return currentPath_.empty() ? SaveAs() : SaveCurrent();
}

} // namespace umlo
