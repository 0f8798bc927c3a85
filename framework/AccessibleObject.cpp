#include "AccessibleObject.h"

#include "SystemLibraries.h"
#include "WinControl.h"

#include <new>
#include <string>
#include <vector>

namespace fw {

static_assert(static_cast<long>(AccRole::Client) == ROLE_SYSTEM_CLIENT);
static_assert(static_cast<long>(AccRole::Link) == ROLE_SYSTEM_LINK);
static_assert(static_cast<long>(AccRole::Graphic) == ROLE_SYSTEM_GRAPHIC);
static_assert(static_cast<long>(AccRole::StaticText) == ROLE_SYSTEM_STATICTEXT);
static_assert(static_cast<long>(AccRole::Text) == ROLE_SYSTEM_TEXT);
static_assert(static_cast<long>(AccRole::PushButton) == ROLE_SYSTEM_PUSHBUTTON);
static_assert(static_cast<long>(AccRole::MenuButton) == ROLE_SYSTEM_BUTTONMENU);
static_assert(acc::Unavailable == STATE_SYSTEM_UNAVAILABLE && acc::Focused == STATE_SYSTEM_FOCUSED &&
              acc::Pressed == STATE_SYSTEM_PRESSED && acc::ReadOnly == STATE_SYSTEM_READONLY &&
              acc::HotTracked == STATE_SYSTEM_HOTTRACKED && acc::Invisible == STATE_SYSTEM_INVISIBLE &&
              acc::Focusable == STATE_SYSTEM_FOCUSABLE && acc::Linked == STATE_SYSTEM_LINKED &&
              acc::HasPopup == STATE_SYSTEM_HASPOPUP);

namespace {

// The window's reported children: windowless controls with a role, and child windows.
std::vector<Control*> Children(const WinControl& w) {
    std::vector<Control*> list;
    for (const auto& c : w.Controls())
        if (c->IsWindowed() || c->AccessibleRole() != AccRole::None)
            list.push_back(c.get());
    return list;
}

bool AnswersForItself(const WinControl& w) {
    if (w.AccessibleRole() != AccRole::None)
        return true;
    if (w.SubclassesSystemClass())
        return false; // the system's object knows its own controls
    for (const auto& c : w.Controls())
        if (!c->IsWindowed() && c->AccessibleRole() != AccRole::None)
            return true;
    return false;
}

BSTR MakeBstr(const std::wstring& s) {
    return syslib::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}

// As VariantInit does, without loading its library for one assignment.
void ClearVariant(VARIANT* v) {
    v->vt = VT_EMPTY;
}

// A text property: S_FALSE with no string when the control has none.
HRESULT TextResult(const std::wstring& s, BSTR* out) {
    *out = nullptr;
    if (s.empty())
        return S_FALSE;
    *out = MakeBstr(s);
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    explicit AccessibleObject(WinControl& owner) : owner_(&owner) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    void Disconnect() noexcept { owner_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (riid == __uuidof(IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = --refs_;
        if (n == 0)
            delete this;
        return n;
    }

    // IDispatch: clients of this interface call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow: how clients find the window of an object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* wnd) override {
        if (const HRESULT hr = Answer(wnd); hr != S_OK)
            return hr;
        *wnd = owner_->HandleIfAllocated();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        if (const HRESULT hr = Answer(out); hr != S_OK)
            return hr;
        // A parent window that reports its children itself is the parent; else
        // the system's object of this window's frame.
        if (WinControl* parent = owner_->Parent()) {
            if (IAccessible* acc = AccessibleObjectOf(*parent)) {
                const HRESULT hr = acc->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void**>(out));
                acc->Release();
                return hr;
            }
        }
        return syslib::CreateStdAccessibleObject(owner_->HandleIfAllocated(), OBJID_WINDOW,
                                                 __uuidof(IDispatch), reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (const HRESULT hr = Answer(count); hr != S_OK)
            return hr;
        *count = static_cast<long>(Children(*owner_).size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        if (c == owner_)
            return E_INVALIDARG;
        return ChildDispatch(*c, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override {
        return Text(id, out, [](const Control& c) { return c.AccessibleName(); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        const std::wstring v = c->AccessibleValue();
        if (v.empty())
            return DISP_E_MEMBERNOTFOUND;
        return TextResult(v, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* out) override {
        return Text(id, out, [](const Control& c) { return c.AccessibleDescription(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override {
        if (!out)
            return E_POINTER;
        ClearVariant(out);
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        long role = static_cast<long>(c->AccessibleRole());
        if (role == 0)
            role = c == owner_ ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_WINDOW;
        out->vt = VT_I4;
        out->lVal = role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override {
        if (!out)
            return E_POINTER;
        ClearVariant(out);
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        out->vt = VT_I4;
        out->lVal = static_cast<long>(c->AccessibleStates());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return owner_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (!file || !topic)
            return E_POINTER;
        *file = nullptr;
        *topic = 0;
        return owner_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return owner_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (const HRESULT hr = Answer(out); hr != S_OK)
            return hr;
        HWND focus = ::GetFocus();
        HWND self = owner_->HandleIfAllocated();
        if (!focus || !self)
            return S_FALSE;
        if (focus == self) {
            out->vt = VT_I4;
            out->lVal = CHILDID_SELF;
            return S_OK;
        }
        const std::vector<Control*> children = Children(*owner_);
        for (size_t i = 0; i < children.size(); ++i) {
            const WinControl* w = children[i]->AsWinControl();
            HWND h = w ? w->HandleIfAllocated() : nullptr;
            if (h && (h == focus || ::IsChild(h, focus)))
                return ChildVariant(static_cast<long>(i + 1), out);
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!out)
            return E_POINTER;
        ClearVariant(out);
        return owner_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override {
        return Text(id, out, [](const Control& c) { return c.AccessibleDefaultAction(); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT id) override {
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        WinControl* w = c->AsWinControl();
        if (flags != SELFLAG_TAKEFOCUS || !w)
            return DISP_E_MEMBERNOTFOUND;
        if (!w->CanFocus() || !w->TabStop())
            return S_FALSE;
        w->SetFocus();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT id) override {
        if (!x || !y || !w || !h)
            return E_POINTER;
        *x = *y = *w = *h = 0;
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        const RECT r = c->AccessibleBounds();
        *x = r.left;
        *y = r.top;
        *w = r.right - r.left;
        *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!out)
            return E_POINTER;
        ClearVariant(out);
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(start, c); FAILED(hr))
            return hr;
        const long count = static_cast<long>(Children(*owner_).size());
        long target = 0;
        switch (direction) {
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            if (c != owner_)
                return E_INVALIDARG;
            target = direction == NAVDIR_FIRSTCHILD ? 1 : count;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_PREVIOUS:
            // Beside this object itself lie the objects of the parent, not ours.
            if (c == owner_)
                return S_FALSE;
            target = start.lVal + (direction == NAVDIR_NEXT ? 1 : -1);
            break;
        default:
            return E_NOTIMPL;
        }
        if (target < 1 || target > count)
            return S_FALSE;
        return ChildVariant(target, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (const HRESULT hr = Answer(out); hr != S_OK)
            return hr;
        const POINT p{x, y};
        const RECT self = owner_->AccessibleBounds();
        if (!::PtInRect(&self, p))
            return S_FALSE;
        const std::vector<Control*> children = Children(*owner_);
        // The later child lies on top.
        for (size_t i = children.size(); i-- > 0;) {
            const Control& c = *children[i];
            const RECT r = c.AccessibleBounds();
            if (c.Visible() && ::PtInRect(&r, p))
                return ChildVariant(static_cast<long>(i + 1), out);
        }
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        if (c->AccessibleDefaultAction().empty())
            return DISP_E_MEMBERNOTFOUND;
        // Run from the window's queue: the client's call returns at once, even
        // when the action opens a menu or a dialog that runs its own loop.
        if (!::PostMessageW(owner_->HandleIfAllocated(), AccessibleActionMessage(),
                            static_cast<WPARAM>(c == owner_ ? 0 : id.lVal), 0))
            return E_FAIL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    // The start of every query: a place for the answer, emptied, and a control
    // still alive to answer from.
    template <typename T> HRESULT Answer(T* out) const noexcept {
        if (!out)
            return E_POINTER;
        *out = T{};
        return owner_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT Answer(VARIANT* out) const noexcept {
        if (!out)
            return E_POINTER;
        ClearVariant(out);
        return owner_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }

    // The control a child id names: the window's own for CHILDID_SELF.
    HRESULT Resolve(const VARIANT& id, Control*& out) const {
        if (!owner_)
            return CO_E_OBJNOTCONNECTED;
        if (id.vt != VT_I4)
            return E_INVALIDARG;
        if (id.lVal == CHILDID_SELF) {
            out = owner_;
            return S_OK;
        }
        const std::vector<Control*> children = Children(*owner_);
        if (id.lVal < 1 || static_cast<size_t>(id.lVal) > children.size())
            return E_INVALIDARG;
        out = children[static_cast<size_t>(id.lVal) - 1];
        return S_OK;
    }

    template <typename Get> HRESULT Text(const VARIANT& id, BSTR* out, Get get) const {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        Control* c = nullptr;
        if (const HRESULT hr = Resolve(id, c); FAILED(hr))
            return hr;
        return TextResult(get(*c), out);
    }

    // A child window's object: our own where the window has one, else the system's.
    static HRESULT ChildDispatch(Control& c, IDispatch** out) {
        WinControl* w = c.AsWinControl();
        if (!w)
            return S_FALSE; // a simple element: its parent answers for it
        if (IAccessible* acc = AccessibleObjectOf(*w)) {
            const HRESULT hr = acc->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void**>(out));
            acc->Release();
            return hr;
        }
        if (!w->HandleAllocated())
            return E_FAIL;
        return syslib::CreateStdAccessibleObject(w->HandleIfAllocated(), OBJID_WINDOW, __uuidof(IDispatch),
                                                 reinterpret_cast<void**>(out));
    }

    // A child as a navigation or hit-test result: its object, or its id.
    HRESULT ChildVariant(long childId, VARIANT* out) const {
        Control* c = Children(*owner_)[static_cast<size_t>(childId) - 1];
        IDispatch* dispatch = nullptr;
        if (c->IsWindowed() && ChildDispatch(*c, &dispatch) == S_OK && dispatch) {
            out->vt = VT_DISPATCH;
            out->pdispVal = dispatch;
            return S_OK;
        }
        out->vt = VT_I4;
        out->lVal = childId;
        return S_OK;
    }

    ULONG refs_ = 1;
    WinControl* owner_;
};

IAccessible* AccessibleObjectOf(WinControl& control) {
    if (!control.HandleAllocated() || !AnswersForItself(control))
        return nullptr;
    if (!control.accessible_)
        control.accessible_ = new (std::nothrow) AccessibleObject(control);
    if (!control.accessible_)
        return nullptr;
    control.accessible_->AddRef();
    return control.accessible_;
}

void DisconnectAccessible(AccessibleObject*& object) noexcept {
    if (!object)
        return;
    AccessibleObject* o = std::exchange(object, nullptr);
    o->Disconnect();
    // Clients in other processes hold it through COM's stubs: those go now too.
    ::CoDisconnectObject(static_cast<IAccessible*>(o), 0);
    o->Release();
}

UINT AccessibleActionMessage() noexcept {
    static const UINT msg = ::RegisterWindowMessageW(L"Orvalis.AccessibleDefaultAction");
    return msg;
}

void RunAccessibleAction(WinControl& control, WPARAM childId) {
    if (childId == 0) {
        control.AccessibleDoDefaultAction();
        return;
    }
    const std::vector<Control*> children = Children(control);
    if (childId <= children.size())
        children[childId - 1]->AccessibleDoDefaultAction();
}

long AccessibleChildId(const WinControl& parent, const Control& child) {
    const std::vector<Control*> children = Children(parent);
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == &child)
            return static_cast<long>(i + 1);
    return 0;
}

void NotifyAccessibleEvent(const Control& control, DWORD event) noexcept {
    if (const WinControl* w = control.AsWinControl()) {
        if (HWND h = w->HandleIfAllocated())
            ::NotifyWinEvent(event, h, OBJID_CLIENT, CHILDID_SELF);
        return;
    }
    const WinControl* parent = control.Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    try {
        if (const long id = AccessibleChildId(*parent, control))
            ::NotifyWinEvent(event, parent->HandleIfAllocated(), OBJID_CLIENT, id);
    } catch (...) {
        // Without memory for the child list the event is only left out.
    }
}

} // namespace fw
