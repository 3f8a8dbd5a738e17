#include "platform/display/randr_session.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <strings.h>

#include <algorithm>
#include <mutex>

namespace zelm::platform::display {

namespace {

// Xlib's default error handler ends the process; a refused request must only fail the
// call. The handler is process-wide, so it is swapped in for the session's life only,
// and one session runs at a time.
std::mutex g_sessionLock;
int g_lastXError = 0;

int RecordXError(Display*, XErrorEvent* event)
{
    g_lastXError = event->error_code;
    return 0;
}

std::uint32_t RefreshOf(const XRRModeInfo& mode)
{
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan) lines *= 2;
    if (mode.modeFlags & RR_Interlace) lines /= 2;
    if (mode.hTotal == 0 || lines == 0) return 0;
    return static_cast<std::uint32_t>(static_cast<double>(mode.dotClock) / (mode.hTotal * lines));
}

const XRRModeInfo* FindModeInfo(const XRRScreenResources* resources, RRMode id)
{
    for (int i = 0; i < resources->nmode; ++i)
        if (resources->modes[i].id == id) return &resources->modes[i];
    return nullptr;
}

}  // namespace

struct Session::Connection {
    std::lock_guard<std::mutex> exclusive{g_sessionLock};
    Display* display = nullptr;
    int (*previousHandler)(Display*, XErrorEvent*) = nullptr;
    int randrMinor = 0;
    std::vector<XRRScreenResources*> resources;  // one per screen

    ~Connection()
    {
        for (auto* r : resources) XRRFreeScreenResources(r);
        if (display) {
            XSync(display, False);
            XCloseDisplay(display);
        }
        XSetErrorHandler(previousHandler);
    }
    Window Root(int screen) const { return RootWindow(display, screen); }
    // Sends what is queued and says whether the server refused any of it.
    bool Flush()
    {
        g_lastXError = 0;
        XSync(display, False);
        return g_lastXError == 0;
    }
};

const OutputMode* Adapter::CurrentMode() const
{
    for (const auto& m : modes)
        if (m.id == mode) return &m;
    return nullptr;
}

std::unique_ptr<Session> Session::Open()
{
    auto connection = std::make_unique<Connection>();
    connection->previousHandler = XSetErrorHandler(RecordXError);
    connection->display = XOpenDisplay(nullptr);
    if (connection->display == nullptr) return nullptr;
    int eventBase = 0, errorBase = 0, major = 0;
    if (!XRRQueryExtension(connection->display, &eventBase, &errorBase) ||
        !XRRQueryVersion(connection->display, &major, &connection->randrMinor) || major < 1 ||
        (major == 1 && connection->randrMinor < 2))
        return nullptr;
    std::unique_ptr<Session> session(new Session(std::move(connection)));
    session->ReadLayout();
    return session;
}

Session::Session(std::unique_ptr<Connection> connection) : m_connection(std::move(connection)) {}
Session::~Session() = default;

void Session::ReadLayout()
{
    Display* display = m_connection->display;
    for (int screen = 0; screen < ScreenCount(display); ++screen) {
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, m_connection->Root(screen));
        m_connection->resources.push_back(resources);
        if (resources == nullptr) continue;
        RROutput primary = XRRGetOutputPrimary(display, m_connection->Root(screen));
        int monitorCount = 0;
        XRRMonitorInfo* monitors = m_connection->randrMinor >= 5
                                       ? XRRGetMonitors(display, m_connection->Root(screen), True, &monitorCount)
                                       : nullptr;
        for (int o = 0; o < resources->noutput; ++o) {
            XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[o]);
            if (info == nullptr) continue;
            Adapter adapter;
            adapter.screen = screen;
            adapter.output = resources->outputs[o];
            adapter.name.assign(info->name, static_cast<std::size_t>(info->nameLen));
            adapter.crtc = info->crtc;
            adapter.crtcs.assign(info->crtcs, info->crtcs + info->ncrtc);
            adapter.primary = adapter.output == primary;
            for (int m = 0; m < info->nmode; ++m) {
                if (const XRRModeInfo* mode = FindModeInfo(resources, info->modes[m]))
                    adapter.modes.push_back({mode->id, mode->width, mode->height, RefreshOf(*mode)});
            }
            if (info->crtc != 0) {
                if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc)) {
                    adapter.mode = crtc->mode;
                    adapter.x = crtc->x;
                    adapter.y = crtc->y;
                    adapter.width = crtc->width;
                    adapter.height = crtc->height;
                    XRRFreeCrtcInfo(crtc);
                }
            }
            for (int i = 0; i < monitorCount; ++i) {
                const XRRMonitorInfo& monitor = monitors[i];
                if (!std::count(monitor.outputs, monitor.outputs + monitor.noutput, adapter.output)) continue;
                if (char* name = XGetAtomName(display, monitor.name)) {
                    adapter.monitors.emplace_back(name);
                    XFree(name);
                }
            }
            // Before RandR 1.5 there are no monitor objects: a driven output is its own.
            if (m_connection->randrMinor < 5 && adapter.crtc != 0) adapter.monitors.push_back(adapter.name);
            XRRFreeOutputInfo(info);
            m_adapters.push_back(std::move(adapter));
        }
        if (monitors) XRRFreeMonitors(monitors);
    }
}

