#pragma once

#include <string>
#include <vector>

namespace kirogen::model {

// The editor tabs a project was saved with: the programs open, in tab order, and the current one.
struct EditorLayout
{
    std::vector<std::string> openTabs;
    std::string currentTab;

    bool operator==(const EditorLayout& other) const
    {
        return openTabs == other.openTabs && currentTab == other.currentTab;
    }
    bool operator!=(const EditorLayout& other) const { return !(*this == other); }
};

} // namespace kirogen::model
