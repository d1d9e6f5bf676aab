#include "app/main_window_states.h"

#include "documents/full_path.h"

namespace umlo {

CommandLine ParseCommandLine(std::string_view firstArgument, const std::string& startFolder) {
    CommandLine line;
    if (firstArgument == "/t") {
        line.testingMode = true;
    } else if (firstArgument == "-") {
        line.textPath = "/dev/stdin"; // as command-line tools take "-"
    } else {
        line.textPath = FullPath(firstArgument, startFolder);
    }
    return line;
}

std::vector<std::pair<std::string_view, bool>> RefreshedCommandStates(const CommandInputs& in) {
    const bool t = in.text;
    const bool ts = t && in.selection;
    const bool td = t && in.dictionary;
    return {
        {"Saveas1", t},
        {"Close1", t},
        {"Selectall1", t},
        {"Find1", t},
        {"Findreg1", t},
        {"Fileprop1", t},
        {"Save1", t && in.currentPath},
        {"Cut1", ts},
        {"Copy1", ts},
        {"Copytodicedit1", ts},
        {"Umlobegin1", td},
        {"Umlopos1", td},
        {"Umlocollect1", td && in.editorEnabled},
        {"Clearfilelist1", in.recentFiles},
        {"Findyyfwd1", in.replacements},
        {"Findyyback1", in.replacements},
        {"Clearstat1", in.decided},
        {"Stat1", in.decided},
    };
}

} // namespace umlo
