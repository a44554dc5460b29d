// The tool tip of a host window: the "tip" text of the window under the pointer, shown near the
// pointer after the hover delay and hidden on a press, when the pointer moves to another window or
// leaves the host, or after a few seconds (then not again until the pointer moves to another
// window). The host draws it over its tree, so every platform shows the same tip. UI thread only.
#pragma once

#include <string>

#include "support/WinTypes.h"

class IRenderTarget;
class SHostWnd;
class SWindow;

class SToolTip {
public:
    // As the desktop's defaults: shown after half a second, for five seconds.
    static constexpr UINT kInitialMs = 500;
    static constexpr UINT kAutoPopMs = 5000;
    // The host timer the tip runs on (below the tree windows' timer ids).
    static constexpr UINT_PTR kTimerId = 0x7FFE0000;

    explicit SToolTip(SHostWnd& host) : host_(host) {}

    // After every mouse move: the hovered window (nullptr: none) and the pointer.
    void OnMouseMove(SWindow* hover, POINT pt);
    void OnPress();
    void OnLeaveHost();
    // True when the timer was the tip's.
    bool OnTimer(UINT_PTR id);
    // The window is going away.
    void Forget(const SWindow* window);
    // Draws the tip when it is shown and meets `dirty`.
    void Draw(IRenderTarget& rt, const RECT& dirty) const;

    // The text shown now; empty when no tip is shown.
    const std::wstring& ShownText() const;
    const RECT& ShownRect() const { return box_; }

private:
    enum class Phase { kIdle, kWaiting, kShown, kDone };
    void Show();
    void Hide(Phase next);

    SHostWnd& host_;
    SWindow* owner_ = nullptr;
    Phase phase_ = Phase::kIdle;
    POINT anchor_{};
    RECT box_{};
};
