// What the framework's core tests share: a real render factory and application context with the
// core classes registered (plain windows, skins, layouts, and a "sized" test window whose content
// size is given by its "desired" attribute), a tree host without a platform window that records
// the events bubbling out of its tree, and a capture of the framework's log lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dui/include/core/SWnd.h"

// A window whose content size is fixed by the attribute "desired" ("w,h"): stands in for text or
// pictures in layout tests.
class TestSizedWindow : public SWindow {
    DUI_CLASS(TestSizedWindow, SWindow, L"sized")
public:
    SIZE desired{};
    std::vector<SIZE> offers;  // every size offered by a layout, in order

protected:
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;
    SIZE MeasureContent(int width, int height) override;
};

// The root of a tree and its container, without a real window.
class TestTreeHost : public SWindow {
public:
    explicit TestTreeHost(IRenderFactory& factory) : container(*this, factory) { SetContainer(&container); }
    ~TestTreeHost() override { DestroyAllChildren(); }

    // Builds the tree from the root element of `xml` and lays it out in width x height.
    bool Load(const std::string& xml, int width, int height);
    SwndContainer& Container() { return container; }
    // Mouse input at (x, y) through the container's routing.
    void Mouse(UINT message, int x, int y) { container.DispatchMouseMessage(message, 0, POINT{x, y}); }

    // Events that reached the host: "name@sender".
    std::vector<std::wstring>& Events() { return container.events; }
    bool RelayoutRequested() const { return container.relayoutRequested; }

private:
    class TestContainer : public SwndContainer {
    public:
        TestContainer(SWindow& root, IRenderFactory& factory) : SwndContainer(root), factory(factory) {}
        void InvalidateRect(const RECT&) override {}
        void RequestRelayout(const RECT&) override { relayoutRequested = true; }
        bool SetSwndTimer(SWindow*, UINT, UINT) override { return false; }
        void KillSwndTimer(SWindow*, UINT) override {}
        bool OnFireEvent(EventArgs& evt) override;
        IRenderFactory& GetRenderFactory() override { return factory; }
        HWND GetHostHwnd() const override { return nullptr; }
        IHostWindow* GetHostWindow() override { return nullptr; }

        std::vector<std::wstring> events;
        bool relayoutRequested = false;

    private:
        IRenderFactory& factory;
    };

    TestContainer container;
    pugi::xml_document doc;
};

class CoreTestEnv {
public:
    // `uidefId` (e.g. "uidef:xml_init") is loaded from this program's packages when not empty.
    explicit CoreTestEnv(const std::wstring& uidefId = L"");
    ~CoreTestEnv();

    SAppContext& Context() { return *context; }
    IRenderFactory& Factory() { return *factory; }
    IResProvider& Provider() { return *provider; }
    // Log lines written since construction (or the last ClearLog).
    const std::vector<std::string>& Log() const;
    void ClearLog();
    bool Logged(const std::string& text) const;

private:
    std::unique_ptr<IRenderFactory> factory;
    std::unique_ptr<SAppContext> context;
    SAutoRefPtr<IResProvider> provider;
};

// "left,top,right,bottom".
std::string RectText(const RECT& rc);
