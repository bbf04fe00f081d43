// The balloon message control: a small error or information icon that fades
// in beside a field; its text shows in a tool tip when the mouse rests on it.
// This is the control's state machine; ErrorMsgWindow draws it and runs its
// timers. Portable.
#pragma once

#include <functional>
#include <string>

#include "controls/color.h"
#include "controls/mouse.h"
#include "controls/signal.h"

namespace controls {

enum class MessageIcon { None, Error, Information };

class ErrorMsg {
public:
    static constexpr int kSideTwips = 240;  // the control is always this square
    static constexpr int kFadeIntervalMs = 1;
    static constexpr int kShowIntervalMs = 500;
    static constexpr int kFadeStartLevel = 255;
    static constexpr int kFadeStartStep = 2;

    // Show a message unless one is shown already: the first message stays,
    // with its icon and text, until HideMessage.
    void ShowError(const std::string& Text);
    void ShowInformation(const std::string& Text);
    void HideMessage();

    bool Shown() const { return shown_; }
    const std::string& Message() const { return message_; }
    MessageIcon Icon() const { return icon_; }
    int FadeLevel() const { return fadeLevel_; }
    int FadeStep() const { return fadeStep_; }
    bool HoverArmed() const { return hoverArmed_; }
    bool FadeTimerRunning() const { return fadeTimer_; }
    bool ShowTimerRunning() const { return showTimer_; }
    // Opacity (0..255) the icon was last painted with: 0 until the first
    // fade tick, 254 once the fade has ended.
    int IconAlpha() const { return iconAlpha_; }

    Color ToolTipFontColor() const { return toolTipFontColor_; }
    void SetToolTipFontColor(Color value);
    Color ToolTipBackColor() const { return toolTipBackColor_; }
    void SetToolTipBackColor(Color value);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color value);

    // Input from the window.
    void OnFadeTimer();
    void OnShowTimer(bool inside);
    void OnMouseMove(bool inside);
    void OnButtonUp(MouseButton button, bool inside);

    // Raised on the release of the left mouse button over the control.
    std::function<void()> Click;

    // For the window: redraw and re-sync (visibility, timers, icon); open
    // and close the tool tip.
    Signal<> changed;
    Signal<const std::string&> openToolTip;
    Signal<> closeToolTip;

private:
    void Show(MessageIcon icon, const std::string& text);
    void CloseTip();

    bool shown_ = false;
    std::string message_;
    MessageIcon icon_ = MessageIcon::None;
    int fadeLevel_ = kFadeStartLevel;
    int fadeStep_ = kFadeStartStep;
    int iconAlpha_ = 0;
    bool hoverArmed_ = false;
    bool fadeTimer_ = false;
    bool showTimer_ = false;
    Color toolTipFontColor_ = kBlack;
    Color toolTipBackColor_ = SystemColor(kSysInfoBackground);
    Color backColor_ = SystemColor(kSysButtonFace);
};

}  // namespace controls
