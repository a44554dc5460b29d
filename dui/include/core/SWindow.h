// SWindow: one light-weight window of the tree that a host draws inside its real window. Owns its
// children (one reference each, kept in insertion order; later siblings draw on top), its style,
// its layout object and its layout parameters. Built from a layout element by LoadFromXml, which
// applies the attributes in a fixed order (layout, class, own attributes, content text, creation,
// inherited state, children). Everything here runs on the UI thread.
//
// Control classes derive from SWindow, name themselves with DUI_CLASS and override the hooks below
// (OnPaint, OnLButtonUp, GetDesiredSize, OnClassAttribute, ...). Messages reach a window through
// SendWindowMessage, which calls those hooks.
//
// Mouse states of a push-able window (hover 0x01, push-down 0x02):
//
//   step                          capture   state after        raised
//   pointer enters                -         +hover             on_mouse_hover
//   left button down              taken     +push-down         on_mouse_lbutton_down
//   pointer leaves (captured)     kept      -push-down -hover  on_mouse_leave
//   pointer enters (captured)     kept      +push-down +hover  on_mouse_hover
//   left button up inside         released  -push-down         on_mouse_lbutton_up, on_command
//   left button up outside        released  -push-down         nothing: the click is cancelled
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/include/core/ILayout.h"
#include "dui/include/core/ISkinObj.h"
#include "dui/include/core/ISwndContainer.h"
#include "dui/include/core/SAttrTable.h"
#include "dui/include/core/SEventSet.h"
#include "dui/include/core/SwndStyle.h"

class IRenderTarget;

// State word bits. Invisible and disabled include the parent's state.
constexpr DWORD WndState_Normal = 0x00;
constexpr DWORD WndState_Hover = 0x01;
constexpr DWORD WndState_PushDown = 0x02;
constexpr DWORD WndState_Check = 0x04;
constexpr DWORD WndState_Invisible = 0x08;
constexpr DWORD WndState_Disable = 0x10;

// lParam of the show and enable messages: why the window's visibility/enablement is asked to change.
enum ParentChangeReason : LPARAM { kOwnRequest = 0, kParentChanged = 1 };

class SWindow : public SObject {
    DUI_CLASS(SWindow, SObject, L"window")
public:
    static constexpr ObjectKind kClassKind = ObjectKind::kWindow;

    SWindow();
    ~SWindow() override;
    ObjectKind GetObjectKind() const override { return kClassKind; }

    // ---- tree ----
    SWindow* GetParent() const { return parent; }
    SWindow* GetFirstChild() const { return firstChild; }
    SWindow* GetLastChild() const { return lastChild; }
    SWindow* GetNextSibling() const { return nextSibling; }
    SWindow* GetPrevSibling() const { return prevSibling; }
    int GetChildrenCount() const { return childCount; }
    // Inserts `child` after `after` (nullptr: at the end); the parent takes a reference and the
    // child gets a layout parameter object from this window's layout.
    void AddChild(SWindow* child, SWindow* after = nullptr);
    // Unlinks `child` and drops the parent's reference (the child is destroyed unless held elsewhere).
    bool RemoveChild(SWindow* child);
    // Sends WM_DESTROY through the subtree and removes `child`.
    bool DestroyChild(SWindow* child);
    void DestroyAllChildren();

    // The host of the tree; a child reaches it through its parents.
    ISwndContainer* GetContainer() const;
    void SetContainer(ISwndContainer* host) { container = host; }

    // ---- identity ----
    int GetID() const { return id; }
    void SetID(int newId) { id = newId; }
    const std::wstring& GetName() const { return name; }
    void SetName(const std::wstring& newName) { name = newName; }
    long GetUserData() const { return userData; }
    void SetUserData(long data) { userData = data; }

    // ---- building ----
    // Applies `node` to this window and builds its children; false when the creation message
    // failed (the parent has then removed and destroyed the window).
    bool LoadFromXml(pugi::xml_node node);
    bool InitFromXml(pugi::xml_node node) override { return LoadFromXml(node); }
    // Each child element becomes a child window ("include" elements pull in a layout resource).
    void BuildChildren(pugi::xml_node node);
    // Common attributes, then the style, the layout, the layout parameters and at last the
    // class's own handler (OnClassAttribute). Names nobody accepts give kDeclined and are ignored.
    AttrResult ApplyAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

