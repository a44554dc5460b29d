// Building window trees from layout XML: attribute order, visibility inheritance, look-ups,
// includes, and what a click raises.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/dui/support/CoreTestEnv.h"

namespace {

class WindowTree : public ::testing::Test {
protected:
    WindowTree() : env(L"uidef:xml_init"), host(env.Factory()) {}

    void Build(const std::string& xml, int width = 400, int height = 300) {
        ASSERT_TRUE(host.Load(xml, width, height));
    }
    SWindow* Find(const wchar_t* name) { return host.FindChildByName(name); }
    int Count(const std::wstring& event) {
        return static_cast<int>(std::count(host.Events().begin(), host.Events().end(), event));
    }

    CoreTestEnv env;
    TestTreeHost host;
};

TEST_F(WindowTree, OwnAttributesOverrideTheClassWhereverTheyStand) {
    Build(R"(<root>
        <window name="after" class="righttext" colorText="#00ff00"/>
        <window name="before" colorText="#00ff00" class="righttext"/>
        <window name="onlyclass" class="righttext"/>
        <window name="vboxed" class="vboxed"><window height="10"/></window>
        <window name="unknownclass" class="nosuchclass" colorText="#0000ff"/>
      </root>)");
    for (const wchar_t* name : {L"after", L"before"}) {
        EXPECT_EQ(Find(name)->GetStyle().colorText[0], RGBA(0, 255, 0, 255)) << name;
        EXPECT_EQ(Find(name)->GetStyle().GetTextFormat(), 0x22u) << name;
    }
    EXPECT_EQ(Find(L"onlyclass")->GetStyle().colorText[0], RGBA(0x11, 0x22, 0x33, 255));
    // The class's layout was installed before its children were made.
    EXPECT_TRUE(Find(L"vboxed")->GetLayout()->IsClass(L"vbox"));
    EXPECT_EQ(Find(L"vboxed")->GetStyle().colorBkgnd, RGBA(0, 0, 0, 255));
    EXPECT_EQ(Find(L"unknownclass")->GetStyle().GetTextFormat(), 0x25u);
}

TEST_F(WindowTree, TextComesFromContentOrAttributeThroughTheStringTable) {
    Build(R"(<root>
        <window name="content">
            @string/title
        </window>
        <window name="attr" text="@string/msg_btn_yes" tip="@string/title"/>
        <window name="both" text="attr">content</window>
      </root>)");
    EXPECT_EQ(Find(L"content")->GetText(), L"Larkholm");
    EXPECT_EQ(Find(L"attr")->GetText(), L"是");
    EXPECT_EQ(Find(L"attr")->GetToolTipText(), L"Larkholm");
    EXPECT_EQ(Find(L"both")->GetText(), L"content");
    Find(L"attr")->SetText(L"@string/title");
    EXPECT_EQ(Find(L"attr")->GetText(), L"Larkholm");
    Find(L"attr")->SetTextLiteral(L"@string/title");  // typed by an operator: kept as it is
    EXPECT_EQ(Find(L"attr")->GetText(), L"@string/title");
}

TEST_F(WindowTree, VisibilityIsInheritedAndRestoredFromOwnFlags) {
    Build(R"(<root>
        <window name="page" visible="0">
            <window name="shown_child" show="1"><window name="grandchild"/></window>
            <window name="hidden_child" visible="0"/>
        </window>
      </root>)");
    SWindow* page = Find(L"page");
    SWindow* shownChild = Find(L"shown_child");
    // A child made under an invisible parent starts invisible even with show="1".
    for (const wchar_t* name : {L"page", L"shown_child", L"grandchild", L"hidden_child"})
        EXPECT_FALSE(Find(name)->IsShown()) << name;
    EXPECT_TRUE(shownChild->IsShown(false));

    page->Show(true);
    EXPECT_TRUE(shownChild->IsShown());
    EXPECT_TRUE(Find(L"grandchild")->IsShown());
    EXPECT_FALSE(Find(L"hidden_child")->IsShown());

    page->Show(false);
    page->Show(true);
    EXPECT_TRUE(Find(L"grandchild")->IsShown());
    EXPECT_FALSE(Find(L"hidden_child")->IsShown());
    EXPECT_GE(Count(L"on_visible_changed@page"), 3);
}

TEST_F(WindowTree, EnableFollowsTheSameRules) {
    Build(R"(<root><window name="row" enable="0"><window name="field"/></window></root>)");
    SWindow* row = Find(L"row");
    SWindow* field = Find(L"field");
    EXPECT_TRUE(row->IsDisabled());
    EXPECT_TRUE(field->IsDisabled());
    EXPECT_FALSE(field->IsDisabled(false));
    row->Enable(true);
    EXPECT_FALSE(field->IsDisabled());
    field->Enable(false);
    row->Enable(false);
    row->Enable(true);
    EXPECT_TRUE(field->IsDisabled());
}

TEST_F(WindowTree, FindByNameHonoursDepthAndClass) {
    Build(R"(<root>
        <window name="p1"><window name="deep"><window name="target" id="3"/></window></window>
        <window name="p2"><window name="target" id="4"/></window>
        <sized name="leaf" id="9"/>
      </root>)");
    struct Case {
        int depth;
        int id;  // 0: nothing found
    } cases[] = {{0, 0}, {1, 0}, {2, 4}, {3, 3}, {-1, 3}};
    for (const Case& c : cases) {
        SWindow* found = host.FindChildByName(L"target", c.depth);
        EXPECT_EQ(found ? found->GetID() : 0, c.id) << c.depth;
    }
    EXPECT_EQ(host.FindChildByName(L"", -1), nullptr);
    EXPECT_EQ(host.FindChildByName(L"TARGET", -1), nullptr);

    EXPECT_EQ(host.FindChildByName2<TestSizedWindow>(L"leaf"), Find(L"leaf"));
    EXPECT_EQ(host.FindChildByName2<SWindow>(L"leaf"), Find(L"leaf"));  // a base class answers too
    env.ClearLog();
    EXPECT_EQ(host.FindChildByName2<TestSizedWindow>(L"p1", 1), nullptr);
    EXPECT_TRUE(env.Logged(
        "FindChildByName2 Failed, no window of class [sized] with name of [p1] was found within [1] levels"));
    EXPECT_EQ(host.FindChildByID2<TestSizedWindow>(9), Find(L"leaf"));
    EXPECT_EQ(host.FindChildByID2<TestSizedWindow>(4, -1), nullptr);
    EXPECT_TRUE(env.Logged(
        "FindChildByID2 Failed, no window of class [sized] with id of [4] was found within [-1] levels"));
}

TEST_F(WindowTree, ExplicitIdOutranksTheNameTableInEitherOrder) {
    const SNamedIdEntry table[] = {{L"_name_start", 65535}, {L"btn_named", 65536}};
    env.Context().SetNamedIdTable(table, 2, true);
    Build(R"(<root>
        <window name="btn_named" id="5"/>
        <window id="6" name="btn_named"/>
        <window name="btn_named"/>
        <window id="IDOK"/>
        <window id="idcancel"/>
        <window id="IDWHATEVER"/>
      </root>)");
    std::vector<int> ids;
    for (SWindow* w = host.GetFirstChild(); w; w = w->GetNextSibling()) ids.push_back(w->GetID());
    EXPECT_EQ(ids, (std::vector<int>{5, 6, 65536, 1, 2, 0}));
}

TEST_F(WindowTree, IncludesAndUnknownElements) {
    env.ClearLog();
    Build(R"(<root>
        <window name="box"><include src="LAYOUT:XML_INCLUDED"/><nosuch/><window name="last"/></window>
        <window name="box2"><include src="xml_included"/></window>
      </root>)");
    std::vector<std::wstring> names;
    for (SWindow* w = Find(L"box")->GetFirstChild(); w; w = w->GetNextSibling())
        names.push_back(w->GetName());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"inc_a", L"inc_b", L"last"}));
    EXPECT_EQ(Find(L"box2")->GetChildrenCount(), 2);
    EXPECT_TRUE(env.Logged("Warning: no ojbect nosuch of type:1 in DUI!!"));
}

