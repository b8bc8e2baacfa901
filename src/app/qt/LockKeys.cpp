#include "app/qt/LockKeys.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <dlfcn.h>

namespace app::qt {
namespace {

// The X11 functions used, looked up at run time so that the program needs no
// X11 library where it runs on another platform.
using Atom = unsigned long;
using InternAtomFn = Atom (*)(Display*, const char*, int);
using GetNamedIndicatorFn = int (*)(Display*, Atom, int*, int*, void*, int*);

struct X11 {
    InternAtomFn internAtom = nullptr;
    GetNamedIndicatorFn getNamedIndicator = nullptr;
    Atom caps = 0, num = 0, scroll = 0;
    bool ready = false;
};

X11* Library(Display* display)
{
    static X11 x11;
    static bool tried = false;
    if (tried)
        return x11.ready ? &x11 : nullptr;
    tried = true;
    void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!lib)
        return nullptr;
    x11.internAtom = reinterpret_cast<InternAtomFn>(dlsym(lib, "XInternAtom"));
    x11.getNamedIndicator = reinterpret_cast<GetNamedIndicatorFn>(dlsym(lib, "XkbGetNamedIndicator"));
    if (!x11.internAtom || !x11.getNamedIndicator)
        return nullptr;
    x11.caps = x11.internAtom(display, "Caps Lock", 0);
    x11.num = x11.internAtom(display, "Num Lock", 0);
    x11.scroll = x11.internAtom(display, "Scroll Lock", 0);
    x11.ready = true;
    return &x11;
}

} // namespace

std::optional<LockKeyState> ReadLockKeys()
{
#if QT_CONFIG(xcb)
    auto* native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = native ? native->display() : nullptr;
    if (!display)
        return std::nullopt;
    X11* x11 = Library(display);
    if (!x11)
        return std::nullopt;
    auto on = [&](Atom name) {
        int index = 0, state = 0, real = 0;
        return x11->getNamedIndicator(display, name, &index, &state, nullptr, &real) && state;
    };
    return LockKeyState{on(x11->caps), on(x11->num), on(x11->scroll)};
#else
    return std::nullopt;
#endif
}

} // namespace app::qt
