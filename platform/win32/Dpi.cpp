#include "platform/win32/Dpi.hpp"

#include "platform/win32/Handles.hpp"
#include "platform/win32/LateBound.hpp"

namespace velarion::win32 {
namespace {

// Where the DPI functions are; they came with later versions of Windows.
constexpr wchar_t User32[] = L"user32.dll";

int screenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : BaseDpi;
    return dpi > 0 ? dpi : BaseDpi;
}

}  // namespace

void enablePerMonitorDpiAwareness() {
    using SetContext = BOOL WINAPI(HANDLE);
    if (auto set = lateBound<SetContext>(User32, "SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; fails harmlessly when
        // the manifest has set the awareness already.
        if (set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;
        if (GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    using SetAware = BOOL WINAPI();
    if (auto set = lateBound<SetAware>(User32, "SetProcessDPIAware")) set();
}

int dpiOfWindow(HWND window) {
    using GetForWindow = UINT WINAPI(HWND);
    static const auto get = lateBound<GetForWindow>(User32, "GetDpiForWindow");
    if (get && window) {
        const UINT dpi = get(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return systemDpi();
}

int systemDpi() {
    using GetForSystem = UINT WINAPI();
    static const auto get = lateBound<GetForSystem>(User32, "GetDpiForSystem");
    if (get) {
        const UINT dpi = get();
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return screenDpi();
}

int systemMetricForDpi(int index, int dpi) {
    using GetMetric = int WINAPI(int, UINT);
    static const auto get = lateBound<GetMetric>(User32, "GetSystemMetricsForDpi");
    if (get) return get(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

LOGFONTW messageFontForDpi(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    using GetForDpi = BOOL WINAPI(UINT, UINT, PVOID, UINT, UINT);
    static const auto get = lateBound<GetForDpi>(User32, "SystemParametersInfoForDpi");
    if (get && get(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        LOGFONTW font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi());
        return font;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi());
    return font;
}

}  // namespace velarion::win32
