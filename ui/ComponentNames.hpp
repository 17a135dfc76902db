#pragma once
// Names of the components of the two windows. The declarations name each
// component with one of these and the handlers address it by the same one, so
// a name is written once; a window layer refuses a name it does not hold.

#include <array>

namespace velarion::component {

// The window itself.
inline constexpr char window[] = "";

// Main window: menu bar.
inline constexpr char menuFile[] = "菜单_文件";
inline constexpr char menuAdd[] = "菜单_添加";
inline constexpr char menuAbout[] = "菜单_关于";
inline constexpr char menuAboutAuthor[] = "菜单_关于作者";
inline constexpr char menuHelp[] = "菜单_帮助";

// Main window: on the window itself.
inline constexpr char folderBar[] = "卷帘式菜单1";
inline constexpr char pageFrame[] = "图片框1";
inline constexpr char statusBar[] = "状态条1";
inline constexpr char tabs[] = "选择夹1";  // holds the five pages, in 图片框1

// Pages 0 to 3 of 选择夹1: one per category, in the order of the categories.
struct CategoryPage {
    const char* templateButton;  // hidden; the page's entry buttons are its copies
    const char* emptyLabel;      // shown when the category holds no entry
};
inline constexpr std::array<CategoryPage, 4> categoryPages = {{
    {"按钮_聊天", "标签_聊天"},
    {"按钮_音乐", "标签_音乐"},
    {"按钮_游戏", "标签_游戏"},
    {"按钮_其他", "标签_其他"},
}};

// Page 4 of 选择夹1: settings.
inline constexpr char opacityGroup[] = "分组框1";
inline constexpr char shutdownGroup[] = "分组框2";
inline constexpr char optionsGroup[] = "分组框3";
inline constexpr char opacitySlider[] = "滑块条1";
inline constexpr char autostartBox[] = "选择框1";
inline constexpr char topmostBox[] = "选择框2";

// Page 4: the timed shutdown rows in 分组框2.
inline constexpr char clockRadio[] = "单选框1";
inline constexpr char countdownRadio[] = "单选框2";
inline constexpr char hourBox[] = "编辑框_时";
inline constexpr char minuteBox[] = "编辑框_分";
inline constexpr char secondBox[] = "编辑框_秒";
inline constexpr char remainingBox[] = "编辑框_秒计";
inline constexpr char hourCaption[] = "标签1";
inline constexpr char minuteCaption[] = "标签2";
inline constexpr char secondCaption[] = "标签3";
inline constexpr char remainingCaption[] = "标签4";
inline constexpr char busyAnimation[] = "图片框2";
inline constexpr char shutdownTimer[] = "时钟1";
inline constexpr char shutdownButton[] = "按钮1";

// The add dialog.
namespace add {
inline constexpr char nameCaption[] = "标签1";
inline constexpr char nameBox[] = "编辑框2";
inline constexpr char pathCaption[] = "标签2";
inline constexpr char pathBox[] = "编辑框1";
inline constexpr char browseButton[] = "按钮1";
inline constexpr char categoryCaption[] = "标签3";
inline constexpr char categoryList[] = "组合框1";
inline constexpr char confirmButton[] = "按钮2";
inline constexpr char fileDialog[] = "通用对话框1";
}  // namespace add

}  // namespace velarion::component
