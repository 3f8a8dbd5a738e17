#pragma once
// The test's own RandR connection to the X server, which arranges the layout the
// code under test then finds: modes added to an output, CRTCs set, the primary
// output chosen, monitors named. Modes and monitors a client creates vanish when it
// disconnects, so a test keeps this object for as long as it checks.
//
// Xvfb gives every X screen exactly one output ("screen") with one CRTC, and cannot
// add outputs. A two-monitor layout is therefore built from two X screens
// (-screen 0 ... -screen 1 ...): each screen's output is one adapter, and the
// platform lays the screens side by side in screen order. With the primary output on
// screen 1, the adapter of screen 0 lies left of the primary (negative positions).

#include <string>

struct CrtcState {
    int x = -1, y = -1;
    unsigned width = 0, height = 0;
};

class RandrControl {
public:
    RandrControl();
    ~RandrControl();
    RandrControl(const RandrControl&) = delete;
    RandrControl& operator=(const RandrControl&) = delete;

    bool connected() const { return m_display != nullptr; }

    // A mode of exactly that refresh (hundredths of Hz); modes are the server's, and
    // listed by an output once added to it.
    unsigned long CreateMode(unsigned width, unsigned height, unsigned centiHertz);
    void AddOutputMode(int screen, unsigned long mode);
    void SetCrtc(int screen, unsigned long mode, int x, int y);
    void SetPrimary(int screen);
    void SetScreenSize(int screen, int width, int height);
    // A named monitor showing the screen's output, in place of the server's own one.
    void AddMonitor(int screen, const char* name, int x, int y, int width, int height);
    // What the server says the screen's CRTC shows.
    CrtcState Crtc(int screen);
    int ScreenWidth(int screen);

private:
    unsigned long Root(int screen) const;
    unsigned long Output(int screen);

    void* m_display;  // Display*, kept out of the header: Xlib's macros clash with ours
};
