// The arrangement of the toolbar: which commands stand on it, in which order,
// with which separators, and which commands are offered for it. The entries
// are the item names of the menu commands, "-" for a separator, exactly as the
// ToolBar section of the settings file stores them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace umlo {

inline constexpr std::string_view kToolbarSeparator = "-";
// The settings file keeps ToolButton1 … ToolButton50; a longer bar could not
// come back after a restart.
inline constexpr std::size_t kMaxToolbarEntries = 50;

class ToolbarLayout {
public:
    // eligible: the names of the commands that can have a button, in menu order.
    explicit ToolbarLayout(std::vector<std::string> eligible = {});

    // The bar from the saved ToolButton values in key order (empty values
    // left out): only the first 50 are taken, each name goes in front of the
    // ones after it so the bar keeps the key order, a name that is no eligible
    // command is skipped and a name saved twice stands once, where its higher
    // key puts it.
    void Load(const std::vector<std::string>& saved);

    // The entries on the bar, in order; also the value to save.
    const std::vector<std::string>& Bar() const { return bar_; }
    // The eligible commands not on the bar, in menu order.
    std::vector<std::string> Offered() const;
    const std::vector<std::string>& Eligible() const { return eligible_; }

    bool IsEligible(std::string_view name) const;
    bool OnBar(std::string_view name) const;
    bool Full() const { return bar_.size() >= kMaxToolbarEntries; }

    // Puts an offered command or a separator on the bar before position at
    // (at past the end appends). Refused for a name that is not offered and
    // when the bar is full.
    bool Insert(std::size_t at, const std::string& name);
    // Takes the entry off the bar; a command goes back to the offered ones.
    bool Remove(std::size_t at);
    // Moves the entry at from so that it stands at position to afterwards.
    bool Move(std::size_t from, std::size_t to);

    friend bool operator==(const ToolbarLayout&, const ToolbarLayout&) = default;

private:
    std::vector<std::string> eligible_;
    std::vector<std::string> bar_;
};

} // namespace umlo
