#pragma once
// Where the reader's window opens, from the size and position codes of the settings record
// and the screen's free area (the screen less its panels).
//
// Width codes: -1 maximized, -2 minimized, -3 the default size, otherwise pixels (100 to
// 2000; the height likewise). Position codes, used with a size in pixels: 0 centred,
// -1 top centred, -2 top right, -3 right centred, -4 bottom right, -5 bottom centred,
// -6 bottom left, -7 left centred, -8 top left; any other code centres the window.

namespace nbx::reader {

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect&) const = default;
};

enum class WindowShow { Normal, Maximized, Minimized };

struct WindowPlacement {
    WindowShow show = WindowShow::Normal;
    WindowRect rect;         // the normal geometry (also what a maximized window restores to)
    bool fixedSize = false;  // the window can't be resized
};

// The default size: three quarters of the free width and four fifths of its height.
WindowPlacement PlaceWindow(int widthCode, int heightCode, int positionCode, bool resizable,
                            const WindowRect& available);

}  // namespace nbx::reader
