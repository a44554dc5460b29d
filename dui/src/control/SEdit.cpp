#include "dui/src/control/SEdit.h"

#include <algorithm>

#include "dui/include/core/IRenderTarget.h"
#include "dui/include/core/SApplication.h"
#include "dui/include/core/SUiDef.h"
#include "support/TextConvert.h"

namespace {

constexpr UINT kBlinkTimer = 1;
constexpr UINT kBlinkMs = 530;
constexpr COLORREF kSelectionColor = RGBA(51, 153, 255, 110);
constexpr UINT kSingleLine = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;

bool KeyDown(UINT vk) {
    const SApplication* app = SApplication::Current();
    return app != nullptr && app->IsKeyDown(vk);
}

// Ctrl as the shortcut key. AltGr reaches programs as Ctrl+Alt, and on German or Polish keyboards
// it types characters (@, \ and ą on AltGr+A) that belong in the field, not Ctrl+A or Ctrl+V.
bool ShortcutKeyDown() {
    return KeyDown(VK_CONTROL) && !KeyDown(VK_MENU);
}

// Pasted text keeps its first line and loses control characters.
std::wstring SingleLine(const std::wstring& text) {
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n') break;
        if (c >= 0x20 && c != 0x7F) line.push_back(c);
    }
    return line;
}

}  // namespace

SEdit::SEdit() {
    ApplyAttribute(L"focusable", L"1", true);
    GetStyle().cursor = L"ibeam";
    GetStyle().align = SwndStyle::kAlignLeft;
}

std::wstring SEdit::DisplayText() const {
    return password_ ? std::wstring(GetText().size(), passwordChar_) : GetText();
}

const std::vector<int>& SEdit::Carets() const {
    std::shared_ptr<IFont> font = GetCurrentFont();
    std::wstring shown = DisplayText();
    if (carets_.empty() || font != caretsFont_ || shown != caretsText_) {
        carets_ = font ? font->CaretPositions(shown) : std::vector<int>(shown.size() + 1, 0);
        caretsText_ = std::move(shown);
        caretsFont_ = std::move(font);
    }
    return carets_;
}

RECT SEdit::CaretRect() const {
    const auto font = GetCurrentFont();
    if (!font) return RECT{};
    const RECT box = GetTextRect();
    const int height = std::min<int>(font->LineHeight(), box.bottom - box.top);
    const int top = box.top + (box.bottom - box.top - height) / 2;
    const int x = box.left - scrollX_ + Carets()[std::min(caret_, Carets().size() - 1)];
    return RECT{x, top, x + Dp(1), top + height};
}

void SEdit::ClampCaret() {
    caret_ = std::min(caret_, GetText().size());
    anchor_ = std::min(anchor_, GetText().size());
}

void SEdit::SetSel(std::size_t anchor, std::size_t caret) {
    anchor_ = anchor;
    caret_ = caret;
    ClampCaret();
    ScrollToCaret();
    Invalidate();
}

std::wstring SEdit::GetSelText() const {
    const std::size_t from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    return GetText().substr(from, to - from);
}

std::size_t SEdit::HitTest(POINT pt) const {
    const std::vector<int>& carets = Carets();
    const int x = pt.x - GetTextRect().left + scrollX_;
    std::size_t best = 0;
    for (std::size_t i = 1; i < carets.size(); ++i)
        if (std::abs(carets[i] - x) < std::abs(carets[best] - x)) best = i;
    return best;
}

void SEdit::ScrollToCaret() {
    const std::vector<int>& carets = Carets();
    const RECT box = GetTextRect();
    const int width = std::max<int>(1, box.right - box.left - 1);
    const int x = carets[std::min(caret_, carets.size() - 1)];
    if (x - scrollX_ > width) scrollX_ = x - width;
    if (x < scrollX_) scrollX_ = x;
    // No empty space at the right while text is scrolled out at the left.
    scrollX_ = std::max(0, std::min(scrollX_, carets.back() - width));
    if (ISwndContainer* container = GetContainer(); container && container->GetHostWindow() && IsFocused())
        container->GetHostWindow()->SetImePosition(POINT{box.left + x - scrollX_, box.bottom});
}

void SEdit::RestartBlink() {
    caretOn_ = true;
    if (ISwndContainer* container = GetContainer(); container && IsFocused())
        container->SetSwndTimer(this, kBlinkTimer, kBlinkMs);
}

void SEdit::MoveCaret(std::size_t caret, bool extend) {
    caret_ = caret;
    if (!extend) anchor_ = caret;
    ScrollToCaret();
    RestartBlink();
    Invalidate();
}

void SEdit::ReplaceSelection(const std::wstring& inserted) {
    const std::wstring& text = GetText();
    const std::size_t from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    std::wstring piece = inserted;
    if (maxLength_ > 0) {
        const std::size_t room =
            maxLength_ > text.size() - (to - from) ? maxLength_ - (text.size() - (to - from)) : 0;
        if (piece.size() > room) piece.resize(room);
    }
    std::wstring result = text.substr(0, from) + piece + text.substr(to);
    SetTextLiteral(result);
    MoveCaret(from + piece.size(), false);
}

void SEdit::CopySelection(bool cut) {
    // A password never leaves the field.
    if (password_ || !HasSelection()) return;
    ISwndContainer* container = GetContainer();
    if (container != nullptr && container->GetHostWindow() != nullptr)
        container->GetHostWindow()->SetClipboardText(GetSelText());
    if (cut && !readOnly_) ReplaceSelection(std::wstring());
}

void SEdit::Paste() {
    ISwndContainer* container = GetContainer();
    if (readOnly_ || container == nullptr || container->GetHostWindow() == nullptr) return;
    ReplaceSelection(SingleLine(container->GetHostWindow()->GetClipboardText()));
}

