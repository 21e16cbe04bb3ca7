#pragma once
// Labels, push buttons and check boxes.
#include "platform/controls.h"

namespace vcl {

class TLabel : public TControl {
public:
    using TControl::TControl;
    bool AutoSize = true;
    bool Transparent = false;
    void SetProperty(const std::string& name, const DfmValue& value) override;
};

class TButton : public TWinControl {
public:
    using TWinControl::TWinControl;
    TModalResult ModalResult = mrNone;
    bool Default = false;
    bool Cancel = false;
    void Click() override;
    void SetProperty(const std::string& name, const DfmValue& value) override;
};

enum class TCheckBoxState { Unchecked, Checked, Grayed };

class TCheckBox : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool Checked() const { return state_ == TCheckBoxState::Checked; }
    void SetChecked(bool v);
    TCheckBoxState State() const { return state_; }
    // A click toggles the box, then fires OnClick, as a changed state does.
    void Click() override;
    void SetProperty(const std::string& name, const DfmValue& value) override;

private:
    TCheckBoxState state_ = TCheckBoxState::Unchecked;
};

} // namespace vcl