    // ---- look-ups (depth 1 = direct children, negative = unlimited) ----
    SWindow* FindChildByName(std::wstring_view childName, int depth = -1) const;
    SWindow* FindChildByID(int childId, int depth = -1) const;
    // As FindChildByName, and the window must be of `className` or derive from it; logs and
    // gives nothing otherwise.
    SWindow* FindChildByName2(const wchar_t* className, std::wstring_view childName, int depth = -1) const;
    SWindow* FindChildByID2(const wchar_t* className, int childId, int depth = -1) const;
    template <class T>
    T* FindChildByName2(std::wstring_view childName, int depth = -1) const {
        return static_cast<T*>(FindChildByName2(T::kClassName, childName, depth));
    }
    template <class T>
    T* FindChildByID2(int childId, int depth = -1) const {
        return static_cast<T*>(FindChildByID2(T::kClassName, childId, depth));
    }

    // ---- text ----
    // Resolves "@string/" references (ResolveString), stores, redraws, and re-lays out when the
    // window's size follows its content.
    void SetText(const std::wstring& text);
    // Stores `text` as it is (what an operator typed), with the same redraw and re-layout.
    void SetTextLiteral(const std::wstring& text);
    const std::wstring& GetText() const { return text; }
    const std::wstring& GetToolTipText() const { return toolTip; }

    // ---- state ----
    DWORD GetState() const { return state; }
    // New state = add | (old & ~remove); runs the state hooks; redraws when asked and the class
    // redraws on state changes. Returns the old state.
    DWORD ChangeState(DWORD add, DWORD remove, bool redraw);
    void Show(bool show, bool redraw = true);
    // checkParents: the effective state (invisible bit clear); otherwise the window's own flag.
    bool IsShown(bool checkParents = true) const;
    void Enable(bool enable, bool redraw = true);
    bool IsDisabled(bool checkParents = true) const;
    void SetCheck(bool checked) {
        ChangeState(checked ? WndState_Check : 0, checked ? 0 : WndState_Check, true);
    }
    bool IsChecked() const { return (state & WndState_Check) != 0; }
    bool IsFocusable() const { return focusable; }
    // True for a field that takes ordinary typed text, which the system's input method may compose
    // (not a password field): the host turns the input method on only while one has the focus.
    virtual bool TakesComposedText() const { return false; }
    bool IsMsgTransparent() const { return msgTransparent; }
    // "modal": while shown, the keyboard stays inside this window (Tab cycles in it, keys for
    // windows outside are dropped), as in a dialog over the page.
    bool IsModal() const { return modal; }
    // Whether a press on this window is its own. Windows that do nothing with clicks (texts,
    // pictures) let it through to their parent, so a caption drags by its title and logo.
    virtual bool TakesClicks() const { return true; }
    // Whether the focused window handles Enter itself (buttons do); otherwise Enter presses the
    // default button of the form around it.
    virtual bool WantsReturnKey() const { return false; }
    // Whether this window is the one VK_RETURN (the default button) or VK_ESCAPE (the cancel
    // button) presses when the focused window does not take the key.
    virtual bool AnswersDialogKey(UINT /*vk*/) const { return false; }
    bool IsFloat() const { return floating; }
    bool IsDisplay() const { return display; }
    // Whether the parent's layout places this window.
    bool TakesPartInLayout() const { return !floating && (visible || display); }

