#pragma once
// An animated picture (GIF) decoded with WIC: its frames composed as the
// format's disposal rules say, then scaled once to the size they are shown at
// and laid on the background colour, ready to be drawn.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Handles.hpp"

namespace velarion::win32 {

class AnimatedPicture {
public:
    // Decodes a GIF held in memory; nullopt when it cannot be decoded.
    static std::optional<AnimatedPicture> decode(const void* bytes, std::size_t size);
    // The picture an asset name of the declarations stands for (a resource of
    // the program); nullopt when the program does not carry it.
    static std::optional<AnimatedPicture> fromAsset(const std::string& asset);

    int width() const { return width_; }
    int height() const { return height_; }
    int frameCount() const { return static_cast<int>(frames_.size()); }
    // Milliseconds frame `index` stays on screen.
    int delay(int index) const;

    // Prepares the frames for drawing at `size` on `background`.
    void render(SIZE size, COLORREF background);
    // Draws frame `index` as prepared, its top-left corner at (x, y).
    void draw(HDC dc, int index, int x, int y) const;

private:
    struct Frame {
        std::vector<std::uint32_t> pixels;  // premultiplied BGRA, width_ x height_
        int delayMs = 100;
    };
    std::vector<Frame> frames_;
    int width_ = 0, height_ = 0;
    std::vector<UniqueBitmap> rendered_;
    SIZE renderedSize_{0, 0};
};

}  // namespace velarion::win32
