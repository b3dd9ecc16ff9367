#include "package/PackageNames.h"
#include "shell/Games.h"
#include "shell/MainWindowState.h"
#include "shell/PackageList.h"

#include <algorithm>
#include <string_view>

namespace swatchbox {

void LoadRetailList(const char* ResourceName, std::vector<std::string>& List) {
    List.clear();
    HRSRC Resource = FindResourceA(App.Instance, ResourceName, RT_RCDATA);
    if (!Resource)
        return;
    const DWORD Size = SizeofResource(App.Instance, Resource);
    HGLOBAL Loaded = LoadResource(App.Instance, Resource);
    const auto* Text = Loaded ? static_cast<const char*>(LockResource(Loaded)) : nullptr;
    if (!Text)
        return;
    List = ParseRetailList(std::string_view(Text, Size));
}

int GetRetailImage(const std::string& Path) {
    if (!IsRetailCommand(App.RetailMarker))
        return -1;
    const int Image = App.RetailMarker - FirstRetailCommand;
    const auto& List = App.RetailLists[static_cast<std::size_t>(Image)];
    return std::find(List.begin(), List.end(), RetailName(Path)) != List.end() ? Image : -1;
}

} // namespace swatchbox
