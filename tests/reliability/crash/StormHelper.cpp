// The crash test's helper: storm_helper FOLDER FIRST does the storm operations
// FIRST, FIRST + 1, ... on FOLDER\kjfs.ini (FOLDER in ASCII) through the Win32 file layer, as fast as
// it can, until it is killed.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/Win32System.hpp"
#include "tests/reliability/crash/StormOps.hpp"

namespace {

class FolderSystem : public velarion::win32::Win32System {
public:
    explicit FolderSystem(std::string folder) : Win32System(nullptr), folder_(std::move(folder)) {}
    std::string windowsDirectory() override { return folder_; }

private:
    std::string folder_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    FolderSystem system(std::string(argv[1]) + "\\");
    velarion::SettingsFile settings(system);
    velarion::Catalog catalog(settings);
    for (long long n = std::strtoll(argv[2], nullptr, 10);; ++n)
        if (!velarion::crash::applyStormOp(settings, catalog, n)) return 3;
}
