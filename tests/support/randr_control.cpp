// The test's RandR connection (see randr_control.h).

#include "support/randr_control.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

Display* X(void* display)
{
    return static_cast<Display*>(display);
}

// Xlib's default handler would end the test program; a refused request shows in what
// the test then checks.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

RandrControl::RandrControl() : m_display(XOpenDisplay(nullptr))
{
    XSetErrorHandler(IgnoreXError);
}

RandrControl::~RandrControl()
{
    if (m_display) XCloseDisplay(X(m_display));
}

unsigned long RandrControl::Root(int screen) const
{
    return RootWindow(X(m_display), screen);
}

unsigned long RandrControl::Output(int screen)
{
    XRRScreenResources* resources = XRRGetScreenResources(X(m_display), Root(screen));
    RROutput output = resources->outputs[0];
    XRRFreeScreenResources(resources);
    return output;
}

unsigned long RandrControl::CreateMode(unsigned width, unsigned height, unsigned centiHertz)
{
    XRRModeInfo info{};
    std::string name = std::to_string(width) + "x" + std::to_string(height) + "_" + std::to_string(centiHertz);
    info.width = width;
    info.height = height;
    info.hSyncStart = width + 16;
    info.hSyncEnd = width + 96;
    info.hTotal = width + 160;
    info.vSyncStart = height + 3;
    info.vSyncEnd = height + 9;
    info.vTotal = height + 30;
    info.dotClock = static_cast<unsigned long>(static_cast<double>(info.hTotal) * info.vTotal * centiHertz / 100);
    info.name = name.data();
    info.nameLength = static_cast<unsigned>(name.size());
    RRMode mode = XRRCreateMode(X(m_display), Root(0), &info);
    XSync(X(m_display), False);
    return mode;
}

void RandrControl::AddOutputMode(int screen, unsigned long mode)
{
    XRRAddOutputMode(X(m_display), Output(screen), mode);
    XSync(X(m_display), False);
}

void RandrControl::SetCrtc(int screen, unsigned long mode, int x, int y)
{
    XRRScreenResources* resources = XRRGetScreenResources(X(m_display), Root(screen));
    RROutput output = resources->outputs[0];
    XRRSetCrtcConfig(X(m_display), resources, resources->crtcs[0], CurrentTime, x, y, mode, RR_Rotate_0, &output, 1);
    XRRFreeScreenResources(resources);
    XSync(X(m_display), False);
}

void RandrControl::SetPrimary(int screen)
{
    XRRSetOutputPrimary(X(m_display), Root(screen), Output(screen));
    XSync(X(m_display), False);
}

void RandrControl::SetScreenSize(int screen, int width, int height)
{
    XRRSetScreenSize(X(m_display), Root(screen), width, height, width / 4, height / 4);
    XSync(X(m_display), False);
}

void RandrControl::AddMonitor(int screen, const char* name, int x, int y, int width, int height)
{
    XRRMonitorInfo* monitor = XRRAllocateMonitor(X(m_display), 1);
    monitor->name = XInternAtom(X(m_display), name, False);
    monitor->x = x;
    monitor->y = y;
    monitor->width = width;
    monitor->height = height;
    monitor->mwidth = width / 4;
    monitor->mheight = height / 4;
    monitor->outputs[0] = Output(screen);
    XRRSetMonitor(X(m_display), Root(screen), monitor);
    XRRFreeMonitors(monitor);
    XSync(X(m_display), False);
}

CrtcState RandrControl::Crtc(int screen)
{
    CrtcState state;
    XRRScreenResources* resources = XRRGetScreenResources(X(m_display), Root(screen));
    if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(X(m_display), resources, resources->crtcs[0])) {
        state = {crtc->x, crtc->y, crtc->width, crtc->height};
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
    return state;
}

int RandrControl::ScreenWidth(int screen)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(X(m_display), Root(screen), &attributes);
    return attributes.width;
}
