#include "documents/toolbar_layout.h"

#include <algorithm>
#include <utility>

#include "documents/settings_file.h"

namespace umlo {

ToolbarLayout::ToolbarLayout(std::vector<std::string> eligible) {
    // A command listed twice would be offered twice.
    for (std::string& name : eligible) {
        if (!name.empty() && name != kToolbarSeparator && !IsEligible(name)) {
            eligible_.push_back(std::move(name));
        }
    }
}

void ToolbarLayout::Load(const std::vector<std::string>& saved) {
    const std::size_t keys = std::min(saved.size(), kMaxToolbarEntries);
    const std::vector<std::string> first(saved.begin(), saved.begin() + keys);
    bar_.clear();
    for (std::string& name : ToolbarOrder(first)) {
        if (name == kToolbarSeparator || IsEligible(name)) {
            bar_.push_back(std::move(name));
        }
    }
}

std::vector<std::string> ToolbarLayout::Offered() const {
    std::vector<std::string> offered;
    for (const std::string& name : eligible_) {
        if (!OnBar(name)) {
            offered.push_back(name);
        }
    }
    return offered;
}

bool ToolbarLayout::IsEligible(std::string_view name) const {
    return std::find(eligible_.begin(), eligible_.end(), name) != eligible_.end();
}

bool ToolbarLayout::OnBar(std::string_view name) const {
    return name != kToolbarSeparator && std::find(bar_.begin(), bar_.end(), name) != bar_.end();
}

bool ToolbarLayout::Insert(std::size_t at, const std::string& name) {
    if (Full()) {
        return false;
    }
    if (name != kToolbarSeparator && (!IsEligible(name) || OnBar(name))) {
        return false;
    }
    bar_.insert(bar_.begin() + static_cast<std::ptrdiff_t>(std::min(at, bar_.size())), name);
    return true;
}

bool ToolbarLayout::Remove(std::size_t at) {
    if (at >= bar_.size()) {
        return false;
    }
    bar_.erase(bar_.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

bool ToolbarLayout::Move(std::size_t from, std::size_t to) {
    if (from >= bar_.size() || to >= bar_.size()) {
        return false;
    }
    std::string entry = std::move(bar_[from]);
    bar_.erase(bar_.begin() + static_cast<std::ptrdiff_t>(from));
    bar_.insert(bar_.begin() + static_cast<std::ptrdiff_t>(to), std::move(entry));
    return true;
}

} // namespace umlo