class FailingWindow : public SWindow {
    DUI_CLASS(FailingWindow, SWindow, L"failing")
protected:
    int OnCreate() override { return 1; }
};

TEST_F(WindowTree, AWindowThatFailsCreationIsRemoved) {
    env.Context().GetObjectFactory().Register<FailingWindow>();
    Build(
        R"(<root><window name="a"/><failing name="bad"><window name="inner"/></failing><window name="b"/></root>)");
    EXPECT_EQ(host.GetChildrenCount(), 2);
    EXPECT_EQ(Find(L"bad"), nullptr);
    EXPECT_EQ(Find(L"inner"), nullptr);
}

class Click : public WindowTree {
protected:
    void SetUp() override { Build(R"(<root><window name="btn" pos="10,10,@50,@20"/></root>)"); }
};

TEST_F(Click, PressAndReleaseInsideRaisesOneCommand) {
    host.Mouse(WM_MOUSEMOVE, 20, 15);
    host.Mouse(WM_LBUTTONDOWN, 20, 15);
    EXPECT_EQ(Find(L"btn")->GetState() & WndState_PushDown, WndState_PushDown);
    host.Mouse(WM_LBUTTONUP, 21, 16);
    EXPECT_EQ(Count(L"on_command@btn"), 1);
    EXPECT_EQ(Count(L"on_mouse_lbutton_up@btn"), 1);
    EXPECT_EQ(host.Container().GetCapture(), nullptr);
}

