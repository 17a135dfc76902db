// One running copy under Wine, in the situation a copy started "as
// administrator" creates for a normal one: the first copy's objects may be
// waited on and read, nothing more.

#include "platform/win32/SingleInstance.hpp"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>

namespace velarion::testing {
namespace {

// Leaves `object` open to everyone for `access` only.
void restrictTo(HANDLE object, const wchar_t* access) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        (std::wstring(L"D:P(A;;") + access + L";;;WD)").c_str(), SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_TRUE(SetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, descriptor));
    LocalFree(descriptor);
    CloseHandle(object);
}

TEST(SingleInstance, ACopyThatMayOnlyWaitAndReadStillFindsTheFirstAndReachesIt) {
    const std::wstring name = L"VelarionTest" + std::to_wstring(GetCurrentProcessId());
    win32::SingleInstance firstCopy(name);
    ASSERT_TRUE(firstCopy.first());
    HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_TRUE(main);
    int shows = 0;
    firstCopy.publish(main, [&] {
        ++shows;
        ShowWindow(main, SW_SHOW);
    });

    restrictTo(OpenMutexW(WRITE_DAC, FALSE, (L"Local\\" + name + L".Instance").c_str()), L"0x00100000");  // SYNCHRONIZE
    restrictTo(OpenFileMappingW(WRITE_DAC, FALSE, (L"Local\\" + name + L".Reach").c_str()), L"0x4");  // FILE_MAP_READ
    // What a plain CreateMutexW now meets: no handle, access denied.
    EXPECT_EQ(CreateMutexW(nullptr, FALSE, (L"Local\\" + name + L".Instance").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    win32::SingleInstance later(name);
    EXPECT_FALSE(later.first());
    ASSERT_TRUE(later.showRunning());
    EXPECT_FALSE(IsWindowVisible(main));  // the later copy shows nothing itself
    MSG message;
    for (int i = 0; i < 100 && shows == 0; ++i, Sleep(20))
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(GetForegroundWindow(), main);
    DestroyWindow(main);
}

}  // namespace
}  // namespace velarion::testing