void SEdit::OnKeyDown(UINT key, UINT, UINT) {
    const bool shift = KeyDown(VK_SHIFT), control = ShortcutKeyDown();
    const std::size_t length = GetText().size();
    const std::size_t from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    switch (key) {
        case VK_LEFT:
            MoveCaret(HasSelection() && !shift ? from : (caret_ > 0 ? caret_ - 1 : 0), shift);
            break;
        case VK_RIGHT:
            MoveCaret(HasSelection() && !shift ? to : std::min(caret_ + 1, length), shift);
            break;
        case VK_HOME:
            MoveCaret(0, shift);
            break;
        case VK_END:
            MoveCaret(length, shift);
            break;
        case VK_BACK:
            if (readOnly_) break;
            if (!HasSelection() && caret_ > 0) anchor_ = caret_ - 1;
            ReplaceSelection(std::wstring());
            break;
        case VK_DELETE:
            if (readOnly_) break;
            if (!HasSelection() && caret_ < length) anchor_ = caret_ + 1;
            ReplaceSelection(std::wstring());
            break;
        case 'A':
            if (control) SetSel(0, length);
            break;
        case 'C':
            if (control) CopySelection(false);
            break;
        case 'X':
            if (control) CopySelection(true);
            break;
        case 'V':
            if (control) Paste();
            break;
        default:
            break;
    }
}

void SEdit::OnChar(UINT codePoint, UINT, UINT) {
    if (readOnly_ || codePoint < 0x20 || codePoint == 0x7F || ShortcutKeyDown()) return;
    // Where wide text is UTF-16 (Windows) a character beyond the first plane takes two units.
    std::wstring typed;
    AppendWide(typed, codePoint);
    ReplaceSelection(typed);
}

void SEdit::OnLButtonDown(UINT flags, POINT pt) {
    SWindow::OnLButtonDown(flags, pt);
    selecting_ = true;
    MoveCaret(HitTest(pt), (flags & MK_SHIFT) != 0);
}

void SEdit::OnMouseMove(UINT, POINT pt) {
    if (!selecting_ || !HasCapture()) return;
    MoveCaret(HitTest(pt), true);
}

void SEdit::OnLButtonUp(UINT, POINT) {
    // A click in a field places the caret; it is not a command.
    selecting_ = false;
    ReleaseCapture();
    ChangeState(0, WndState_PushDown, true);
}

void SEdit::OnLButtonDblClk(UINT flags, POINT pt) {
    SWindow::OnLButtonDown(flags, pt);
    SetSel(0, GetText().size());
}

void SEdit::OnSetFocus(SWindow*) {
    ScrollToCaret();
    RestartBlink();
    Invalidate();
}

void SEdit::OnTextChanged() {
    // A text set by the program may be shorter than the one the caret was in, and scrolled
    // text would otherwise stay scrolled out of view.
    ClampCaret();
    ScrollToCaret();
}

void SEdit::OnKillFocus(SWindow*) {
    caretOn_ = false;
    selecting_ = false;
    if (ISwndContainer* container = GetContainer()) container->KillSwndTimer(this, kBlinkTimer);
    Invalidate();
}

void SEdit::OnTimer(UINT timerId) {
    if (timerId != kBlinkTimer) return;
    caretOn_ = !caretOn_;
    InvalidateRect(CaretRect());
}

void SEdit::OnPaint(IRenderTarget& rt) {
    const RECT client = GetClientRect();
    if (ISkinObj* skin = GetSkin())
        skin->Draw(rt, client, GetSkinStateIndex(*skin));
    else
        rt.FillRect(client, GetStyle().colorBkgnd);
    const auto font = GetCurrentFont();
    if (!font) return;
    const RECT box = GetTextRect();
    rt.PushClipRect(box);
    const bool focused = IsFocused();
    if (GetText().empty() && !focused) {
        rt.DrawText(cueText_, box, kSingleLine, *font, cueColor_);
    } else {
        const std::vector<int>& carets = Carets();
        const int x0 = box.left - scrollX_;
        if (HasSelection() && focused) {
            const std::size_t from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
            rt.FillRect(RECT{x0 + carets[from], box.top, x0 + carets[to], box.bottom}, kSelectionColor);
        }
        rt.DrawText(DisplayText(), RECT{x0, box.top, x0 + carets.back() + 1, box.bottom}, kSingleLine, *font,
                    GetCurrentTextColor());
        if (focused && caretOn_) {
            const COLORREF text = GetCurrentTextColor();
            rt.FillRect(CaretRect(), text == kInvalidColor ? RGBA(0, 0, 0, 255) : text);
        }
    }
    rt.PopClip();
}

AttrResult SEdit::OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) {
    if (EqualsNoCase(name, L"password")) {
        password_ = ParseFlag(value);
    } else if (EqualsNoCase(name, L"passwordChar")) {
        if (value.empty()) return AttrResult::kFailed;
        passwordChar_ = value.front();
    } else if (EqualsNoCase(name, L"cueText")) {
        cueText_ = ResolveString(value);
    } else if (EqualsNoCase(name, L"cueColor")) {
        const COLORREF color = ResolveColor(value);
        if (color == kInvalidColor) return AttrResult::kFailed;
        cueColor_ = color;
    } else if (EqualsNoCase(name, L"readOnly")) {
        readOnly_ = ParseFlag(value);
    } else if (EqualsNoCase(name, L"maxLength")) {
        maxLength_ = static_cast<std::size_t>(std::max(0L, ParseIntAuto(value)));
    } else {
        return SWindow::OnClassAttribute(name, value, loading);
    }
    Invalidate();
    return AttrResult::kOk;
}
