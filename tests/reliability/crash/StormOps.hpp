#pragma once
// The write storm of the crash test: operation n is a settings write as the slider
// and the check boxes make them, or (every fourth) a catalog append. The helper
// does them on the real file; the controller does the same ones in memory to know
// every state the file may be in.

#include <string>

#include "core/Catalog.hpp"
#include "core/SettingsFile.hpp"
#include "core/TextNumber.hpp"

namespace velarion::crash {

inline bool applyStormOp(SettingsFile& settings, Catalog& catalog, long long n) {
    switch (n % 8) {
        case 3:
        case 7: {
            const std::string number = numberToText(n);
            return catalog.append(AllCategories[(n / 8) % 4], "程序" + number, "C:\\目录 " + number + "\\程序.exe");
        }
        case 5:
            return settings.write(SectionSettings, KeyTopmost, n % 16 == 5 ? FlagOn : FlagOff);
        default:
            return settings.write(SectionSettings, KeyOpacity, numberToText(50 + n % 206));
    }
}

}  // namespace velarion::crash