const Adapter* Session::Find(const char* deviceName) const
{
    if (deviceName == nullptr) return Primary();
    for (std::size_t i = 0; i < m_adapters.size(); ++i)
        if (strcasecmp(DeviceNameOf(i).c_str(), deviceName) == 0) return &m_adapters[i];
    return nullptr;
}

const Adapter* Session::Primary() const
{
    for (const auto& adapter : m_adapters)
        if (adapter.primary && adapter.crtc != 0) return &adapter;
    // No output is marked primary: the first one on the desktop serves, as the
    // interface always has a primary display.
    for (const auto& adapter : m_adapters)
        if (adapter.crtc != 0) return &adapter;
    return nullptr;
}

long Session::ScreenLeft(int screen) const
{
    long left = 0;
    for (int s = 0; s < screen; ++s) left += ScreenWidth(s);
    return left;
}

int Session::ScreenWidth(int screen) const
{
    return DisplayWidth(m_connection->display, screen);
}

int Session::ScreenHeight(int screen) const
{
    return DisplayHeight(m_connection->display, screen);
}

long Session::PrimaryLeft() const
{
    const Adapter* primary = Primary();
    return primary ? ScreenLeft(primary->screen) + primary->x : 0;
}

long Session::PrimaryTop() const
{
    const Adapter* primary = Primary();
    return primary ? primary->y : 0;
}

int Session::BitsPerPixel(int screen) const
{
    int depth = DefaultDepth(m_connection->display, screen);
    int count = 0;
    int bits = depth;
    if (XPixmapFormatValues* formats = XListPixmapFormats(m_connection->display, &count)) {
        for (int i = 0; i < count; ++i)
            if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
        XFree(formats);
    }
    return bits;
}

void Session::MaxScreenSize(int screen, int& width, int& height) const
{
    int minWidth = 0, minHeight = 0;
    width = ScreenWidth(screen);
    height = ScreenHeight(screen);
    XRRGetScreenSizeRange(m_connection->display, m_connection->Root(screen), &minWidth, &minHeight, &width, &height);
}

XId Session::FreeCrtc(const Adapter& adapter) const
{
    for (XId crtc : adapter.crtcs) {
        bool used = std::any_of(m_adapters.begin(), m_adapters.end(), [&](const Adapter& other) {
            return other.screen == adapter.screen && other.crtc == crtc;
        });
        if (!used) return crtc;
    }
    return 0;
}

bool Session::GrowScreen(int screen, int width, int height)
{
    int currentWidth = ScreenWidth(screen), currentHeight = ScreenHeight(screen);
    if (width <= currentWidth && height <= currentHeight) return true;
    width = std::max(width, currentWidth);
    height = std::max(height, currentHeight);
    int maxWidth = 0, maxHeight = 0;
    MaxScreenSize(screen, maxWidth, maxHeight);
    if (width > maxWidth || height > maxHeight) return false;
    // Keep the physical size's density, so that DPI stays as it was.
    Display* display = m_connection->display;
    int mmWidth = DisplayWidthMM(display, screen) * width / std::max(currentWidth, 1);
    int mmHeight = DisplayHeightMM(display, screen) * height / std::max(currentHeight, 1);
    XRRSetScreenSize(display, m_connection->Root(screen), width, height, mmWidth, mmHeight);
    return m_connection->Flush();
}

bool Session::SetCrtc(const Adapter& adapter, XId crtc, XId mode, int x, int y)
{
    const OutputMode* wanted = nullptr;
    for (const auto& m : adapter.modes)
        if (m.id == mode) wanted = &m;
    if (wanted == nullptr || x < 0 || y < 0) return false;
    if (!GrowScreen(adapter.screen, x + static_cast<int>(wanted->width), y + static_cast<int>(wanted->height)))
        return false;
    XRRScreenResources* resources = m_connection->resources[static_cast<std::size_t>(adapter.screen)];
    RROutput output = adapter.output;
    g_lastXError = 0;
    Status status =
        XRRSetCrtcConfig(m_connection->display, resources, crtc, CurrentTime, x, y, mode, RR_Rotate_0, &output, 1);
    return m_connection->Flush() && status == RRSetConfigSuccess;
}

std::string DeviceNameOf(std::size_t index)
{
    return "\\\\.\\DISPLAY" + std::to_string(index + 1);
}

std::string DeviceIdOf(const Adapter& adapter)
{
    return "RANDR\\SCREEN" + std::to_string(adapter.screen) + "\\" + adapter.name;
}

}  // namespace zelm::platform::display
