#pragma once
// One connection to the X display that DISPLAY names, with the RandR layout read from
// it: every output of every X screen (the adapters, in screen order and then the
// server's output order), their CRTCs, modes and monitors. A call opens its own
// session and closes it before returning, so nothing is kept between calls.
//
// The virtual desktop: one X screen is the usual desktop. When a display has several
// screens, they are laid side by side from left to right in screen order (screen n
// starts where screen n-1 ends), as one would arrange them; positions are reported
// relative to the primary output's top-left corner, as the interface expects.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelm::platform::display {

using XId = unsigned long;  // an X resource (output, CRTC, mode); 0 is none

struct OutputMode {
    XId id = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t refresh = 0;  // Hz, cut to a whole number as the original interface reports it
};

struct Adapter {
    int screen = 0;
    XId output = 0;
    std::string name;        // the output's name: HDMI-1, screen, ...
    XId crtc = 0;            // 0 when the output is not driven (not on the desktop)
    std::vector<XId> crtcs;  // the CRTCs that can drive it
    std::vector<OutputMode> modes;
    XId mode = 0;      // current mode (when driven)
    int x = 0, y = 0;  // CRTC position on its X screen
    std::uint32_t width = 0, height = 0;
    bool primary = false;
    std::vector<std::string> monitors;  // names of the RandR monitors that show it

    const OutputMode* CurrentMode() const;
};

class Session {
public:
    // Null when there is no display (DISPLAY unset, the server refuses, no RandR).
    static std::unique_ptr<Session> Open();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::vector<Adapter>& Adapters() const { return m_adapters; }
    // "\\.\DISPLAYn" to an adapter, case-insensitive; a null name is the primary.
    const Adapter* Find(const char* deviceName) const;
    const Adapter* Primary() const;

    // Virtual-desktop coordinates of a point on a screen, and back.
    long ScreenLeft(int screen) const;
    int BitsPerPixel(int screen) const;
    // The top-left corner of the primary output on the virtual desktop.
    long PrimaryLeft() const;
    long PrimaryTop() const;

    // Puts the output on `crtc` in `mode` at (x, y) of its screen, growing the screen
    // first when the CRTC would reach past it. False when the server refuses.
    bool SetCrtc(const Adapter& adapter, XId crtc, XId mode, int x, int y);
    // A CRTC of the adapter's screen that drives no output and can drive this one; 0 if none.
    XId FreeCrtc(const Adapter& adapter) const;
    // The largest screen size the server allows.
    void MaxScreenSize(int screen, int& width, int& height) const;
    int ScreenWidth(int screen) const;
    int ScreenHeight(int screen) const;

    struct Connection;

private:
    explicit Session(std::unique_ptr<Connection> connection);
    void ReadLayout();
    bool GrowScreen(int screen, int width, int height);

    std::unique_ptr<Connection> m_connection;
    std::vector<Adapter> m_adapters;
};

std::string DeviceNameOf(std::size_t index);  // "\\.\DISPLAY1" for index 0
std::string DeviceIdOf(const Adapter& adapter);

}  // namespace zelm::platform::display
