#include "reader/WindowPlacement.h"

#include <algorithm>

namespace nbx::reader {

namespace {

constexpr int kMinSize = 100;
constexpr int kMaxSize = 2000;

// A size in pixels from the record, kept to what the dialog allows and the screen holds.
int Pixels(int code, int fallback, int room) {
    const int size = code > 0 ? std::clamp(code, kMinSize, kMaxSize) : fallback;
    return std::max(1, std::min(size, room));
}

}  // namespace

WindowPlacement PlaceWindow(int widthCode, int heightCode, int positionCode, bool resizable,
                            const WindowRect& available) {
    WindowPlacement p;
    const int roomW = std::max(1, available.width);
    const int roomH = std::max(1, available.height);
    const int defaultW = std::max(1, roomW * 3 / 4);
    const int defaultH = std::max(1, roomH * 4 / 5);
    const bool custom = widthCode > 0;
    p.rect.width = Pixels(custom ? widthCode : 0, defaultW, roomW);
    p.rect.height = Pixels(custom ? heightCode : 0, defaultH, roomH);

    // Horizontal and vertical place: -1 start, 0 centre, 1 end.
    int across = 0;
    int down = 0;
    if (custom) {
        switch (positionCode) {
            case -1:
                down = -1;
                break;
            case -2:
                across = 1;
                down = -1;
                break;
            case -3:
                across = 1;
                break;
            case -4:
                across = 1;
                down = 1;
                break;
            case -5:
                down = 1;
                break;
            case -6:
                across = -1;
                down = 1;
                break;
            case -7:
                across = -1;
                break;
            case -8:
                across = -1;
                down = -1;
                break;
            default:
                break;
        }
    }
    const int spareW = roomW - p.rect.width;
    const int spareH = roomH - p.rect.height;
    p.rect.x = available.x + (across < 0 ? 0 : across > 0 ? spareW : spareW / 2);
    p.rect.y = available.y + (down < 0 ? 0 : down > 0 ? spareH : spareH / 2);

    if (widthCode == -1) {
        p.show = WindowShow::Maximized;
    } else if (widthCode == -2) {
        p.show = WindowShow::Minimized;
    }
    p.fixedSize = !resizable && p.show == WindowShow::Normal;
    return p;
}

}  // namespace nbx::reader