    // ---- geometry and layout ----
    const RECT& GetWindowRect() const { return windowRect; }
    // The window rectangle without the margins.
    RECT GetClientRect() const;
    // The client rectangle without the insets: where text is drawn.
    RECT GetTextRect() const;
    // Stores the rectangle and lays out the children inside it.
    void Move(const RECT& rc);
    // Lays out the children in the current client rectangle.
    void UpdateChildrenPosition();
    // Lays out every window of this subtree that asked for it (the host calls this on its root
    // before painting).
    void UpdateLayout();
    // Marks this window for layout; the host lays it out before the next paint. A window whose
    // own size follows its content passes the request to its parent.
    void RequestRelayout();
    bool IsLayoutDirty() const { return layoutDirty; }
    // True when a width or height of this window follows its content.
    bool IsContentSized() const;
    ILayout* GetLayout() const { return layout.get(); }
    ILayoutParam* GetLayoutParam() const { return layoutParam.get(); }
    // The size this window wants given the width and height on offer (-1 = not known): content
    // plus insets and margins.
    virtual SIZE GetDesiredSize(int width, int height);
    // Percent, from the style.
    int GetScale() const { return style.scale; }
    // Draws this window and its subtree at `scale` percent: fonts, margins and insets are evaluated
    // again, skins are taken at that scale (by name) and the layout is redone. Children built later
    // take their parent's scale.
    void SetScale(int scale);
    // `dp` device-independent pixels in this window's pixels.
    int Dp(int dp) const {
        return SLayoutSize(static_cast<float>(dp), SLayoutSize::kDp).ToPixels(GetScale());
    }

    // ---- look ----
    SwndStyle& GetStyle() { return style; }
    const SwndStyle& GetStyle() const { return style; }
    ISkinObj* GetSkin() const { return skin.get(); }
    ISkinObj* GetNcSkin() const { return ncSkin.get(); }
    void SetSkin(ISkinObj* newSkin);
    // The skin frame and style index of a state word: 3 disabled, 2 pushed or checked, 1 hover,
    // 0 otherwise.
    static int StateIndexOf(DWORD wndState);
    int GetStateIndex() const { return StateIndexOf(state); }
    // GetStateIndex, or 0 when `skin` has no such state.
    int GetSkinStateIndex(const ISkinObj& forSkin) const;
    BYTE GetAlpha() const { return style.alpha; }

    // ---- events ----
    SEventSet& GetEventSet() { return eventSet; }
    int SubscribeEvent(int eventId, EventHandler handler) {
        return eventSet.Subscribe(eventId, std::move(handler));
    }
    // Fires to the subscribers, then (unless a subscriber cleared bubbleUp) to the host. True when
    // anyone handled it.
    bool RaiseEvent(EventArgs& evt);
    void RaiseCommand();

    // ---- messages ----
    LRESULT SendWindowMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // ---- drawing and hit testing ----
    void Invalidate();
    void InvalidateRect(const RECT& rc);
    // Draws this window and its visible children that meet `dirty`.
    void Draw(IRenderTarget& rt, const RECT& dirty);
    // The topmost visible, not message-transparent window under `pt` (this window or a descendant);
    // nullptr when `pt` is outside.
    SWindow* SwndFromPoint(POINT pt);

    // ---- focus and capture ----
    void SetFocus();
    void KillFocus();
    bool IsFocused() const;
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;

protected:
    // Hooks; the base versions implement the plain window.
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy();
    virtual void OnPaint(IRenderTarget& rt);
    virtual void OnNcPaint(IRenderTarget& rt);
    virtual void OnShowWindow(bool show, ParentChangeReason reason);
    virtual void OnEnable(bool enable, ParentChangeReason reason);
    virtual void OnMouseHover(UINT flags, POINT pt);
    virtual void OnMouseLeave();
    virtual void OnMouseMove(UINT /*flags*/, POINT /*pt*/) {}
    virtual void OnLButtonDown(UINT flags, POINT pt);
    // Ends a press; a release inside the window is a click (OnClick).
    virtual void OnLButtonUp(UINT flags, POINT pt);
    // A press and release inside the window, after on_mouse_lbutton_up; the base raises the
    // command event.
    virtual void OnClick() { RaiseCommand(); }
    virtual void OnLButtonDblClk(UINT flags, POINT pt) { OnLButtonDown(flags, pt); }
    virtual void OnRButtonDown(UINT /*flags*/, POINT /*pt*/) {}
    virtual void OnRButtonUp(UINT /*flags*/, POINT /*pt*/) {}
    virtual void OnMouseWheel(UINT /*flags*/, short /*delta*/, POINT /*pt*/) {}
    virtual void OnSetFocus(SWindow* /*oldFocus*/) {}
    virtual void OnKillFocus(SWindow* /*newFocus*/) {}
    virtual void OnKeyDown(UINT /*key*/, UINT /*repeat*/, UINT /*flags*/) {}
    virtual void OnKeyUp(UINT /*key*/, UINT /*repeat*/, UINT /*flags*/) {}
    virtual void OnChar(UINT /*codePoint*/, UINT /*repeat*/, UINT /*flags*/) {}
    virtual void OnTimer(UINT /*timerId*/) {}
    // Sets the cursor of the style; true when handled.
    virtual bool OnSetCursor(POINT pt);
    virtual void OnSize() {}
    // Hooks around ChangeState; the base OnStateChanged raises on_state_changed.
    virtual void OnStateChanging(DWORD /*oldState*/, DWORD /*newState*/) {}
    virtual void OnStateChanged(DWORD oldState, DWORD newState);
    // Buttons and the like redraw when hover/push/check change.
    virtual bool NeedRedrawWhenStateChange() const { return false; }
    // Attributes of the concrete class, offered last; kDeclined when unknown.
    virtual AttrResult OnClassAttribute(std::wstring_view /*name*/, const std::wstring& /*value*/,
                                        bool /*loading*/) {
        return AttrResult::kDeclined;
    }
    // Content size without insets and margins: the children's layout, or the text.
    virtual SIZE MeasureContent(int width, int height);
    // The skin changed by attribute or SetSkin.
    virtual void OnSkinChanged() {}
    // After SetScale changed this window's scale: a class looks up the other skins it keeps.
    virtual void OnScaleChanged() {}
    // `kept` looked up again by name at this window's scale; `kept` itself when that fails.
    ISkinObj* RescaledSkin(ISkinObj* kept) const;
    // The text changed through SetText or SetTextLiteral (before the redraw).
    virtual void OnTextChanged() {}

