#pragma once
// 卷帘式菜单 to a screen reader: a page tab list whose tabs are the folders.

#include <memory>

#include "platform/win32/accessibility/Accessible.hpp"

namespace velarion::win32 {

class FolderBar;

Accessible* folderBarAccessible(HWND window, std::weak_ptr<FolderBar> bar);
// Tells readers that folder `open` (from 0) is the open one now.
void announceOpenFolder(HWND bar, int open);
// Tells readers that the focus is on folder `open` (the bar got the focus).
void announceFocusedFolder(HWND bar, int open);

}  // namespace velarion::win32
