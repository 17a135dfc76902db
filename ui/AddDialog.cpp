// The add dialog: a name, a program file and a category; "ＯＫ" stores the
// entry, has the main window refill its pages and closes the dialog.

#include <string>

#include "core/ListSplit.hpp"
#include "ui/Behaviours.hpp"
#include "ui/ComponentNames.hpp"
#include "ui/Declarations.hpp"

namespace velarion {
namespace {

using component::add::categoryList;
using component::add::fileDialog;
using component::add::nameBox;
using component::add::pathBox;

constexpr unsigned Exclamation = MbIconExclamation;

constexpr const char* NoName = "您还没有输入文件名";
constexpr const char* NoNameTitle = "未输入";
constexpr const char* NoCategory = "您还没有选择应用类型";
constexpr const char* NoCategoryTitle = "请先选择";
constexpr const char* HasSeparator = "应用名称和路径中不能含有“%$”";
constexpr const char* HasSeparatorTitle = "无法添加";
constexpr const char* NotStored = "无法写入kjfs.ini，应用未添加";
constexpr const char* NotStoredTitle = "保存失败";

bool holdsSeparator(const std::string& text) {
    return text.find(ListSeparator) != std::string::npos;
}

}  // namespace

bool onAddCommand(AppContext& ctx, EventContext& ev) {
    ctx.layer.runModal(addDialogDecl(), makeBehaviours(ctx), *ctx.main);
    return true;
}

bool onBrowseClicked(AppContext& ctx, EventContext& ev) {
    Window& dialog = ev.window;
    dialog.openFileDialog(fileDialog);
    // A cancel leaves the dialog's file name as it was, so the box keeps its text.
    dialog.setText(pathBox, Prop::Text, dialog.text(fileDialog, Prop::FileName));
    return true;
}

bool onConfirmClicked(AppContext& ctx, EventContext& ev) {
    Window& dialog = ev.window;
    const std::string name = dialog.text(nameBox, Prop::Text);
    if (name.empty()) {
        ctx.system.showMessageBox(NoName, Exclamation, NoNameTitle);
        return true;
    }
    const int index = dialog.number(categoryList, Prop::Selection);
    if (index == 0) {
        ctx.system.showMessageBox(NoCategory, Exclamation, NoCategoryTitle);
        return true;
    }
    if (index >= 1 && index <= static_cast<int>(AllCategories.size())) {
        const std::string path = dialog.text(pathBox, Prop::Text);
        // The separator inside a name or path would split the stored lists out of step.
        if (holdsSeparator(name) || holdsSeparator(path)) {
            ctx.system.showMessageBox(HasSeparator, Exclamation, HasSeparatorTitle);
            return true;
        }
        if (!ctx.catalog.append(AllCategories[index - 1], name, path)) {
            ctx.system.showMessageBox(NotStored, Exclamation, NotStoredTitle);
            return true;
        }
    }
    // With a large kjfs.ini the store may take most of a second and the refill
    // as long again: the refill runs from a message of its own, so the messages
    // waiting meanwhile are answered between the two.
    ctx.layer.postWork(*ctx.main, [&ctx] { fillPages(ctx); });
    dialog.close();
    return true;
}

}  // namespace velarion