TEST_F(Click, ReleaseOutsideCancelsTheClick) {
    SWindow* btn = Find(L"btn");
    host.Mouse(WM_LBUTTONDOWN, 20, 15);
    host.Mouse(WM_MOUSEMOVE, 200, 200);
    EXPECT_EQ(btn->GetState() & (WndState_PushDown | WndState_Hover), 0u);
    host.Mouse(WM_LBUTTONUP, 200, 200);
    EXPECT_EQ(Count(L"on_command@btn"), 0);
    EXPECT_EQ(host.Container().GetCapture(), nullptr);
    EXPECT_EQ(btn->GetState() & WndState_PushDown, 0u);

    // Moving back in before releasing restores the press.
    host.Mouse(WM_LBUTTONDOWN, 20, 15);
    host.Mouse(WM_MOUSEMOVE, 200, 200);
    host.Mouse(WM_MOUSEMOVE, 25, 15);
    EXPECT_EQ(btn->GetState() & WndState_PushDown, WndState_PushDown);
    host.Mouse(WM_LBUTTONUP, 25, 15);
    EXPECT_EQ(Count(L"on_command@btn"), 1);
}

TEST_F(Click, DisabledWindowsRaiseNothing) {
    SWindow* btn = Find(L"btn");
    btn->Enable(false);
    host.Mouse(WM_LBUTTONDOWN, 20, 15);
    host.Mouse(WM_LBUTTONUP, 20, 15);
    EXPECT_EQ(Count(L"on_command@btn"), 0);

    // Disabled in the middle of a press: the release raises nothing either.
    btn->Enable(true);
    host.Mouse(WM_LBUTTONDOWN, 20, 15);
    btn->Enable(false);
    btn->Enable(true);
    host.Mouse(WM_LBUTTONUP, 20, 15);
    EXPECT_EQ(Count(L"on_command@btn"), 0);
}

TEST_F(Click, ASubscriberCanKeepTheEventFromTheHost) {
    SWindow* btn = Find(L"btn");
    int seen = 0;
    btn->SubscribeEvent(EventCmd::kEventId, [&seen](EventArgs& evt) {
        ++seen;
        evt.bubbleUp = false;
        return true;
    });
    host.Mouse(WM_LBUTTONDOWN, 20, 15);
    host.Mouse(WM_LBUTTONUP, 20, 15);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Count(L"on_command@btn"), 0);

    btn->GetEventSet().SetMute(true);
    EventCmd evt(btn);
    EXPECT_FALSE(btn->RaiseEvent(evt));
    EXPECT_EQ(seen, 1);
}

}  // namespace
