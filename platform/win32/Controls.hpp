#pragma once
// Every component type of the window layer.

#include "platform/win32/Button.hpp"
#include "platform/win32/ComboBox.hpp"
#include "platform/win32/EditBox.hpp"
#include "platform/win32/EmptyPageLabel.hpp"
#include "platform/win32/FolderBar.hpp"
#include "platform/win32/GroupBox.hpp"
#include "platform/win32/InvisibleComponents.hpp"
#include "platform/win32/Label.hpp"
#include "platform/win32/PageContainer.hpp"
#include "platform/win32/PictureBox.hpp"
#include "platform/win32/StatusBar.hpp"
#include "platform/win32/Trackbar.hpp"
