#include "platform/stdctrls.h"

#include "platform/dfmreader.h"
#include "platform/exception.h"
#include "platform/forms.h"

namespace vcl {

void TLabel::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "AutoSize") AutoSize = value.AsBool(name);
    else if (name == "Transparent") Transparent = value.AsBool(name);
    else TControl::SetProperty(name, value);
}

void TButton::Click() {
    // A button with a modal result closes its modal form with it, before OnClick.
    if (ModalResult != mrNone)
        if (TForm* form = ParentForm()) form->SetModalResult(ModalResult);
    TControl::Click();
}

void TButton::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "Default") Default = value.AsBool(name);
    else if (name == "Cancel") Cancel = value.AsBool(name);
    else if (name == "ModalResult") ModalResult = static_cast<TModalResult>(value.AsInt(name));
    else TWinControl::SetProperty(name, value);
}

void TCheckBox::SetChecked(bool v) {
    TCheckBoxState next = v ? TCheckBoxState::Checked : TCheckBoxState::Unchecked;
    if (next == state_) return;
    state_ = next;
    Changed();
    TControl::Click();
}

void TCheckBox::Click() { SetChecked(!Checked()); }

void TCheckBox::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "Checked") state_ = value.AsBool(name) ? TCheckBoxState::Checked : TCheckBoxState::Unchecked;
    else if (name == "State") {
        const std::string& s = value.AsIdent(name);
        if (s == "cbChecked") state_ = TCheckBoxState::Checked;
        else if (s == "cbUnchecked") state_ = TCheckBoxState::Unchecked;
        else if (s == "cbGrayed") state_ = TCheckBoxState::Grayed;
        else throw Exception("Unknown check box state " + s);
    } else TWinControl::SetProperty(name, value);
}

} // namespace vcl
