#pragma once
// One component of a stand-in window: its declaration and the run-time state
// that behaviour reads and writes, as plain fields.

#include <map>
#include <string>
#include <vector>

#include "platform/Declaration.hpp"
#include "platform/WindowLayer.hpp"

namespace velarion {

struct SimComponent {
    ComponentDecl decl;    // a copy carries its own name here
    std::string original;  // for a copy: the declared component it was made from

    std::string text;      // caption or content
    std::string tag;
    std::string fileName;  // file dialog
    int left = 0, top = 0, height = 0;
    bool visible = true;
    bool disabled = false;
    bool checked = false;
    bool playAnimation = false;
    int position = 0;      // slider
    int currentPage = 0;   // 选择夹
    int selection = 0;     // combo item, open folder of the folder bar
    std::vector<std::string> partTexts;  // status bar
    std::map<int, int> pageExtents;      // 选择夹: page -> content height

    // Timer: the interval and, while it runs, when and in which order the next
    // tick is due (ties between due events go by the order they were scheduled).
    int interval = 0;
    long long nextTick = -1;
    unsigned long long tickOrder = 0;

    // The component in its declared state.
    static SimComponent fromDeclaration(const ComponentDecl& decl);
};

// How a run-time property is typed, and whether a kind has it.
enum class PropType { Text, Number, Flag };
PropType propType(Prop prop);
bool componentHas(Kind kind, Prop prop);
bool windowHas(Prop prop);
const char* propName(Prop prop);

}  // namespace velarion
