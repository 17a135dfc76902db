#pragma once
// The program's two windows as data: the main window and the add dialog.

#include "platform/Declaration.hpp"

namespace velarion {

// The range of the opacity slider 滑块条1; a stored opacity is brought into it.
inline constexpr int OpacityMinimum = 50;
inline constexpr int OpacityMaximum = 255;

// The start window: folder bar, the five pages in 图片框1, the status bar, the menu.
const WindowDecl& mainWindowDecl();

// The modal add-program dialog, made afresh on every opening.
const WindowDecl& addDialogDecl();

}  // namespace velarion
