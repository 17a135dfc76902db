#include "platform/win32/PictureBox.hpp"

#include "platform/win32/Handles.hpp"
#include "platform/win32/accessibility/ControlAccessibles.hpp"

namespace velarion::win32 {
namespace {
constexpr wchar_t kClass[] = L"VelarionPicture";
constexpr UINT_PTR kFrameTimer = 1;
}  // namespace

void PictureBox::create(HWND parent, int id) {
    id_ = id;
    registerClass(kClass, GetSysColorBrush(COLOR_BTNFACE), CS_HREDRAW | CS_VREDRAW);
    DWORD style = commonStyle() | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (decl_.border == Border::Single) style |= WS_BORDER;
    if (decl_.border == Border::Sunken) exStyle |= WS_EX_CLIENTEDGE;
    if (!createNative(exStyle, kClass, L"", style, placement(), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
        return;
    renderPicture();
    play(playing_);
}

// The picture is decoded when it is first needed (painted, played or asked
// about), not with the window: decoding loads the imaging codecs, which would
// hold up the first showing of a window whose picture is on a hidden page.
AnimatedPicture* PictureBox::picture() {
    if (!decoded_ && !decl_.picture.empty()) {
        decoded_ = true;
        picture_ = AnimatedPicture::fromAsset(decl_.picture);
        if (picture_) renderPicture();
    }
    return picture_ ? &*picture_ : nullptr;
}

void PictureBox::layout(int dpi) {
    Component::layout(dpi);
    renderPicture();
}

void PictureBox::renderPicture() {
    if (!picture_ || !handle()) return;
    RECT client{};
    GetClientRect(handle(), &client);
    const SIZE size = decl_.stretch ? SIZE{client.right, client.bottom}
                                    : SIZE{scaled(picture_->width()), scaled(picture_->height())};
    picture_->render(size, GetSysColor(COLOR_BTNFACE));
    InvalidateRect(handle(), nullptr, TRUE);
}

void PictureBox::play(bool on) {
    const bool changed = on != playing_;
    playing_ = on;
    if (!handle()) return;
    // Readers show whether it plays (accessibility/PictureBoxAccessible.cpp).
    if (changed) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle(), OBJID_CLIENT, CHILDID_SELF);
    if (on && picture() && picture_->frameCount() > 1)
        SetTimer(handle(), kFrameTimer, static_cast<UINT>(picture_->delay(frame_)), nullptr);
    else
        KillTimer(handle(), kFrameTimer);
}

bool PictureBox::getFlag(Prop prop, bool& value) const {
    if (prop != Prop::PlayAnimation) return Component::getFlag(prop, value);
    value = playing_;
    return true;
}

bool PictureBox::setFlag(Prop prop, bool value) {
    if (prop != Prop::PlayAnimation) return Component::setFlag(prop, value);
    if (value != playing_) play(value);
    return true;
}

LRESULT PictureBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT forwarded = 0;
    if (forwardToRoot(message, wParam, lParam, forwarded)) return forwarded;
    switch (message) {
    case WM_TIMER:
        if (wParam == kFrameTimer && picture_ && picture_->frameCount() > 0) {
            frame_ = (frame_ + 1) % picture_->frameCount();
            SetTimer(handle(), kFrameTimer, static_cast<UINT>(picture_->delay(frame_)), nullptr);
            InvalidateRect(handle(), nullptr, FALSE);
        }
        return 0;
    case WM_GETOBJECT:
        if (asksForClient(lParam)) return answerWith(wParam, pictureBoxAccessible(handle(), lifeline_.weak()));
        return defaultProc(message, wParam, lParam);
    case WM_PAINT: {
        PaintScope paintScope(handle());
        if (picture()) picture_->draw(paintScope.dc(), frame_, 0, 0);
        return 0;
    }
    default:
        return defaultProc(message, wParam, lParam);
    }
}

}  // namespace velarion::win32
