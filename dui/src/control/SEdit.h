// A single-line text field (element "edit"). The text is the window's text (GetText/SetText);
// the operator edits it with a caret and a selection:
//   mouse       press places the caret, drag selects, double click selects all
//   keys        Left/Right/Home/End move (with Shift they select), Backspace/Delete erase,
//               Ctrl+A selects all, Ctrl+C/X/V copy, cut and paste through the system clipboard
//   characters  typed or committed by an input method replace the selection
// "password" 1 shows each character as "passwordChar" (default "*") and never puts the text on
// the clipboard. "cueText" (in "cueColor") stands in an empty field without the focus. "inset"
// keeps the text off the skin's border. "readOnly" 1 allows selecting and copying only;
// "maxLength" limits the number of characters (0: no limit). The caret blinks only while the field
// has the focus, and a blink repaints the caret alone.
#pragma once

#include "dui/include/core/SWindow.h"

class SEdit : public SWindow {
    DUI_CLASS(SEdit, SWindow, L"edit")
public:
    SEdit();

    // Caret and selection as character indexes; the selection runs between anchor and caret.
    std::size_t GetCaret() const { return caret_; }
    void SetSel(std::size_t anchor, std::size_t caret);
    std::wstring GetSelText() const;
    bool IsPassword() const { return password_; }
    bool TakesComposedText() const override { return !password_ && !readOnly_; }

protected:
    void OnPaint(IRenderTarget& rt) override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;
    void OnLButtonDblClk(UINT flags, POINT pt) override;
    void OnMouseMove(UINT flags, POINT pt) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT codePoint, UINT repeat, UINT flags) override;
    void OnSetFocus(SWindow* oldFocus) override;
    void OnKillFocus(SWindow* newFocus) override;
    void OnTimer(UINT timerId) override;
    bool NeedRedrawWhenStateChange() const override { return true; }
    // Keeps the caret inside a text the program set and the text in view.
    void OnTextChanged() override;
    AttrResult OnClassAttribute(std::wstring_view name, const std::wstring& value, bool loading) override;

private:
    // What is drawn: the text, or one password character per character.
    std::wstring DisplayText() const;
    // Caret x positions of the shown text; kept until the text or the font changes, so moving or
    // blinking the caret does not lay the text out again.
    const std::vector<int>& Carets() const;
    RECT CaretRect() const;
    std::size_t HitTest(POINT pt) const;
    void ClampCaret();
    bool HasSelection() const { return anchor_ != caret_; }
    // Replaces the selection with `text` (cut to maxLength) and puts the caret after it.
    void ReplaceSelection(const std::wstring& text);
    void MoveCaret(std::size_t caret, bool extend);
    void ScrollToCaret();
    void RestartBlink();
    void CopySelection(bool cut);
    void Paste();

    bool password_ = false;
    wchar_t passwordChar_ = L'*';
    std::wstring cueText_;
    COLORREF cueColor_ = RGBA(153, 153, 153, 255);
    bool readOnly_ = false;
    std::size_t maxLength_ = 0;

    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    int scrollX_ = 0;  // pixels of text scrolled out at the left
    bool caretOn_ = false;
    mutable std::vector<int> carets_;
    mutable std::wstring caretsText_;
    mutable std::shared_ptr<IFont> caretsFont_;
    bool selecting_ = false;
};
