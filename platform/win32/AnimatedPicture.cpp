#include "platform/win32/AnimatedPicture.hpp"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

#include "assets/resource.h"
#include "platform/win32/Com.hpp"

namespace velarion::win32 {
namespace {

ComPtr<IWICImagingFactory> imagingFactory() {
    ComPtr<IWICImagingFactory> factory;
    createInProcess(CLSID_WICImagingFactory, IID_IWICImagingFactory, factory.putVoid());
    return factory;
}

// A whole number from a metadata query, or `fallback`.
int queryNumber(IWICMetadataQueryReader* reader, const wchar_t* name, int fallback) {
    if (!reader) return fallback;
    PROPVARIANT value;
    PropVariantInit(&value);
    int result = fallback;
    if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
        switch (value.vt) {
        case VT_UI1: result = value.bVal; break;
        case VT_UI2: result = value.uiVal; break;
        case VT_UI4: result = static_cast<int>(value.ulVal); break;
        case VT_I4: result = value.lVal; break;
        case VT_BOOL: result = value.boolVal ? 1 : 0; break;
        default: break;
        }
    }
    clearPropVariant(&value);
    return result;
}

// One frame as decoded: its pixels (premultiplied BGRA), its place on the
// canvas, how long it shows and what becomes of it before the next one.
struct FramePixels {
    int left = 0, top = 0, width = 0, height = 0;
    int delayMs = 100;
    int disposal = 0;  // 2: back to transparent, 3: back to what was before
    std::vector<std::uint32_t> pixels;
};

std::optional<FramePixels> readFrame(IWICImagingFactory& factory, IWICBitmapDecoder& decoder,
                                     UINT index) {
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder.GetFrame(index, frame.put()))) return std::nullopt;
    UINT width = 0, height = 0;
    frame->GetSize(&width, &height);
    FramePixels result;
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    ComPtr<IWICMetadataQueryReader> meta;
    frame->GetMetadataQueryReader(meta.put());
    result.left = queryNumber(meta.get(), L"/imgdesc/Left", 0);
    result.top = queryNumber(meta.get(), L"/imgdesc/Top", 0);
    const int delay = queryNumber(meta.get(), L"/grctlext/Delay", 10) * 10;
    // A delay under 20 ms is taken as the customary 100 ms, as browsers do.
    result.delayMs = delay < 20 ? 100 : delay;
    result.disposal = queryNumber(meta.get(), L"/grctlext/Disposal", 0);

    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory.CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    result.pixels.resize(static_cast<std::size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(result.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(result.pixels.data()))))
        return std::nullopt;
    return result;
}

// Calls visit(at, from) for every pixel of the frame that falls on a canvas of
// width x height: `at` indexes the canvas, `from` the frame's pixels.
template <typename Visit>
void forEachOnCanvas(const FramePixels& frame, int width, int height, Visit visit) {
    for (int y = 0; y < frame.height; ++y) {
        const int cy = frame.top + y;
        if (cy < 0 || cy >= height) continue;
        for (int x = 0; x < frame.width; ++x) {
            const int cx = frame.left + x;
            if (cx < 0 || cx >= width) continue;
            visit(static_cast<std::size_t>(cy) * width + cx,
                  static_cast<std::size_t>(y) * frame.width + x);
        }
    }
}

}  // namespace

std::optional<AnimatedPicture> AnimatedPicture::fromAsset(const std::string& asset) {
    int id = 0;
    if (asset == "busy") id = IDR_BUSY_GIF;
    if (id == 0) return std::nullopt;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!resource) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return decode(bytes, SizeofResource(module, resource));
}

