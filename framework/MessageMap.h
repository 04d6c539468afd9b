#pragma once

#include <windows.h>

#include <type_traits>

// Message maps: one static table per class, searched from the most derived
// class towards its bases, each table ending with a link to its base's table.
// Every entry carries a small typed "cracker" that unpacks wParam/lParam into
// the handler's own argument types, so a handler with the wrong signature does
// not compile.

class CCmdTarget;
class CWnd;

using MessageHandlerCall = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry
{
    UINT message; // window message (kReflectBase + message for reflected ones)
    UINT code;    // notification code of WM_COMMAND and WM_NOTIFY entries
    UINT id;      // control or command id of WM_COMMAND and WM_NOTIFY entries
    MessageHandlerCall call;
};

struct MessageMap
{
    const MessageMap* (*baseMap)();
    const MessageMapEntry* entries; // ends with an entry whose call is null
};

// A parent hands a control's notifications back to the control's own object
// first; the control's map lists them under this offset.
constexpr UINT kReflectBase = 0xBC00;

namespace crack {

template <class> struct MemberOf;
template <class C, class F> struct MemberOf<F C::*>
{
    using type = C;
};

template <auto Handler> using Owner = typename MemberOf<decltype(Handler)>::type;

template <auto Handler, class Signature>
constexpr bool kIs = std::is_same_v<decltype(Handler), Signature Owner<Handler>::*>;

template <auto Handler> Owner<Handler>* Self(CCmdTarget* target)
{
    return static_cast<Owner<Handler>*>(target);
}

// The window object of a handle a message carries (CWnd::FromHandle).
CWnd* WindowOf(HWND hWnd);

template <auto H> LRESULT Command(CCmdTarget* t, WPARAM, LPARAM)
{
    static_assert(kIs<H, void()>, "command handlers are void()");
    (Self<H>(t)->*H)();
    return 0;
}

template <auto H> LRESULT Notify(CCmdTarget* t, WPARAM, LPARAM lParam)
{
    static_assert(kIs<H, void(NMHDR*, LRESULT*)>, "notify handlers are void(NMHDR*, LRESULT*)");
    LRESULT result = 0;
    (Self<H>(t)->*H)(reinterpret_cast<NMHDR*>(lParam), &result);
    return result;
}

template <auto H> LRESULT Message(CCmdTarget* t, WPARAM wParam, LPARAM lParam)
{
    static_assert(kIs<H, LRESULT(WPARAM, LPARAM)>, "plain message handlers are LRESULT(WPARAM, LPARAM)");
    return (Self<H>(t)->*H)(wParam, lParam);
}

template <auto H> LRESULT NoArguments(CCmdTarget* t, WPARAM, LPARAM)
{
    static_assert(kIs<H, void()>, "this handler is void()");
    (Self<H>(t)->*H)();
    return 0;
}

template <auto H> LRESULT SysCommand(CCmdTarget* t, WPARAM wParam, LPARAM lParam)
{
    static_assert(kIs<H, void(UINT, LPARAM)>, "OnSysCommand is void(UINT, LPARAM)");
    (Self<H>(t)->*H)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <auto H> LRESULT Size(CCmdTarget* t, WPARAM wParam, LPARAM lParam)
{
    static_assert(kIs<H, void(UINT, int, int)>, "OnSize is void(UINT, int, int)");
    (Self<H>(t)->*H)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

// WM_SIZING and WM_MOVING: the handler edits the proposed rectangle in place.
template <auto H> LRESULT EdgeRect(CCmdTarget* t, WPARAM wParam, LPARAM lParam)
{
    static_assert(kIs<H, void(UINT, LPRECT)>, "OnSizing and OnMoving are void(UINT, LPRECT)");
    (Self<H>(t)->*H)(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
    return TRUE;
}

template <auto H> LRESULT QueryDragIcon(CCmdTarget* t, WPARAM, LPARAM)
{
    static_assert(kIs<H, HCURSOR()>, "OnQueryDragIcon is HCURSOR()");
    return reinterpret_cast<LRESULT>((Self<H>(t)->*H)());
}

template <auto H> LRESULT MinMaxInfo(CCmdTarget* t, WPARAM, LPARAM lParam)
{
    static_assert(kIs<H, void(MINMAXINFO*)>, "OnGetMinMaxInfo is void(MINMAXINFO*)");
    (Self<H>(t)->*H)(reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

template <auto H> LRESULT Mouse(CCmdTarget* t, WPARAM wParam, LPARAM lParam)
{
    static_assert(kIs<H, void(UINT, POINT)>, "mouse handlers are void(UINT, POINT)");
    // Coordinates are signed: left of or above the client area they are negative.
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    (Self<H>(t)->*H)(static_cast<UINT>(wParam), point);
    return 0;
}

template <auto H> LRESULT SetCursor(CCmdTarget* t, WPARAM wParam, LPARAM lParam)
{
    static_assert(kIs<H, BOOL(CWnd*, UINT, UINT)>, "OnSetCursor is BOOL(CWnd*, UINT, UINT)");
    // Hit-test codes are signed: HTERROR is -2.
    const auto hitTest = static_cast<UINT>(static_cast<short>(LOWORD(lParam)));
    return (Self<H>(t)->*H)(WindowOf(reinterpret_cast<HWND>(wParam)), hitTest, HIWORD(lParam));
}

template <auto H> LRESULT KillFocus(CCmdTarget* t, WPARAM wParam, LPARAM)
{
    static_assert(kIs<H, void(CWnd*)>, "OnKillFocus is void(CWnd*)");
    (Self<H>(t)->*H)(WindowOf(reinterpret_cast<HWND>(wParam)));
    return 0;
}

} // namespace crack

#define DECLARE_MESSAGE_MAP()                     \
public:                                           \
    static const MessageMap* GetThisMessageMap(); \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                      \
    {                                                                          \
        0, 0, 0, nullptr                                                       \
    }                                                                          \
    }                                                                          \
    ;                                                                          \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                               \
    }

#define ON_MESSAGE(message, handler) {static_cast<UINT>(message), 0, 0, &crack::Message<&ThisClass::handler>},
#define ON_COMMAND(id, handler)      {WM_COMMAND, 0, static_cast<UINT>(id), &crack::Command<&ThisClass::handler>},
#define ON_NOTIFY(code, id, handler) \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), &crack::Notify<&ThisClass::handler>},
#define ON_CONTROL_REFLECT(code, handler) \
    {kReflectBase + WM_COMMAND, static_cast<UINT>(code), 0, &crack::Command<&ThisClass::handler>},

#define ON_WM_SYSCOMMAND()    {WM_SYSCOMMAND, 0, 0, &crack::SysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_SIZE()          {WM_SIZE, 0, 0, &crack::Size<&ThisClass::OnSize>},
#define ON_WM_SIZING()        {WM_SIZING, 0, 0, &crack::EdgeRect<&ThisClass::OnSizing>},
#define ON_WM_MOVING()        {WM_MOVING, 0, 0, &crack::EdgeRect<&ThisClass::OnMoving>},
#define ON_WM_PAINT()         {WM_PAINT, 0, 0, &crack::NoArguments<&ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, &crack::QueryDragIcon<&ThisClass::OnQueryDragIcon>},
#define ON_WM_GETMINMAXINFO() {WM_GETMINMAXINFO, 0, 0, &crack::MinMaxInfo<&ThisClass::OnGetMinMaxInfo>},
#define ON_WM_LBUTTONDOWN()   {WM_LBUTTONDOWN, 0, 0, &crack::Mouse<&ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONUP()     {WM_LBUTTONUP, 0, 0, &crack::Mouse<&ThisClass::OnLButtonUp>},
#define ON_WM_MOUSEMOVE()     {WM_MOUSEMOVE, 0, 0, &crack::Mouse<&ThisClass::OnMouseMove>},
#define ON_WM_SETCURSOR()     {WM_SETCURSOR, 0, 0, &crack::SetCursor<&ThisClass::OnSetCursor>},
#define ON_WM_KILLFOCUS()     {WM_KILLFOCUS, 0, 0, &crack::KillFocus<&ThisClass::OnKillFocus>},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, 0, &crack::Mouse<&ThisClass::OnLButtonDblClk>},
