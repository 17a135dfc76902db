#include "platform/win32/SingleInstance.hpp"

#include <cstdint>

#include "platform/win32/MessageFilter.hpp"
#include "platform/win32/NativeWindow.hpp"

namespace velarion::win32 {
namespace {

// How long a later start waits for the first copy to be reachable.
constexpr int WaitSteps = 50;
constexpr DWORD WaitStepMs = 100;

// Where the first copy can be reached: its receiver window. Eight bytes in
// 32- and 64-bit programs alike (a window handle's value fits in 32 bits on both).
struct SharedBlock {
    volatile std::uint64_t receiver;
};
static_assert(sizeof(SharedBlock) == 8);

// The objects belong to the user, not to the token that made them: by default
// an elevated copy's objects grant the administrators alone, and the same user's
// normal copy could open neither of them. The access list grants all to the
// system and to the user ("D:(A;;GA;;;SY)(A;;GA;;;<user>)"), built in place: the
// text form would be parsed at every start.
class UserOnlyDescriptor {
public:
    UserOnlyDescriptor() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
        const UniqueKernelHandle owned(token);
        DWORD size = 0, systemSize = sizeof system_;
        if (!GetTokenInformation(token, TokenUser, user_, sizeof user_, &size) ||
            !CreateWellKnownSid(WinLocalSystemSid, nullptr, system_, &systemSize))
            return;
        PSID user = reinterpret_cast<TOKEN_USER*>(user_)->User.Sid;
        ready_ = InitializeAcl(reinterpret_cast<ACL*>(acl_), sizeof acl_, ACL_REVISION) &&
                 AddAccessAllowedAce(reinterpret_cast<ACL*>(acl_), ACL_REVISION, GENERIC_ALL, system_) &&
                 AddAccessAllowedAce(reinterpret_cast<ACL*>(acl_), ACL_REVISION, GENERIC_ALL, user) &&
                 InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
                 SetSecurityDescriptorDacl(&descriptor_, TRUE, reinterpret_cast<ACL*>(acl_), FALSE);
    }
    UserOnlyDescriptor(const UserOnlyDescriptor&) = delete;
    UserOnlyDescriptor& operator=(const UserOnlyDescriptor&) = delete;
    // nullptr when the token did not say who the user is: the system's default.
    PSECURITY_DESCRIPTOR get() { return ready_ ? &descriptor_ : nullptr; }

private:
    alignas(TOKEN_USER) unsigned char user_[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    alignas(DWORD) unsigned char system_[SECURITY_MAX_SID_SIZE];
    // The list's header and two entries, each an entry's header and a SID.
    alignas(DWORD) unsigned char acl_[sizeof(ACL) + 2 * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE)];
    SECURITY_DESCRIPTOR descriptor_{};
    bool ready_ = false;
};

}  // namespace

// The first copy's hidden window for requests from later starts (a message-only
// window: no taskbar button, not among the top-level windows).
class ShowRequestReceiver : public NativeWindow {
public:
    ShowRequestReceiver(HWND mainWindow, std::function<void()> show)
        : mainWindow_(mainWindow), show_(std::move(show)) {
        registerClass(L"VelarionShowRequest", nullptr, 0);
        createNative(0, L"VelarionShowRequest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
        allowFromLowerIntegrity(handle(), SingleInstance::showRequestMessage());
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != SingleInstance::showRequestMessage() || message == 0)
            return NativeWindow::handleMessage(message, wParam, lParam);
        if (show_) show_();
        if (IsIconic(mainWindow_)) ShowWindow(mainWindow_, SW_RESTORE);
        SetForegroundWindow(mainWindow_);
        return 0;
    }

private:
    HWND mainWindow_;
    std::function<void()> show_;
};

SingleInstance::SingleInstance(const std::wstring& name) : name_(name) {
    const std::wstring mutexName = L"Local\\" + name_ + L".Instance";
    const std::wstring mappingName = L"Local\\" + name_ + L".Reach";
    UserOnlyDescriptor descriptor;
    SECURITY_ATTRIBUTES security{sizeof security, descriptor.get(), FALSE};
    SECURITY_ATTRIBUTES* attributes = descriptor.get() ? &security : nullptr;

    // CreateMutexW asks for full access to an existing mutex; a copy that may
    // not have it (the mutex is an elevated copy's) is refused, and that too
    // means the mutex exists.
    SetLastError(ERROR_SUCCESS);
    mutex_.reset(CreateMutexW(attributes, FALSE, mutexName.c_str()));
    const DWORD error = GetLastError();
    first_ = !(error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED);
    if (!first_) {
        mutex_.reset();
        return;  // a later start opens the mapping, for reading only, when it needs it
    }
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, attributes, PAGE_READWRITE, 0,
                                      sizeof(SharedBlock), mappingName.c_str()));
    if (mapping_)
        view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SharedBlock)));
}

SingleInstance::~SingleInstance() = default;

UINT SingleInstance::showRequestMessage() {
    static const UINT message = RegisterWindowMessageW(L"Velarion.ShowRequest");
    return message;
}

void SingleInstance::publish(HWND mainWindow, std::function<void()> show) {
    if (!first_ || !view_) return;
    receiver_ = std::make_unique<ShowRequestReceiver>(mainWindow, std::move(show));
    static_cast<SharedBlock*>(view_.get())->receiver =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(receiver_->handle()));
}

bool SingleInstance::showRunning() {
    const std::wstring mappingName = L"Local\\" + name_ + L".Reach";
    for (int i = 0; i < WaitSteps; ++i, Sleep(WaitStepMs)) {
        if (!view_) {
            mapping_.reset(OpenFileMappingW(FILE_MAP_READ, FALSE, mappingName.c_str()));
            if (mapping_) view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, sizeof(SharedBlock)));
            if (!view_) continue;
        }
        const auto stored = static_cast<const SharedBlock*>(view_.get())->receiver;
        HWND receiver = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(stored));
        if (!receiver || !IsWindow(receiver)) continue;
        // This copy was just started by the user and may pass the right to take
        // the foreground on; the first copy then activates its own window.
        DWORD process = 0;
        if (GetWindowThreadProcessId(receiver, &process)) AllowSetForegroundWindow(process);
        return PostMessageW(receiver, showRequestMessage(), 0, 0) != FALSE;
    }
    return false;
}

}  // namespace velarion::win32
