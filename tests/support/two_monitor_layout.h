#pragma once
// A private X server with two monitors side by side (see randr_control.h for how):
//
//   screen 0 (2560 wide)            screen 1 (1600 wide)
//   [ ...... | DISPLAY1 1280x1024 ] [ DISPLAY2 1280x1024, primary | ... ]
//
// \\.\DISPLAY1 is screen 0's output at x = 1280 of its screen, so on the desktop it
// sits at -1280, right against the primary \\.\DISPLAY2 at 0. Both outputs list the
// modes below (added by the test, which keeps its connection for the test's life).

#include <gtest/gtest.h>

#include "support/randr_control.h"
#include "support/xvfb_server.h"

struct TestMode {
    unsigned width, height, centiHertz;
};

// 59.94 Hz is reported as 59, cut as the interface does.
constexpr TestMode kTestModes[] = {{1280, 1024, 6000}, {1024, 768, 6000}, {1024, 768, 7500}, {800, 600, 5994}};

class TwoMonitorLayout {
public:
    TwoMonitorLayout() : m_server({"2560x1200x24", "1600x1200x24"})
    {
        if (!m_server.ready() || !m_randr.connected()) return;
        for (std::size_t i = 0; i < std::size(kTestModes); ++i) {
            m_modes[i] = m_randr.CreateMode(kTestModes[i].width, kTestModes[i].height, kTestModes[i].centiHertz);
            for (int screen = 0; screen < 2; ++screen) m_randr.AddOutputMode(screen, m_modes[i]);
        }
        m_randr.SetCrtc(0, m_modes[0], 1280, 0);
        m_randr.SetCrtc(1, m_modes[0], 0, 0);
        m_randr.SetPrimary(1);
        m_ready = true;
    }

    bool ready() const { return m_ready; }
    RandrControl& randr() { return m_randr; }
    unsigned long mode(std::size_t index) const { return m_modes[index]; }

private:
    XvfbServer m_server;
    RandrControl m_randr;
    unsigned long m_modes[std::size(kTestModes)] = {};
    bool m_ready = false;
};
