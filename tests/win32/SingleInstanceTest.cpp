// One running copy under Wine, in the situation a copy started "as
// administrator" creates for a normal one: the first copy's objects may be
// waited on and read, nothing more.

#include "platform/win32/SingleInstance.hpp"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

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

// Who the object's access list lets in, as "SID:mask" texts in order.
std::wstring grantsOf(HANDLE object) {
    DWORD size = 0;
    GetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::wstring text;
    std::vector<unsigned char> descriptor(size);
    BOOL present = FALSE, defaulted = FALSE;
    ACL* acl = nullptr;
    if (size && GetKernelObjectSecurity(object, DACL_SECURITY_INFORMATION, descriptor.data(), size, &size) &&
        GetSecurityDescriptorDacl(descriptor.data(), &present, &acl, &defaulted) && present && acl) {
        for (DWORD i = 0; i < acl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            if (!GetAce(acl, i, reinterpret_cast<void**>(&ace)) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
            wchar_t* sid = nullptr;
            ConvertSidToStringSidW(&ace->SidStart, &sid);
            text += std::wstring(sid ? sid : L"?") + L":" + std::to_wstring(ace->Mask) + L" ";
            LocalFree(sid);
        }
    }
    CloseHandle(object);
    return text;
}

std::wstring currentUser() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    wchar_t* sid = nullptr;
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
    std::wstring text = sid ? sid : L"";
    LocalFree(sid);
    return text;
}

TEST(SingleInstance, ACopyThatMayOnlyWaitAndReadStillFindsTheFirstAndReachesIt) {
    const std::wstring name = L"VelarionTest" + std::to_wstring(GetCurrentProcessId());
    win32::SingleInstance firstCopy(name);
    ASSERT_TRUE(firstCopy.first());
    // The objects let in the system and the user who started the copy, with every right.
    const std::wstring grants = grantsOf(OpenMutexW(READ_CONTROL, FALSE, (L"Local\\" + name + L".Instance").c_str()));
    const std::wstring all = std::to_wstring(GENERIC_ALL), mutexAll = std::to_wstring(MUTEX_ALL_ACCESS);
    EXPECT_TRUE(grants == L"S-1-5-18:" + all + L" " + currentUser() + L":" + all + L" " ||
                grants == L"S-1-5-18:" + mutexAll + L" " + currentUser() + L":" + mutexAll + L" ")
        << grants;
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
