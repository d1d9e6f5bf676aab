#include "documents/settings_file.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <system_error>

#include "core/codepage.h"
#include "documents/full_path.h"
#include "documents/settings_location.h"

namespace umlo {

namespace {

constexpr std::string_view kUmlo = "Umlo";
constexpr std::string_view kColors = "Colors";
constexpr std::string_view kEditor = "Editor";
constexpr std::string_view kInternal = "Internal";
constexpr std::string_view kNetwork = "Network";
constexpr std::string_view kToolBar = "ToolBar";
constexpr std::string_view kFiles = "Files";
constexpr int kToolButtons = 50;

// Paths are kept in cp1251 like the rest of the file, except a path that
// cp1251 cannot spell (café, CJK names), which would come back with "?" in
// it: that one is written in UTF-8, and read back as UTF-8 because a cp1251
// path is practically never valid UTF-8 with bytes above 127.
std::string ReadPath(const ProfileFile& file, std::string_view section, std::string_view key,
                     std::string_view defaultValue) {
    std::string value = file.ReadString(section, key, defaultValue);
    const bool ascii = std::all_of(value.begin(), value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !ascii && IsValidUtf8(value) ? value : Cp1251ToUtf8(value);
}

void WritePath(ProfileFile& file, std::string_view section, std::string_view key,
               std::string_view path) {
    std::string cp1251 = Utf8ToCp1251(path);
    if (Cp1251ToUtf8(cp1251) != path) {
        file.WriteString(section, key, path);
        return;
    }
    file.WriteString(section, key, cp1251);
}

std::string Key(std::string_view stem, int number) {
    return std::string(stem) + std::to_string(number);
}

std::string FirstFour(std::string_view keys) {
    return std::string(keys.substr(0, 4));
}

} // namespace

WindowPlace DefaultWindowPlace(ScreenSize screen) {
    return {screen.Height * 3 / 4, screen.Width * 3 / 4, screen.Height / 8, screen.Width / 8};
}

std::string ResolveDictionaryPath(std::string_view value, const std::string& programFolder) {
    if (value.empty() || value.find_first_of("/\\") != std::string_view::npos) {
        return std::string(value);
    }
    return BundledDataFile(programFolder, std::string(value));
}

std::vector<std::string> ToolbarOrder(const std::vector<std::string>& savedNames) {
    std::deque<std::string> bar;
    for (auto it = savedNames.rbegin(); it != savedNames.rend(); ++it) {
        if (it->empty()) {
            continue;
        }
        if (*it != "-" && std::find(bar.begin(), bar.end(), *it) != bar.end()) {
            continue;
        }
        bar.push_front(*it);
    }
    return {bar.begin(), bar.end()};
}

void ReadSettings(const ProfileFile& file, const SettingsContext& context, OptionCopies& options,
                  SettingsValues& values, RecentFiles& recent) {
    TOptions& o = options.CurrentOptions;
    const TOptions d; // the defaults
    o.AlwaysAsk = file.ReadBool(kUmlo, "AlwaysAsk", d.AlwaysAsk);
    o.Mark = file.ReadBool(kUmlo, "Mark", d.Mark);
    o.FastScroll = file.ReadBool(kUmlo, "FastScroll", d.FastScroll);
    o.CheckUmlo = file.ReadBool(kUmlo, "CheckUmlo", d.CheckUmlo);
    o.NoVarOnly = file.ReadBool(kUmlo, "NoVarOnly", d.NoVarOnly);
    o.VarOnly = file.ReadBool(kUmlo, "VarOnly", d.VarOnly);
    o.WordWrap = file.ReadBool(kUmlo, "WordWrap", d.WordWrap);
    o.ProposeLast = file.ReadBool(kUmlo, "ProposeLast", d.ProposeLast);
    o.FBFormat = file.ReadBool(kUmlo, "FBFormat", d.FBFormat);
    o.AutoUnicode = file.ReadBool(kUmlo, "AutoUnicode", d.AutoUnicode);
    o.RegExprs = file.ReadBool(kUmlo, "RegExprs", d.RegExprs);
    o.RecallLastFile = file.ReadBool(kUmlo, "RecallLastFile", d.RecallLastFile);
    o.ToConfirmAbbr = file.ReadBool(kUmlo, "ToConfirmAbbr", d.ToConfirmAbbr);
    o.ToConfirmEllipsis = file.ReadBool(kUmlo, "ToConfirmEllipsis", d.ToConfirmEllipsis);
    o.ToConfirmCap = file.ReadBool(kUmlo, "ToConfirmCap", d.ToConfirmCap);

    const WindowPlace place = DefaultWindowPlace(context.Screen);
    values.Window.Height = file.ReadInteger(kUmlo, "WindowHeight", place.Height);
    values.Window.Width = file.ReadInteger(kUmlo, "WindowWidth", place.Width);
    values.Window.Top = file.ReadInteger(kUmlo, "WindowTop", place.Top);
    values.Window.Left = file.ReadInteger(kUmlo, "WindowLeft", place.Left);

    o.FontName = file.ReadString(kUmlo, "FontName", d.FontName);
    o.FontSize = file.ReadInteger(kUmlo, "FontSize", d.FontSize);
    // A character set is one byte; anything outside it is not a set at all.
    const std::int32_t charset = file.ReadInteger(kUmlo, "FontCharset", d.FontCharset);
    o.FontCharset =
        charset >= 0 && charset <= 255 ? static_cast<std::uint8_t>(charset) : d.FontCharset;

    values.DictionaryPath = ResolveDictionaryPath(ReadPath(file, kUmlo, "Dictionary", "umlox.dat"),
                                                  context.ProgramFolder);
    values.RegExprDictionaryPath = ResolveDictionaryPath(
        ReadPath(file, kUmlo, "RegExprDictionary", "umlo_regexpr.dat"), context.ProgramFolder);

    o.LinesBelow = file.ReadInteger(kUmlo, "LinesBelow", d.LinesBelow);
    values.ButtonHotKeys = FirstFour(file.ReadString(kUmlo, "ButtonHotKeys", "1234"));
    o.NotConfirmOnClose = file.ReadBool(kUmlo, "NotConfirmOnClose", d.NotConfirmOnClose);

    o.ColorMark = static_cast<Color>(
        file.ReadInteger(kColors, "ColorMark", static_cast<std::int32_t>(d.ColorMark)));
    o.ColorBackMark = static_cast<Color>(
        file.ReadInteger(kColors, "ColorBackMark", static_cast<std::int32_t>(d.ColorBackMark)));

    values.EditorEnabled = file.ReadBool(kEditor, "Enabled", false);
    values.SplitSize = file.ReadInteger(kEditor, "SplitSize", 90);

    values.UTF8Warning = file.ReadBool(kInternal, "UTF8Warning", true);
    values.UTFLength = file.ReadInteger(kInternal, "UTFLength", 512);

    o.ProxyName = file.ReadString(kNetwork, "ProxyName", d.ProxyName);
    o.ProxyPort = file.ReadInteger(kNetwork, "ProxyPort", d.ProxyPort);

    o.ShowToolBar = file.ReadBool(kToolBar, "ShowToolBar", d.ShowToolBar);
    values.ToolButtons.clear();
    for (int i = 1; i <= kToolButtons; ++i) {
        std::string name = file.ReadString(kToolBar, Key("ToolButton", i), "");
        if (!name.empty()) {
            values.ToolButtons.push_back(std::move(name));
        }
    }

    // The place in the list of each stored name: LastFileN counts the names
    // as stored, and a second spelling of a file is not listed again.
    std::vector<int> places;
    for (int i = 1; i <= RecentFiles::kCapacity; ++i) {
        const std::string value = ReadPath(file, kFiles, Key("Name", i), "");
        if (!value.empty()) {
            RecentEntry entry = ParseRecentValue(value);
            // A relative name was stored when the program folder was current.
            entry.Path = FullPath(entry.Path, context.ProgramFolder);
            places.push_back(recent.AddStoredRecent(entry));
        }
    }

    values.StartPath.clear();
    values.StartFormat = 0;
    if (o.RecallLastFile && !context.TextOnCommandLine) {
        const std::int32_t last = file.ReadInteger(kFiles, "LastFileN", 0);
        const bool stored = last >= 1 && last <= static_cast<std::int32_t>(places.size());
        const auto entry = recent.EntryAt(stored ? places[last - 1] : 0);
        if (entry) {
            values.StartPath = entry->Path;
            values.StartFormat = entry->Format;
        }
    }

    values.WordsBufferLength = file.ReadInteger(kUmlo, "WordsBufferLength", 5);
    values.WordsBufferHalf = values.WordsBufferLength / 2;
    values.RegExprLog = file.ReadBool(kUmlo, "RegExprLog", false);
    values.TextDirectory =
        FullPath(ReadPath(file, kUmlo, "TextDirectory", ""), context.ProgramFolder);

    options.SavedOptions = options.CurrentOptions;
}

void WriteSettings(ProfileFile& file, const OptionCopies& options, const SettingsValues& values,
                   const RecentFiles& recent, std::string_view currentPath) {
    const TOptions& s = options.SavedOptions;
    file.WriteBool(kUmlo, "AlwaysAsk", s.AlwaysAsk);
    file.WriteBool(kUmlo, "Mark", s.Mark);
    file.WriteBool(kUmlo, "FastScroll", s.FastScroll);
    file.WriteBool(kUmlo, "CheckUmlo", s.CheckUmlo);
    file.WriteBool(kUmlo, "NoVarOnly", s.NoVarOnly);
    file.WriteBool(kUmlo, "VarOnly", s.VarOnly);
    file.WriteBool(kUmlo, "WordWrap", s.WordWrap);
    file.WriteBool(kUmlo, "ProposeLast", s.ProposeLast);
    file.WriteBool(kUmlo, "FBFormat", s.FBFormat);
    file.WriteBool(kUmlo, "AutoUnicode", s.AutoUnicode);
    file.WriteInteger(kUmlo, "WindowHeight", values.Window.Height);
    file.WriteInteger(kUmlo, "WindowWidth", values.Window.Width);
    file.WriteInteger(kUmlo, "WindowTop", values.Window.Top);
    file.WriteInteger(kUmlo, "WindowLeft", values.Window.Left);
    file.WriteBool(kUmlo, "RegExprs", s.RegExprs);
    file.WriteString(kUmlo, "FontName", s.FontName);
    file.WriteInteger(kUmlo, "FontSize", s.FontSize);
    file.WriteInteger(kUmlo, "FontCharset", s.FontCharset);
    WritePath(file, kUmlo, "Dictionary", values.DictionaryPath);
    WritePath(file, kUmlo, "RegExprDictionary", values.RegExprDictionaryPath);
    file.WriteBool(kUmlo, "RecallLastFile", s.RecallLastFile);
    file.WriteBool(kUmlo, "ToConfirmAbbr", s.ToConfirmAbbr);
    file.WriteBool(kUmlo, "ToConfirmEllipsis", s.ToConfirmEllipsis);
    file.WriteBool(kUmlo, "ToConfirmCap", s.ToConfirmCap);
    file.DeleteKey(kUmlo, "LastFileName");
    file.DeleteKey(kUmlo, "LastFilePos");
    WritePath(file, kUmlo, "TextDirectory", values.TextDirectory);
    file.WriteString(kUmlo, "ButtonHotKeys", FirstFour(values.ButtonHotKeys));

    file.WriteInteger(kColors, "ColorMark", s.ColorMark);
    file.WriteInteger(kColors, "ColorBackMark", s.ColorBackMark);

    file.WriteBool(kEditor, "Enabled", values.EditorEnabled);
    file.WriteBool(kEditor, "InsertLog", values.InsertLog);
    file.WriteInteger(kEditor, "SplitSize", values.SplitSize);

    file.WriteBool(kInternal, "UTF8Warning", values.UTF8Warning);

    file.WriteString(kNetwork, "ProxyName", s.ProxyName);
    file.WriteInteger(kNetwork, "ProxyPort", s.ProxyPort);

    file.WriteBool(kToolBar, "ShowToolBar", s.ShowToolBar);
    const int buttons = static_cast<int>(values.ToolButtons.size());
    for (int i = 1; i <= buttons; ++i) {
        const std::string& name = values.ToolButtons[i - 1];
        file.WriteString(kToolBar, Key("ToolButton", i), name.empty() ? "-" : name);
    }
    for (int i = buttons + 1; i <= kToolButtons; ++i) {
        file.DeleteKey(kToolBar, Key("ToolButton", i));
    }

    if (recent.BlockCreated()) {
        for (int i = 1; i <= RecentFiles::kCapacity; ++i) {
            const auto entry = recent.EntryAt(i);
            WritePath(file, kFiles, Key("Name", i), entry ? FormatRecentValue(*entry) : "");
        }
    }
    file.WriteInteger(kFiles, "LastFileN", recent.FindRecent(currentPath));
}

void TestingModeSettings(ScreenSize screen, OptionCopies& options, SettingsValues& values) {
    options.CurrentOptions = TestingModeOptions();
    options.SavedOptions = options.CurrentOptions;
    values = SettingsValues{};
    values.Window = DefaultWindowPlace(screen);
    values.DictionaryPath = "***";
    values.RegExprDictionaryPath.clear();
    values.WordsBufferLength = 5;
    values.WordsBufferHalf = 2;
    values.TextDirectory.clear();
    values.RegExprLog = false;
}

bool SettingsFile::Load(const SettingsContext& context, OptionCopies& options,
                        SettingsValues& values, RecentFiles& recent, std::string* error) {
    std::error_code ec;
    const bool useFallback = !fallbackPath_.empty() && !std::filesystem::exists(path_, ec) && !ec &&
                             std::filesystem::is_regular_file(fallbackPath_, ec);
    const bool read = profile_.Load(useFallback ? fallbackPath_ : path_, error);
    ReadSettings(profile_, context, options, values, recent);
    return read;
}

bool SettingsFile::Save(const OptionCopies& options, const SettingsValues& values,
                        const RecentFiles& recent, std::string_view currentPath,
                        std::string* error) {
    WriteSettings(profile_, options, values, recent, currentPath);
    return profile_.Save(path_, error);
}

SettingsFile ProgramSettingsFile(const std::string& settingsFolder,
                                 const std::string& programFolder) {
    std::string path = FileInFolder(settingsFolder, kSettingsFileName);
    std::string own = FileInFolder(programFolder, kSettingsFileName);
    return path == own ? SettingsFile(std::move(path))
                       : SettingsFile(std::move(path), std::move(own));
}

} // namespace umlo