std::optional<AnimatedPicture> AnimatedPicture::decode(const void* bytes, std::size_t size) {
    const ComScope com;  // outlives every interface below
    ComPtr<IWICImagingFactory> factory = imagingFactory();
    if (!factory) return std::nullopt;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)),
                                            static_cast<DWORD>(size))))
        return std::nullopt;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                                decoder.put())))
        return std::nullopt;
    UINT count = 0;
    if (FAILED(decoder->GetFrameCount(&count)) || count == 0) return std::nullopt;

    AnimatedPicture picture;
    ComPtr<IWICMetadataQueryReader> global;
    decoder->GetMetadataQueryReader(global.put());
    picture.width_ = queryNumber(global.get(), L"/logscrdesc/Width", 0);
    picture.height_ = queryNumber(global.get(), L"/logscrdesc/Height", 0);

    std::vector<std::uint32_t> canvas, saved;
    for (UINT i = 0; i < count; ++i) {
        std::optional<FramePixels> frame = readFrame(*factory.get(), *decoder.get(), i);
        if (!frame) return std::nullopt;
        if (picture.width_ <= 0 || picture.height_ <= 0) {
            picture.width_ = frame->width;
            picture.height_ = frame->height;
        }
        if (canvas.empty())
            canvas.assign(static_cast<std::size_t>(picture.width_) * picture.height_, 0);
        const auto onCanvas = [&](auto visit) {
            forEachOnCanvas(*frame, picture.width_, picture.height_, visit);
        };

        if (frame->disposal == 3) saved = canvas;
        onCanvas([&](std::size_t at, std::size_t from) {
            if ((frame->pixels[from] >> 24) != 0) canvas[at] = frame->pixels[from];
        });
        picture.frames_.push_back({canvas, frame->delayMs});
        if (frame->disposal == 2) {
            onCanvas([&](std::size_t at, std::size_t) { canvas[at] = 0; });
        } else if (frame->disposal == 3 && !saved.empty()) {
            canvas = saved;
        }
    }
    return picture;
}

int AnimatedPicture::delay(int index) const {
    if (index < 0 || index >= frameCount()) return 100;
    return frames_[static_cast<std::size_t>(index)].delayMs;
}

void AnimatedPicture::render(SIZE size, COLORREF background) {
    rendered_.clear();
    renderedSize_ = size;
    if (size.cx <= 0 || size.cy <= 0 || frames_.empty()) return;
    const ComScope com;  // outlives every interface below
    ComPtr<IWICImagingFactory> factory = imagingFactory();
    if (!factory) return;
    const std::uint32_t bgR = GetRValue(background), bgG = GetGValue(background), bgB = GetBValue(background);
    for (const Frame& frame : frames_) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || !bits) return;
        auto* target = static_cast<std::uint32_t*>(bits);
        const std::size_t count = static_cast<std::size_t>(size.cx) * size.cy;

        ComPtr<IWICBitmap> source;
        ComPtr<IWICBitmapScaler> scaler;
        const UINT stride = static_cast<UINT>(width_) * 4;
        if (FAILED(factory->CreateBitmapFromMemory(
                static_cast<UINT>(width_), static_cast<UINT>(height_), GUID_WICPixelFormat32bppPBGRA,
                stride, stride * static_cast<UINT>(height_),
                reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(frame.pixels.data())), source.put())) ||
            FAILED(factory->CreateBitmapScaler(scaler.put())) ||
            FAILED(scaler->Initialize(source.get(), static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                      WICBitmapInterpolationModeFant)) ||
            FAILED(scaler->CopyPixels(nullptr, static_cast<UINT>(size.cx) * 4, static_cast<UINT>(count * 4),
                                      static_cast<BYTE*>(bits))))
            std::fill(target, target + count, 0u);
        // Lay the premultiplied pixels on the background.
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t p = target[i];
            const std::uint32_t inverse = 255 - (p >> 24);
            const std::uint32_t b = (p & 0xFF) + bgB * inverse / 255;
            const std::uint32_t g = ((p >> 8) & 0xFF) + bgG * inverse / 255;
            const std::uint32_t r = ((p >> 16) & 0xFF) + bgR * inverse / 255;
            target[i] = (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
        }
        rendered_.push_back(std::move(bitmap));
    }
}

void AnimatedPicture::draw(HDC dc, int index, int x, int y) const {
    if (index < 0 || index >= static_cast<int>(rendered_.size())) return;
    UniqueDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectScope use(memory.get(), rendered_[static_cast<std::size_t>(index)].get());
    BitBlt(dc, x, y, renderedSize_.cx, renderedSize_.cy, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace velarion::win32
