#include "platform/menus.h"

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/dfmreader.h"

namespace vcl {

void TMenuItem::Add(TMenuItem* item) { items_.push_back(item); }

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

void TMenuItem::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "Caption") Caption = value.AsString(name);
    else if (name == "Visible") Visible = value.AsBool(name);
    else if (name == "Enabled") Enabled = value.AsBool(name);
    else if (name == "Checked") Checked = value.AsBool(name);
    else TComponent::SetProperty(name, value);
}

TNotifyEvent* TMenuItem::EventSlot(const std::string& name) {
    if (name == "OnClick") return &OnClick;
    return TComponent::EventSlot(name);
}

void TMenuItem::AddChild(TComponent* child) {
    if (auto* item = dynamic_cast<TMenuItem*>(child)) Add(item);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(nullptr) {}

void TPopupMenu::Popup(int x, int y) {
    TMenuItem* chosen = GetBackend().TrackPopup(*this, x, y);
    // The chosen command runs after the menu has closed, from the message loop,
    // so a window it opens modally runs its loop there and not inside the menu's.
    if (chosen) GetBackend().PostMessage([chosen] { Application->SafeCall([chosen] { chosen->Click(); }); });
}

void TPopupMenu::SetProperty(const std::string& name, const DfmValue& value) {
    if (name == "AutoPopup") AutoPopup = value.AsBool(name);
    else TComponent::SetProperty(name, value);
}

void TPopupMenu::AddChild(TComponent* child) { root_.AddChild(child); }

} // namespace vcl
