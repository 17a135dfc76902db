#include "platform/win32/Dpi.hpp"

namespace velarion::win32 {
namespace {

template <typename F>
F user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : BaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BaseDpi;
}

}  // namespace

void enablePerMonitorDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (auto set = user32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; fails harmlessly when
        // the manifest has set the awareness already.
        if (set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;
        if (GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (auto set = user32Function<SetAware>("SetProcessDPIAware")) set();
}

int dpiOfWindow(HWND window) {
    using GetForWindow = UINT(WINAPI*)(HWND);
    static const auto get = user32Function<GetForWindow>("GetDpiForWindow");
    if (get && window) {
        const UINT dpi = get(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return systemDpi();
}

int systemDpi() {
    using GetForSystem = UINT(WINAPI*)();
    static const auto get = user32Function<GetForSystem>("GetDpiForSystem");
    if (get) {
        const UINT dpi = get();
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return screenDpi();
}

int systemMetricForDpi(int index, int dpi) {
    using GetMetric = int(WINAPI*)(int, UINT);
    static const auto get = user32Function<GetMetric>("GetSystemMetricsForDpi");
    if (get) return get(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

LOGFONTW messageFontForDpi(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    using GetForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto get = user32Function<GetForDpi>("SystemParametersInfoForDpi");
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