    // The DT_* format the text is drawn and measured with; the base takes the style's.
    virtual UINT TextFormat() const { return style.GetTextFormat(); }
    // Draws the text in `rc` with the state's font and colour and TextFormat.
    void DrawText(IRenderTarget& rt, const std::wstring& str, const RECT& rc);
    // The dotted frame of a focused window ("drawFocusRect"), once the keyboard has moved the focus.
    void DrawFocusRectIfFocused(IRenderTarget& rt);
    bool ShowsFocusCues() const;
    // The skin of that name in the current context at this window's scale; nullptr when there is
    // no context or no such skin.
    ISkinObj* FindSkin(std::wstring_view skinName) const;
    // The font and colour for the current state (falling back to the normal state).
    std::shared_ptr<IFont> GetCurrentFont() const;
    COLORREF GetCurrentTextColor() const;
    SwndStyle style;

private:
    static const SAttrTable<SWindow>& AttrTable();
    void InheritParentState();
    // The relayout request of a window at `area`, passed up while sizes follow content; the host
    // repaints `area` (what moves repaints itself).
    void RequestRelayoutFor(const RECT& area);
    enum ClassLayout { kTakeClassLayout, kKeepLayout };
    void ApplyClass(const std::wstring& className, ClassLayout classLayout);
    SWindow* FindChild(const std::function<bool(const SWindow&)>& match, int depth) const;
    void DestroySubtree();
    std::vector<SLayoutChild> CollectLayoutChildren(std::vector<SWindow*>& windows);
    void SetLayout(SAutoRefPtr<ILayout> newLayout);

    SWindow* parent = nullptr;
    SWindow* firstChild = nullptr;
    SWindow* lastChild = nullptr;
    SWindow* prevSibling = nullptr;
    SWindow* nextSibling = nullptr;
    int childCount = 0;
    ISwndContainer* container = nullptr;

    int id = 0;
    std::wstring name;
    long userData = 0;
    std::wstring text;
    std::wstring toolTip;

    SAutoRefPtr<ISkinObj> skin;
    SAutoRefPtr<ISkinObj> ncSkin;
    SAutoRefPtr<ILayout> layout;
    std::unique_ptr<ILayoutParam> layoutParam;
    SEventSet eventSet;

    RECT windowRect{};
    DWORD state = WndState_Normal;
    bool visible = true;
    bool ownDisabled = false;
    bool display = true;
    bool focusable = false;
    bool drawFocusRect = true;
    bool msgTransparent = false;
    bool clipClient = false;
    bool cache = false;
    bool layeredWindow = false;
    bool floating = false;
    bool modal = false;
    bool layoutDirty = false;
    SLayoutSize maxWidth = SLayoutSize::Undefined();
};
